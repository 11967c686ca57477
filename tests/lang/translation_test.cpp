#include "lang/translation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/profile_file.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

// A main window in miniature: a titled window, a lone button with a tooltip, a
// picture box (no caption), a label whose caption is empty, and two indexed
// menu groups whose indexes are not contiguous.
WindowTexts SampleWindow() {
  WindowTexts w{"frmMain", "Varnel Glyphsmith", {}};
  w.controls.push_back({"cmdOK", std::nullopt, "&OK", "Valider"});
  w.controls.push_back({"picIcon", std::nullopt, std::nullopt, ""});
  w.controls.push_back({"lblStatus", std::nullopt, "", ""});
  for (int i : {0, 1, 2, 3, 9, 10, 17})
    w.controls.push_back({"mnuFile", i, "Fichier " + std::to_string(i), std::nullopt});
  for (int i = 5; i <= 8; ++i)
    w.controls.push_back({"mnuspecial", i,
                          "Sp\xC3\xA9"
                          "cial",
                          std::nullopt});
  return w;
}

std::string Bytes(const std::string& path) {
  auto b = test::ReadAll(path);
  return {b.begin(), b.end()};
}

class TranslationTest : public ::testing::Test {
 protected:
  std::string Lang(const std::string& name, const std::string& body) {
    std::string path = dir_.file(name);
    test::WriteAll(path, {body.begin(), body.end()});
    return path;
  }
  test::TempDir dir_;
};

TEST_F(TranslationTest, ExportWritesEveryNonEmptyTextUnderItsKey) {
  std::string fr = dir_.file("Francais.lng");
  ASSERT_TRUE(ExportWindowTexts(SampleWindow(), fr));
  ProfileFile profile(fr);
  EXPECT_EQ(
      profile.Keys("frmMain"),
      (std::vector<std::string>{
          "Form.Caption", "cmdOK.Caption", "cmdOK.ToolTipText", "mnuFile(0).Caption",
          "mnuFile(1).Caption", "mnuFile(2).Caption", "mnuFile(3).Caption", "mnuFile(9).Caption",
          "mnuFile(10).Caption", "mnuFile(17).Caption", "mnuspecial(5).Caption",
          "mnuspecial(6).Caption", "mnuspecial(7).Caption", "mnuspecial(8).Caption"}));
  EXPECT_EQ(profile.Find("frmMain", "mnuFile(17).Caption"), "Fichier 17");
  EXPECT_EQ(profile.Find("frmMain", "cmdOK.ToolTipText"), "Valider");
  // The file itself is Windows-1252.
  EXPECT_NE(Bytes(fr).find("mnuspecial(5).Caption=Sp\xE9"
                           "cial\r\n"),
            std::string::npos);
}

TEST_F(TranslationTest, ExportOfEmptyTitleWritesEmptyValue) {
  std::string fr = dir_.file("Francais.lng");
  WindowTexts w{"frmPrint", "", {}};
  ASSERT_TRUE(ExportWindowTexts(w, fr));
  EXPECT_EQ(Bytes(fr), "[frmPrint]\r\nForm.Caption=\r\n");
}

TEST_F(TranslationTest, ExportOverwritesOwnKeysAndKeepsOthers) {
  std::string fr = Lang("Francais.lng",
                        "[frmMain]\r\ncmdOK.Caption=old\r\nmnuGone.Caption=kept\r\n"
                        "[frmPrint]\r\nForm.Caption=Imprimer\r\n");
  ASSERT_TRUE(ExportWindowTexts(SampleWindow(), fr));
  ProfileFile profile(fr);
  EXPECT_EQ(profile.Find("frmMain", "cmdOK.Caption"), "&OK");
  EXPECT_EQ(profile.Find("frmMain", "mnuGone.Caption"), "kept");
  EXPECT_EQ(profile.Find("frmPrint", "Form.Caption"), "Imprimer");
}

TEST_F(TranslationTest, TranslateAppliesPresentKeysOnly) {
  const std::string v300(300, 'v');
  std::string en = Lang("English.lng",
                        "[frmMain]\r\n"
                        "Form.Caption=Varnel Glyphsmith (en)\r\n"
                        "cmdOK.Caption=\r\n"  // empty value wins
                        "cmdOK.ToolTipText=" +
                            v300 +
                            "\r\n"                         // cut to 254
                            "picIcon.Caption=never\r\n"    // a picture box has no caption
                            "lblStatus.Caption=Ready\r\n"  // empty, yet translated
                            "mnuFile(9).Caption=&Icons\r\n"
                            "mnuFile(17).Caption=E&xit\r\n"
                            "mnuspecial(5).Caption=Special\r\n"
                            "[frmPrint]\r\nmnuFile(0).Caption=wrong section\r\n");
  WindowTexts w = SampleWindow();
  TranslateWindow(w, en);
  EXPECT_EQ(w.title, "Varnel Glyphsmith (en)");
  EXPECT_EQ(w.controls[0].caption, "");
  EXPECT_EQ(w.controls[0].toolTip, v300.substr(0, 254));
  EXPECT_EQ(w.controls[1].caption, std::nullopt);
  EXPECT_EQ(w.controls[2].caption, "Ready");
  EXPECT_EQ(w.controls[3].caption, "Fichier 0");  // mnuFile(0): no key
  EXPECT_EQ(w.controls[7].caption, "&Icons");     // mnuFile(9)
  EXPECT_EQ(w.controls[9].caption, "E&xit");      // mnuFile(17)
  EXPECT_EQ(w.controls[10].caption, "Special");   // mnuspecial(5)
  EXPECT_EQ(w.controls[11].caption,
            "Sp\xC3\xA9"
            "cial");
}

TEST_F(TranslationTest, SwitchingToAnIncompleteFileKeepsTheCurrentLanguage) {
  std::string a = Lang("A.lng",
                       "[frmMain]\nForm.Caption=Title A\ncmdOK.Caption=OK A\n"
                       "mnuFile(0).Caption=New A\n");
  std::string b = Lang("B.lng", "[frmMain]\ncmdOK.Caption=OK B\n");
  WindowTexts w = SampleWindow();
  TranslateWindow(w, a);
  TranslateWindow(w, b);
  EXPECT_EQ(w.title, "Title A");
  EXPECT_EQ(w.controls[0].caption, "OK B");
  EXPECT_EQ(w.controls[3].caption, "New A");
}

TEST_F(TranslationTest, MissingFileChangesNothing) {
  WindowTexts w = SampleWindow();
  TranslateWindow(w, dir_.file("Lang/#"));
  WindowTexts original = SampleWindow();
  EXPECT_EQ(w.title, original.title);
  for (std::size_t i = 0; i < w.controls.size(); ++i) {
    EXPECT_EQ(w.controls[i].caption, original.controls[i].caption);
    EXPECT_EQ(w.controls[i].toolTip, original.controls[i].toolTip);
  }
}

TEST_F(TranslationTest, MessageExportWritesNothingForTheEmptyList) {
  std::string fr = dir_.file("Francais.lng");
  MessageTexts().clear();
  EXPECT_TRUE(ExportMessageTexts(fr));
  struct stat st {};
  EXPECT_NE(stat(fr.c_str(), &st), 0);

  MessageTexts() = {"Premier", "Deuxi\xC3\xA8me"};
  EXPECT_TRUE(ExportMessageTexts(fr));
  MessageTexts().clear();
  ProfileFile profile(fr);
  EXPECT_EQ(profile.Keys("MSG"), (std::vector<std::string>{"msg1", "msg2"}));
  EXPECT_EQ(profile.Find("MSG", "msg2"), "Deuxi\xC3\xA8me");
}

}  // namespace
}  // namespace gs
