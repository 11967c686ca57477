// The "E&ffets" menu of the main window: each entry reached through its
// action, the prompts answered by the test, the windows driven through the
// dialog seam, the undo copy and the previews checked after each.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <deque>

#include "document/qt_canvas.h"
#include "effects/effect_kernels.h"
#include "effects/frmDuoTone.h"
#include "effects/frmEarthQuake.h"
#include "effects/frmResample.h"
#include "effects/frmText.h"
#include "effects/qt_effect_widgets.h"
#include "files/depth.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Colors.h"
#include "shell/frmMain_Effects.h"
#include "shell/frmMain_Tools.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/qt_test_environment.h"

namespace gs {
namespace {

constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kHighlight = RGB(10, 20, 200);

Surface Pattern() {
  Surface s(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) s.SetPixelV(x, y, RGB(x * 8, 40 + y * 6, (x * 3 + y) % 200));
  s.SetPixelV(5, 5, kWhite);
  s.SetPixelV(6, 5, kBlack);
  return s;
}

// Runs each effect window with what `onWindow` does to it.
class Seam : public test::FakeDialogs {
 public:
  std::function<void(QDialog&)> onWindow = [](QDialog& d) {
    if (auto* ok = d.findChild<QPushButton*>("cmdOK")) ok->click();
  };
  void RunModal(QDialog* dialog) override {
    ++modalRuns;
    dialog->show();
    onWindow(*dialog);
    if (dialog->isVisible()) dialog->reject();
  }
};

class EffectsMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Start(QString());
    w.show();
    w.Document().surface = Pattern();
    w.RePaint();
    EffectsOf(w).prompt = [this](QWidget*, const QString& text, const QString& title,
                                 const QString& reply) {
      prompts.push_back(text + "|" + title + "|" + reply);
      if (replies.empty()) return QString();
      QString r = replies.front();
      replies.pop_front();
      return r;
    };
    EffectsOf(w).highlight = [] { return kHighlight; };
  }
  void Trigger(const char* name, int index) {
    QAction* a = w.MenuAction(name, index);
    ASSERT_NE(a, nullptr) << name << index;
    a->trigger();
  }
  // The actual-size preview, read back from the screen picture.
  Color Preview(int x, int y) {
    return FromQColor(QColor(w.picSmallIcon()->Rendered().pixel(x, y)));
  }
  bool UndoEnabled() { return w.MenuAction("mnuEdit", 0)->isEnabled(); }

  Seam seam;
  test::TestEnvironment env{&seam};
  frmMain w{env};
  std::deque<QString> replies;
  std::vector<QString> prompts;
};

TEST_F(EffectsMenu, ImmediateEntriesApplyTheirKernelTakeUndoAndRepaint) {
  struct Case {
    const char* name;
    int index;
    std::function<void(Surface&)> expect;
  } cases[] = {
      {"mnuEffects", 3, [](Surface& s) { InvertColors(s, s.Bounds()); }},
      {"mnuEffects", 9,
       [](Surface& s) {
         ZigzagRect(s, Area{0, 0, 32, 32}, true, kWhite, kHighlight);
       }},
      {"mnuFlip", 0, [](Surface& s) { Mirror(s, MirrorAxis::Horizontal); }},
      {"mnuFlip", 1, [](Surface& s) { Mirror(s, MirrorAxis::Vertical); }},
      {"mnuRotate", 0, [](Surface& s) { RotateQuarter(s, 90); }},
      {"mnuRotate", 1, [](Surface& s) { RotateQuarter(s, 270); }},
      {"mnuRotate", 2, [](Surface& s) { RotateQuarter(s, 180); }},
      {"mnuConvert", 1, [](Surface& s) { ConvertDocumentToDepth(s, 4); }},
  };
  for (const Case& c : cases) {
    const Surface before = Pattern();
    w.Document().surface = before;
    w.Document().modified = false;
    w.MenuAction("mnuEdit", 0)->trigger();  // no undo copy at hand
    Trigger(c.name, c.index);
    Surface expected = before;
    c.expect(expected);
    EXPECT_EQ(w.Document().surface.Pixels(), expected.Pixels()) << c.name << c.index;
    EXPECT_EQ(Preview(3, 7), expected.GetPixel(3, 7)) << c.name << c.index;
    EXPECT_TRUE(UndoEnabled()) << c.name << c.index;
    // Every entry that changes a pixel raises the flag, depth conversion too:
    // closing must ask.
    EXPECT_TRUE(w.Document().modified) << c.name << c.index;
    w.MenuAction("mnuEdit", 0)->trigger();
    EXPECT_EQ(w.Document().surface.Pixels(), before.Pixels()) << c.name << c.index;
    EXPECT_EQ(Preview(3, 7), before.GetPixel(3, 7)) << c.name << c.index;
  }
}

TEST_F(EffectsMenu, InvertAndReplaceKeepToTheSelection) {
  IconDocument& doc = w.Document();
  doc.selection.active = true;
  doc.selection.X1 = 4, doc.selection.Y1 = 4, doc.selection.X2 = 8, doc.selection.Y2 = 8;
  const Surface before = doc.surface;
  Trigger("mnuEffects", 3);
  EXPECT_EQ(doc.surface.GetPixel(6, 5), kWhite);  // black inside turns white
  EXPECT_EQ(doc.surface.GetPixel(5, 5), kWhite);
  EXPECT_EQ(doc.surface.GetPixel(8, 8), before.GetPixel(8, 8));
  EXPECT_TRUE(doc.selection.active);

  w.Colors().colors.left = kWhite;
  w.Colors().colors.right = kRed;
  doc.surface = before;
  Trigger("mnuEffects", 6);
  EXPECT_EQ(doc.surface.GetPixel(5, 5), kRed);
  EXPECT_EQ(doc.surface.GetPixel(6, 5), kBlack);
  EXPECT_TRUE(doc.selection.active);

  // Equal colours replace nothing, and the replacement stays the step undo takes back.
  w.Colors().colors.left = kRed;
  Trigger("mnuEffects", 6);
  EXPECT_EQ(doc.surface.GetPixel(5, 5), kRed);
  w.MenuAction("mnuEdit", 0)->trigger();
  EXPECT_EQ(doc.surface.GetPixel(5, 5), kWhite);
}

TEST_F(EffectsMenu, PixelatePromptAndRepliesThatChangeNothing) {
  IconDocument& doc = w.Document();
  const Surface before = doc.surface;
  for (const char* reply : {"", "abc", "0", "-4", "0.4"}) {
    replies = {reply};
    Trigger("mnuEffects", 8);
    EXPECT_EQ(doc.surface.Pixels(), before.Pixels()) << reply;
    EXPECT_FALSE(UndoEnabled()) << reply;
  }
  ASSERT_FALSE(prompts.empty());
  EXPECT_EQ(prompts[0], QString::fromUtf8("Entrez SVP l'intensité :|Varnel Glyphsmith|2"));
  replies = {"2.5"};
  Trigger("mnuEffects", 8);
  Surface expected = before;
  PixelateRect(expected, Area{0, 0, 32, 32}, 2, expected);
  EXPECT_EQ(doc.surface.Pixels(), expected.Pixels());
  EXPECT_TRUE(UndoEnabled());
  EXPECT_EQ(Preview(1, 1), before.GetPixel(0, 0));
}

TEST_F(EffectsMenu, PixelateIgnoresTheSelectionAndConversionSettles) {
  IconDocument& doc = w.Document();
  doc.selection.active = true;
  doc.selection.X1 = 4, doc.selection.Y1 = 4, doc.selection.X2 = 8, doc.selection.Y2 = 8;
  const Surface before = doc.surface;
  replies = {"32"};
  Trigger("mnuEffects", 8);
  EXPECT_EQ(doc.surface.GetPixel(31, 31), before.GetPixel(0, 0));
  EXPECT_TRUE(doc.selection.active);

  doc.surface = before;
  doc.surface.SetPixelV(0, 0, RGB(250, 250, 250));
  doc.modified = false;
  Trigger("mnuConvert", 0);
  EXPECT_EQ(doc.surface.GetPixel(0, 0), kWhite);  // near white is transparent from now on
  EXPECT_TRUE(doc.modified);                      // closing asks
  // Converting again changes nothing: the document stays unmodified after a
  // save, and undo still takes back the first conversion.
  const Surface once = doc.surface;
  doc.modified = false;
  Trigger("mnuConvert", 0);
  EXPECT_EQ(doc.surface.Pixels(), once.Pixels());
  EXPECT_FALSE(doc.modified);
  w.MenuAction("mnuEdit", 0)->trigger();
  EXPECT_EQ(doc.surface.GetPixel(0, 0), RGB(250, 250, 250));
}

TEST_F(EffectsMenu, FreeAngleAsksFirstAndARefusedReplyKeepsTheLastUndoStep) {
  IconDocument& doc = w.Document();
  const Surface before = doc.surface;
  Trigger("mnuFlip", 0);  // the step undo should take back
  const Surface flipped = doc.surface;
  w.Colors().colors.right = kRed;
  for (const char* reply : {"", "abc", "0"}) {
    replies = {reply};
    Trigger("mnuRotate", 3);
    EXPECT_EQ(doc.surface.Pixels(), flipped.Pixels()) << reply;
    EXPECT_TRUE(UndoEnabled()) << reply;
  }
  EXPECT_EQ(prompts.back(),
            QString::fromUtf8("Entrez un angle pour tourner avec (degrees) :|Varnel Glyphsmith|0"));
  w.MenuAction("mnuEdit", 0)->trigger();
  EXPECT_EQ(doc.surface.Pixels(), before.Pixels());

  replies = {"45"};
  Trigger("mnuRotate", 3);
  EXPECT_EQ(doc.surface.GetPixel(0, 0), kRed);
  EXPECT_EQ(Preview(31, 31), kRed);
  w.MenuAction("mnuEdit", 0)->trigger();
  EXPECT_EQ(doc.surface.Pixels(), before.Pixels());
}

TEST_F(EffectsMenu, WindowsOpenModallyAndOkIsOneUndo) {
  IconDocument& doc = w.Document();
  const Surface before = doc.surface;
  struct Case {
    int index;
    const char* window;
    std::function<void(QDialog&)> drive;
    std::function<Surface(const Surface&)> expect;
  } cases[] = {
      {5, "frmDuoTone", nullptr, [](const Surface& s) { return DuoTonePreview(s, Selection{}); }},
      {4, "frmEarthQuake", [](QDialog& d) { d.findChild<QLineEdit*>("txtIntense")->setText("5"); },
       [](const Surface& s) { return EarthQuakePreview(s, Selection{}, 5, false); }},
      {0, "frmResample", [](QDialog& d) { d.findChild<QLineEdit*>("txtNewWidth")->setText("16"); },
       [](const Surface& s) {
         return ResampleIcon(s, Selection{}, {0, 0, 16, 32});
       }},
  };
  for (const Case& c : cases) {
    doc.surface = before;
    QString opened;
    seam.onWindow = [&](QDialog& d) {
      opened = d.objectName();
      EXPECT_TRUE(d.isModal());
      EXPECT_EQ(d.parentWidget(), &w);
      if (c.drive) c.drive(d);
      d.findChild<QPushButton*>("cmdOK")->click();
    };
    Trigger("mnuEffects", c.index);
    EXPECT_EQ(opened, c.window);
    EXPECT_EQ(doc.surface.Pixels(), c.expect(before).Pixels()) << c.window;
    w.MenuAction("mnuEdit", 0)->trigger();
    EXPECT_EQ(doc.surface.Pixels(), before.Pixels()) << c.window;
    // Cancel: nothing, no undo copy.
    seam.onWindow = [](QDialog& d) { d.findChild<QPushButton*>("cmdCancel")->click(); };
    Trigger("mnuEffects", c.index);
    EXPECT_EQ(doc.surface.Pixels(), before.Pixels()) << c.window;
    EXPECT_FALSE(UndoEnabled()) << c.window;
  }
}

TEST_F(EffectsMenu, TextToolPressOpensTheTextWindowAndOneUndoRemovesEveryStamp) {
  IconDocument& doc = w.Document();
  doc.surface = MakeIconSurface();
  w.Colors().colors.right = kRed;
  w.Tools().engine->SelectTool(ToolIndex::kText);
  int applies = 0;
  seam.onWindow = [&](QDialog& d) {
    auto& text = static_cast<frmText&>(d);
    EXPECT_EQ(text.OffX, 2);
    EXPECT_EQ(text.OffY, 3);
    EXPECT_EQ(text.NewForeColor, kRed);
    text.txtOffX()->setText("0");
    text.cmdapply()->click();
    text.txtOffX()->setText("16");
    text.cmdapply()->click();
    applies = 2;
    text.cmdCancel()->click();
  };
  // Cell (2, 3) of a 256-pixel canvas, right button.
  w.Tools().engine->Press(kRightButton, 2 * 8 + 4, 3 * 8 + 4, 256, 256);
  w.Tools().engine->Release(kRightButton, 2 * 8 + 4, 3 * 8 + 4, 256, 256);
  EXPECT_EQ(applies, 2);
  int red = 0;
  for (Color c : doc.surface.Pixels()) red += c == kRed;
  EXPECT_GT(red, 10);
  w.MenuAction("mnuEdit", 0)->trigger();
  EXPECT_EQ(doc.surface.Pixels(), MakeIconSurface().Pixels());
}

}  // namespace
}  // namespace gs
