#include <gtest/gtest.h>

#include "core/font_format.h"
#include "core/font_image.h"
#include "core/image.h"
#include "files/import_dialogs.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

class ImportDialogsTest : public test::EditorTest {
protected:
    Bytes FontPicture(int scale) const { return EncodePng(RenderFontImage(s.Slot(), s.doc.RegisterRgb, false, scale)); }
};

TEST_F(ImportDialogsTest, ThePictureWindowTellsWhatHappensAndImportsOnlyWhatFits) {
    const FontSlot before = s.Slot();
    PictureImportDialog d = OpenPictureImportDialog(s, FontPicture(2));
    EXPECT_NE(tk::Text(d.summary).find("at most 60 x 40 cells"), std::string::npos) << tk::Text(d.summary);
    tk::SetValue(d.scale, 2);
    tk::SetValue(d.firstChar, 64);
    tk::SetChecked(d.keepDuplicates, true);
    tk::SetChecked(d.onView, true);
    EXPECT_NE(PictureImportSummary(s, d).find("needs 128 characters; 64 fit"), std::string::npos) << PictureImportSummary(s, d);
    // Import is refused while the characters do not fit, and a font's
    // picture keeps its duplicates even when they are not asked for.
    tk::PostEvent(ControlEvent(d.import));
    tk::PostEvent(ControlEvent(d.keepDuplicates));
    RunPictureImportDialog(s, d);
    EXPECT_EQ(s.Slot().pixels, before.pixels);

    d = OpenPictureImportDialog(s, FontPicture(2));
    tk::SetValue(d.scale, 2);
    tk::SetValue(d.firstChar, 0);
    tk::SetChecked(d.onView, true);
    const std::string summary = PictureImportSummary(s, d);
    EXPECT_NE(summary.find("32 x 4 cells"), std::string::npos) << summary;
    tk::PostEvent(ControlEvent(d.import));
    RunPictureImportDialog(s, d);
    for (int k = 0; k < kCharCount; ++k) {
        const int code = s.doc.ViewScreen[k / 32][k % 32];
        ASSERT_TRUE(std::equal(before.Char(k), before.Char(k) + 64, s.Slot().Char(code))) << k;
    }
    EXPECT_EQ(tk::ShownRequesters().back().title, "Import picture");
}

TEST_F(ImportDialogsTest, ColoursFromThePictureBecomeTheSlotsOwnColours) {
    s.CurrentSlot = 3;
    RegisterColors colours = s.doc.RegisterRgb;
    colours[LUM] = MakeRgb(240, 255, 88);
    colours[BAK] = MakeRgb(0, 0, 137);
    PictureImportDialog d = OpenPictureImportDialog(s, EncodePng(RenderFontImage(s.Slot(), colours, false, 1)));
    tk::SetValue(d.firstChar, 0);
    tk::SetChecked(d.pictureColours, true);
    tk::PostEvent(ControlEvent(d.import));
    RunPictureImportDialog(s, d);
    EXPECT_EQ(s.doc.RegisterRgb[BAK], colours[BAK]);
    EXPECT_EQ(s.doc.RegisterRgb[LUM], colours[LUM]);
    // What a save writes for the slot agrees with what it shows.
    EXPECT_EQ(s.doc.Slots[3].colors, s.doc.RegisterRgb);
}

TEST_F(ImportDialogsTest, FontBytesComeFromAnOffsetOrAfterALoadHeader) {
    Bytes loadFile = {0xFF, 0xFF, 0x00, 0xE0, 0xFF, 0xE3};
    loadFile.insert(loadFile.end(), DefaultFontData.begin(), DefaultFontData.end());
    FontBytesDialog d = OpenFontBytesDialog(s, loadFile);
    EXPECT_NE(tk::Text(d.summary).find("load header"), std::string::npos) << tk::Text(d.summary);
    tk::PostEvent(ControlEvent(d.import));
    RunFontBytesDialog(s, d);
    EXPECT_EQ(PackFont(s.Slot()), DefaultFontData);

    const FontSlot before = s.Slot();
    d = OpenFontBytesDialog(s, loadFile);
    tk::SetValue(d.offset, 10);
    tk::PostEvent(ControlEvent(d.import));  // only 1020 bytes from there: refused
    RunFontBytesDialog(s, d);
    EXPECT_EQ(s.Slot().pixels, before.pixels);
}

}  // namespace
}  // namespace qm
