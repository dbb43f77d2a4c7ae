// What every save command does around the file it writes: the question before
// an existing file is replaced, and the word in the status bar afterwards.

#include <functional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "charedit/color_file.h"
#include "files/export_image_dialog.h"
#include "files/export_source_dialog.h"
#include "files/font_files.h"
#include "files/font_range_dialog.h"
#include "files/project_file.h"
#include "session/font_buffer.h"
#include "sets/set_files.h"
#include "sets/view_files.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const std::vector<unsigned char> kOldBytes = {'k', 'e', 'e', 'p', 0, 0xFF};

class SavesTest : public test::EditorTest {
protected:
    struct Save {
        std::string typed;    // the name given in the dialog
        std::string written;  // the name the file is written under
        std::function<void()> run;
    };

    // A modal dialog opened, its save button pressed, and its wait run.
    template <typename Dialog>
    void PressIn(const Dialog& d, tk::ControlId button, void (*run)(EditorState&, const Dialog&)) {
        tk::PostEvent(ControlEvent(button));
        run(s, d);
    }

    std::vector<Save> EverySave() {
        s.ExportRegion = {0, 0, 4, 4};
        return {
            {"work", "work.proj", [this] { SaveProject(s, SaveMode::SaveAs); }},
            {"font", "font.fnt", [this] { PackFont(s, -1); SaveFontFile(s); }},
            {"range", "range", [this] { const auto d = OpenFontRangeDialog(s); PressIn(d, d.save, RunFontRangeDialog); }},
            {"colors", "colors.col", [this] { SaveColorFile(s); }},
            {"one", "one.set", [this] { SaveSetFile(s); }},
            {"all", "all.sets", [this] { SaveAllSetsFile(s); }},
            {"bits", "bits.bin", [this] { ExportSetBin(s); }},
            {"screen", "screen.ved", [this] { SaveViewFile(s); }},
            {"region", "region.bin", [this] { ExportViewBin(s); }},
            {"codes", "codes.char", [this] { ExportViewChars(s); }},
            {"source", "source.txt",
             [this] { const auto d = OpenSourceExportDialog(s, 0, 0, 420, 580); PressIn(d, d.save, RunSourceExportDialog); }},
            {"picture", "picture.bmp",
             [this] { const auto d = OpenImageExportDialog(s, 0, 0, 570, 330); PressIn(d, d.saveBmp, RunImageExportDialog); }},
            {"picture", "picture.png",
             [this] { const auto d = OpenImageExportDialog(s, 0, 0, 570, 330); PressIn(d, d.savePng, RunImageExportDialog); }},
        };
    }

    std::vector<tk::Shown> ShownOf(const std::string& kind) {
        std::vector<tk::Shown> found;
        for (const tk::Shown& shown : tk::ShownRequesters()) {
            if (shown.kind == kind) found.push_back(shown);
        }
        return found;
    }

    std::string FirstStatusField() { return tk::StatusText(s.ui.window, kStatusCharField); }

    TempDir dir;
};

// The extension is added after the dialog has closed, so the dialog cannot ask
// about the name that is really written: the save must.
TEST_F(SavesTest, EverySaveAsksBeforeReplacingTheFileItWritesAndNoKeepsIt) {
    for (const Save& save : EverySave()) {
        const std::string path = dir.Path(save.written);
        WriteBytes(path, kOldBytes);

        tk::ClearScript();
        tk::SetStatusText(s.ui.window, kStatusCharField, "");
        tk::QueueFileAnswer(dir.Path(save.typed));
        tk::QueueAnswer(tk::Answer::No);
        save.run();
        const std::vector<tk::Shown> questions = ShownOf("question");
        ASSERT_EQ(questions.size(), 1u) << save.written;
        EXPECT_EQ(questions[0].text, save.written + " already exists.\nDo you want to replace it?");
        EXPECT_EQ(questions[0].title, ShownOf("save")[0].title);
        // On No the dialog comes back at the full name, here to be cancelled.
        ASSERT_EQ(ShownOf("save").size(), 2u) << save.written;
        EXPECT_EQ(ShownOf("save")[1].text, path);
        EXPECT_EQ(ReadBytes(path), kOldBytes) << save.written;
        EXPECT_EQ(FirstStatusField(), "") << save.written;

        tk::ClearScript();
        tk::QueueFileAnswer(dir.Path(save.typed));
        tk::QueueAnswer(tk::Answer::Yes);
        save.run();
        EXPECT_NE(ReadBytes(path), kOldBytes) << save.written;
        EXPECT_TRUE(ShownOf("message").empty()) << save.written;
        EXPECT_EQ(FirstStatusField(), "Saved " + save.written);
    }
}

// "Save" of a project opened under another extension writes beside it.
TEST_F(SavesTest, SavingAProjectUnderAnotherExtensionAsksAboutTheFileBesideIt) {
    s.doc.ProjectPath = dir.Path("game.prj");
    WriteBytes(dir.Path("game.prj.proj"), kOldBytes);
    SaveProject(s, SaveMode::Save);
    ASSERT_EQ(ShownOf("question").size(), 1u);
    EXPECT_EQ(ReadBytes(dir.Path("game.prj.proj")), kOldBytes);
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("game.prj"));

    tk::QueueAnswer(tk::Answer::Yes);
    SaveProject(s, SaveMode::Save);
    EXPECT_EQ(ReadBytes(dir.Path("game.prj.proj")).size(), 22614u);
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("game.prj.proj"));
}

TEST_F(SavesTest, TheWordOfASaveLastsUntilTheNextActionAndAFailureGetsNone) {
    tk::QueueFileAnswer(dir.Path("font"));
    DispatchEvent(s, ControlEvent(s.ui.saveFont));
    ASSERT_EQ(FirstStatusField(), "Saved font.fnt");

    tk::Event tick;
    tick.kind = tk::EventKind::Timer;
    tick.window = s.ui.window;
    tick.timer = kAnimationTimer;
    DispatchEvent(s, tick);
    DispatchEvent(s, CanvasEvent(s.ui.charEditor, 20, 20, 0));          // the pointer passing
    DispatchEvent(s, KeyEvent(tk::EventKind::KeyReleased, 'S'));
    EXPECT_EQ(FirstStatusField(), "Saved font.fnt");
    DispatchEvent(s, KeyEvent(tk::EventKind::KeyPressed, 'X'));
    EXPECT_EQ(FirstStatusField(), "");

    tk::QueueFileAnswer(dir.Path("nowhere") + "/font.fnt");
    DispatchEvent(s, ControlEvent(s.ui.saveFont));
    ASSERT_EQ(ShownOf("message").size(), 1u);
    EXPECT_EQ(ShownOf("message")[0].title, "Error!");
    EXPECT_EQ(FirstStatusField(), "");
}

}  // namespace
}  // namespace qm
