#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_events.h"
#include "toolkit/simulate/simulate.h"
#include "toolkit/toolkit.h"

namespace {

using tk::test::Drain;
using tk::test::OfKind;
using Paths = std::vector<std::string>;

struct DropCase {
    const char* what;
    bool accepting;
    bool enabled;
    Paths urls;
    Paths expected;  // empty: the drop is refused
};

TEST(Drops, OnlyLocalFilesReachAWindowThatTakesDrops) {
    const std::vector<DropCase> cases = {
        {"two files, in order", true, true, {"file:///tmp/b.fnt", "file:///tmp/a.proj"}, {"/tmp/b.fnt", "/tmp/a.proj"}},
        {"spaces and accents decoded", true, true, {"file:///tmp/My%20Fonts/%C3%A9t%C3%A9.fnt"}, {"/tmp/My Fonts/\xC3\xA9t\xC3\xA9.fnt"}},
        {"web address left out", true, true, {"https://example.org/x.fnt", "file:///tmp/c.set"}, {"/tmp/c.set"}},
        {"nothing but web addresses", true, true, {"https://example.org/x.fnt"}, {}},
        {"window without drops", false, true, {"file:///tmp/a.fnt"}, {}},
        {"window disabled by a dialog", true, false, {"file:///tmp/a.fnt"}, {}},
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.what);
        const tk::WindowId window = tk::OpenWindow("Drops", 30, 30, 240, 120, tk::TitleBar | tk::SystemMenu);
        // A drop over a control goes to the window as a whole.
        tk::CreateControl(window, tk::ControlKind::Button, 0, 0, 100, 40, "Load");
        ASSERT_FALSE(tk::AcceptsFileDrops(window));
        tk::AcceptFileDrops(window, c.accepting);
        tk::EnableWindow(window, c.enabled);
        tk::simulate::Deliver();
        tk::DiscardEvents();

        EXPECT_EQ(tk::simulate::DropUrls(window, c.urls, 20, 20), !c.expected.empty());
        const auto drops = OfKind(Drain(), tk::EventKind::FilesDropped);
        if (c.expected.empty()) {
            EXPECT_TRUE(drops.empty());
        } else {
            ASSERT_EQ(drops.size(), 1u);
            EXPECT_EQ(drops[0].window, window);
            EXPECT_EQ(drops[0].paths, c.expected);
        }
        tk::CloseWindow(window);
        tk::DiscardEvents();
    }
}

TEST(Drops, TakingDropsCanBeWithdrawnAndAPostedDropArrivesWhole) {
    const tk::WindowId window = tk::OpenWindow("Drops", 30, 30, 200, 100, tk::TitleBar);
    tk::AcceptFileDrops(window, true);
    EXPECT_TRUE(tk::simulate::DropUrls(window, {"file:///tmp/a.fnt"}));
    tk::AcceptFileDrops(window, false);
    EXPECT_FALSE(tk::simulate::DropUrls(window, {"file:///tmp/b.fnt"}));
    const auto drops = OfKind(Drain(), tk::EventKind::FilesDropped);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].paths, Paths{"/tmp/a.fnt"});

    tk::Event posted;
    posted.kind = tk::EventKind::FilesDropped;
    posted.window = window;
    posted.paths = {"/x/one.fnt", "/x/two.fnt"};
    tk::PostEvent(posted);
    const auto events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].paths, posted.paths);
    tk::CloseWindow(window);
}

}  // namespace
