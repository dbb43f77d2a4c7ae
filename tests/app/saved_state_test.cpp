// Knowing what is saved: the title says it, and work is never left behind
// without a question, nor asked about when there is nothing to lose.

#include "app/file_opening.h"
#include "app/main_event_handler.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "core/project_format.h"
#include "session/saved_state.h"
#include "session/undo.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

class SavedStateTest : public test::EditorTest {
protected:
    bool Send(const tk::Event& e) { return DispatchEvent(s, e); }
    bool Do(int item) { return Send(MenuEvent(item)); }
    // Whether the editor goes on after the close box or "Exit"; the window
    // stays, so that one test can ask several times.
    bool Close() {
        tk::Event close;
        close.kind = tk::EventKind::CloseRequest;
        close.window = s.ui.window;
        return MainEventHandler(s, close);
    }
    bool Exit() { return MainEventHandler(s, MenuEvent(kMenuExit)); }
    std::string Title() const { return tk::WindowTitle(s.ui.window); }
    // The questions asked about unsaved work since the last look.
    std::vector<tk::Shown> Questions() {
        std::vector<tk::Shown> found;
        for (const tk::Shown& shown : tk::ShownRequesters()) {
            if (shown.kind == "save-discard-cancel") found.push_back(shown);
        }
        tk::ClearScript();
        return found;
    }
    std::string WriteOtherProject(const std::string& name) {
        Document other = s.doc;
        other.Slots[1].pixels.fill(1);
        test::WriteBytes(dir.Path(name), WriteProject(ProjectOf(other)));
        return dir.Path(name);
    }
    test::TempDir dir;
};

TEST_F(SavedStateTest, TheTitleNamesTheProjectAndMarksUnsavedWorkUntilSavedOrUndone) {
    EXPECT_EQ(Title(), "Quillmere");
    Do(kMenuInverse);
    EXPECT_EQ(Title(), "Quillmere *");
    tk::QueueFileAnswer(dir.Path("work.proj"));
    Do(kMenuSaveProjectAs);
    EXPECT_EQ(Title(), "Quillmere - work.proj");
    Do(kMenuRotate);
    EXPECT_EQ(Title(), "Quillmere - work.proj *");
    Do(kMenuUndo);
    EXPECT_EQ(Title(), "Quillmere - work.proj") << "undone back to the save";
    Do(kMenuRedo);
    Do(kMenuSaveProject);
    EXPECT_EQ(Title(), "Quillmere - work.proj");
    EXPECT_EQ(test::ReadBytes(dir.Path("work.proj")), WriteProject(ProjectOf(s.doc)));

    // A project just opened is saved work; undoing the open brings back work
    // that is not in the project opened.
    tk::QueueFileAnswer(WriteOtherProject("other.proj"));
    Do(kMenuOpenProject);
    EXPECT_EQ(Title(), "Quillmere - other.proj");
    EXPECT_FALSE(HasUnsavedWork(s));
    Do(kMenuUndo);
    EXPECT_EQ(Title(), "Quillmere - work.proj *");
    EXPECT_TRUE(Questions().empty());
}

TEST_F(SavedStateTest, ClosingAsksOnlyAboutUnsavedWorkAndSaveEndsOnlyWhenItSaved) {
    EXPECT_FALSE(Close()) << "nothing unsaved: no question";
    EXPECT_FALSE(Exit());
    EXPECT_TRUE(Questions().empty());

    Do(kMenuInverse);
    const Document work = s.doc;
    tk::QueueAnswer(tk::Answer::Cancel);
    EXPECT_TRUE(Close());
    const std::vector<tk::Shown> asked = Questions();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "Exit...");
    EXPECT_EQ(asked[0].text, "The work has unsaved changes. Save them before leaving?");

    // Save without a project asks for its name; cancelling that keeps the
    // editor open.
    tk::QueueAnswer(tk::Answer::Save);
    EXPECT_TRUE(Exit());
    EXPECT_EQ(tk::ShownRequesters().back().kind, "save");
    Questions();
    tk::QueueAnswer(tk::Answer::Save);
    tk::QueueFileAnswer(dir.Path("kept.proj"));
    EXPECT_FALSE(Close());
    EXPECT_EQ(test::ReadBytes(dir.Path("kept.proj")), WriteProject(ProjectOf(work)));
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("kept.proj"));
    Questions();

    // With a project, Save writes it without a dialog; Discard ends as it is.
    Do(kMenuRotate);
    tk::QueueAnswer(tk::Answer::Save);
    EXPECT_FALSE(Exit());
    EXPECT_EQ(test::ReadBytes(dir.Path("kept.proj")), WriteProject(ProjectOf(s.doc)));
    ASSERT_EQ(Questions().size(), 1u);
    Do(kMenuRotate);
    tk::QueueAnswer(tk::Answer::Discard);
    EXPECT_FALSE(Close());
    EXPECT_NE(test::ReadBytes(dir.Path("kept.proj")), WriteProject(ProjectOf(s.doc)));
}

TEST_F(SavedStateTest, OpeningAnotherProjectAsksFirstByEveryWay) {
    const std::string other = WriteOtherProject("other.proj");
    const auto open = [&](int way) {
        switch (way) {
            case 0: tk::QueueFileAnswer(other); Do(kMenuOpenProject); break;
            case 1: {
                tk::Event drop;
                drop.kind = tk::EventKind::FilesDropped;
                drop.window = s.ui.window;
                drop.paths = {other};
                Send(drop);
                break;
            }
            default: Do(kMenuRecentFirst); break;
        }
    };
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        s.doc.ProjectPath = other;
        RememberProject(s);
        s.doc.ProjectPath.clear();
        Do(kMenuNextSlot);
        Do(kMenuInverse);
        const Document work = s.doc;
        tk::QueueAnswer(tk::Answer::Cancel);
        open(way);
        EXPECT_EQ(WriteProject(ProjectOf(s.doc)), WriteProject(ProjectOf(work)));
        const std::vector<tk::Shown> asked = Questions();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].title, "Open...");
        tk::DiscardEvents();

        tk::QueueAnswer(tk::Answer::Discard);
        open(way);
        EXPECT_EQ(s.doc.ProjectPath, other);
        EXPECT_FALSE(HasUnsavedWork(s));
        EXPECT_EQ(Questions().size(), 1u);
        s.doc.ProjectPath.clear();
        StartHistory(s);
    }
}

}  // namespace
}  // namespace qm
