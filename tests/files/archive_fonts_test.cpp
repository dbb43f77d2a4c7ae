// Font files as they come from archives and old disks, whatever their length
// or kind, loaded the way the "Load FNT" button loads them.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/main_event_handler.h"
#include "session/font_buffer.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::TestDataPath;

std::vector<fs::path> ArchiveFonts() {
    std::vector<fs::path> fonts;
    for (const fs::directory_entry& entry : fs::directory_iterator(TestDataPath("fonts"))) {
        if (entry.is_regular_file() && entry.path().extension() == ".fnt") fonts.push_back(entry.path());
    }
    std::sort(fonts.begin(), fonts.end());
    return fonts;
}

class ArchiveFontsTest : public test::EditorTest {
protected:
    void ClickLoadFont(const std::string& path) {
        tk::QueueFileAnswer(path);
        MainEventHandler(s, ControlEvent(s.ui.loadFont));
    }
    std::vector<unsigned char> SlotBytes(int slot) {
        PackFont(s, slot);
        return {s.FontBuffer.begin(), s.FontBuffer.end()};
    }
};

TEST_F(ArchiveFontsTest, EveryFileFillsItsSlotWithItsFirstKilobyteAndNoOtherSlot) {
    const std::vector<fs::path> fonts = ArchiveFonts();
    ASSERT_GE(fonts.size(), 10u) << "the archive fonts are missing from " << TestDataPath("fonts");

    for (std::size_t i = 0; i < fonts.size(); ++i) {
        const std::string name = fonts[i].filename();
        SCOPED_TRACE(name);
        // Spread the files over the slots, each into a slot that holds other work.
        const int slot = 1 + static_cast<int>(i % kSlotCount);
        const int neighbour = slot % kSlotCount + 1;
        s.CurrentSlot = slot;
        s.doc.Slots[slot].Pixel(127, 7, 7) = 1;
        const std::vector<unsigned char> neighbourBefore = SlotBytes(neighbour);

        ClickLoadFont(fonts[i].string());

        std::vector<unsigned char> expected = ReadBytes(fonts[i].string());
        ASSERT_FALSE(expected.empty());
        const std::size_t held = std::min<std::size_t>(expected.size(), kFontBytes);
        expected.resize(kFontBytes, 0);
        EXPECT_EQ(SlotBytes(slot), expected);
        EXPECT_EQ(SlotBytes(neighbour), neighbourBefore);
        EXPECT_TRUE(std::all_of(s.doc.Slots[slot].pixels.begin(), s.doc.Slots[slot].pixels.end(),
                                [](std::uint8_t pixel) { return pixel <= 1; }));
        EXPECT_EQ(s.doc.Slots[slot].fileName, name);
        // A short file says how much of the font it held.
        const std::string note = held < kFontBytes ? " (" + std::to_string(held / 8) + " of 128 characters" +
                                                         (held % 8 ? " and " + std::to_string(held % 8) + " rows)" : ")")
                                                   : "";
        EXPECT_EQ(tk::StatusText(s.ui.window, 1), "Font: " + name + note);
    }
    EXPECT_EQ(tk::ShownRequesters().size(), fonts.size()) << "one open dialog a file, and no message";
}

// A named pipe has no end until something writes to it. Should the load wait
// for one, the writer below ends the wait after a second, so the test fails
// instead of hanging.
TEST_F(ArchiveFontsTest, ANamedPipeChosenAsAFontIsNotWaitedOn) {
    TempDir dir;
    const std::string pipe = dir.Path("pipe.fnt");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::vector<unsigned char> before = SlotBytes(1);
    s.CurrentSlot = 1;

    const auto start = std::chrono::steady_clock::now();
    std::thread writer([&pipe] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const int fd = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) close(fd);
    });
    ClickLoadFont(pipe);
    const auto waited = std::chrono::steady_clock::now() - start;
    writer.join();

    EXPECT_LT(waited, std::chrono::milliseconds(900)) << "the load waited for a writer on the pipe";
    EXPECT_EQ(SlotBytes(1), before);
}

}  // namespace
}  // namespace qm
