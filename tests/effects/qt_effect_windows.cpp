// The four effect windows driven offscreen: what they show at load, how the
// preview follows the fields, and what OK, Apply, Cancel and undo leave.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>

#include "document/undo.h"
#include "effects/effect_kernels.h"
#include "effects/frmDuoTone.h"
#include "effects/frmEarthQuake.h"
#include "effects/frmResample.h"
#include "effects/frmText.h"
#include "effects/qt_effect_widgets.h"
#include "effects/qt_text_raster.h"
#include "tests/support/qt_test_environment.h"

namespace gs {
namespace {

constexpr Color kRed = RGB(255, 0, 0);
const QSize kPreview(36, 36);

struct TestHost : EffectHost {
  IconDocument doc;
  UndoBuffer undo;
  int backups = 0;
  int repaints = 0;
  IconDocument& Document() override { return doc; }
  void CreateBackup() override {
    undo.CreateBackup(doc.surface);
    ++backups;
  }
  void RePaint() override { ++repaints; }
};

Surface Pattern() {
  Surface s(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) s.SetPixelV(x, y, RGB(x * 8, 40 + y * 6, (x * 3 + y) % 200));
  return s;
}

void Select(IconDocument& doc, int x1, int y1, int x2, int y2) {
  doc.selection.active = true;
  doc.selection.X1 = x1, doc.selection.Y1 = y1, doc.selection.X2 = x2, doc.selection.Y2 = y2;
}

// The preview as the user sees it, pixel for pixel.
Color Shown(SurfaceBox* box, int x, int y) {
  return FromQColor(QColor(box->Rendered().pixel(x, y)));
}

class EffectWindows : public ::testing::Test {
 protected:
  void SetUp() override { host.doc.surface = Pattern(); }
  TestHost host;
  test::TestEnvironment env;
};

TEST_F(EffectWindows, DuoToneOkAppliesToTheSelectionAndUndoRestores) {
  Select(host.doc, 4, 4, 12, 12);
  frmDuoTone w(host, kPreview, env);
  w.show();
  EXPECT_EQ(w.picOrg()->size(), kPreview);
  EXPECT_EQ(w.picSample()->size(), kPreview);
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Varnel Glyphsmith 2.3 - Nocturne"));
  const Surface before = host.doc.surface;
  EXPECT_EQ(Shown(w.picSample(), 5, 5), before.GetPixel(5, 5) & kRed);
  EXPECT_EQ(Shown(w.picSample(), 2, 2), before.GetPixel(2, 2));
  w.chooseColor = [](QWidget*) { return std::optional<QColor>(); };
  w.cmdColor()->click();  // cancelled: the tint stays red
  w.cmdOK()->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(host.backups, 1);
  EXPECT_FALSE(host.doc.selection.active);
  EXPECT_TRUE(host.doc.modified);
  EXPECT_EQ(host.doc.surface.GetPixel(5, 5), before.GetPixel(5, 5) & kRed);
  ASSERT_TRUE(host.undo.RestoreBackup(host.doc.surface));
  EXPECT_EQ(host.doc.surface.Pixels(), before.Pixels());
}

TEST_F(EffectWindows, DuoToneDotsButtonChoosesTheTint) {
  frmDuoTone w(host, kPreview, env);
  w.show();
  const Surface before = host.doc.surface;
  constexpr Color kCyan = RGB(0, 255, 255);
  std::vector<QWidget*> owners;
  std::optional<QColor> answer = ToQColor(kCyan);
  w.chooseColor = [&](QWidget* owner) {
    owners.push_back(owner);
    return answer;
  };
  w.cmdColor()->click();
  EXPECT_EQ(owners, std::vector<QWidget*>{&w});
  EXPECT_EQ(w.DuoColor(), kCyan);
  EXPECT_EQ(w.picDuoColor()->palette().color(QPalette::Window), ToQColor(kCyan));
  EXPECT_EQ(Shown(w.picSample(), 5, 5), before.GetPixel(5, 5) & kCyan);
  // Cancelled, the chosen tint stays.
  answer.reset();
  w.cmdColor()->click();
  EXPECT_EQ(owners.size(), 2u);
  EXPECT_EQ(w.DuoColor(), kCyan);
  w.cmdOK()->click();
  EXPECT_EQ(host.doc.surface.GetPixel(20, 30), before.GetPixel(20, 30) & kCyan);
}

TEST_F(EffectWindows, DuoToneOnAWhiteIconStillTakesTheUndoCopy) {
  host.doc.surface = MakeIconSurface();
  frmDuoTone w(host, kPreview, env);
  w.cmdOK()->click();
  EXPECT_EQ(host.backups, 1);
  EXPECT_FALSE(host.doc.modified);
  EXPECT_EQ(host.doc.surface.Pixels(), MakeIconSurface().Pixels());
}

TEST_F(EffectWindows, CancelAndCloseBoxChangeNothing) {
  Select(host.doc, 4, 4, 12, 12);
  const Surface before = host.doc.surface;
  {
    frmDuoTone w(host, kPreview, env);
    w.show();
    w.cmdCancel()->click();
  }
  {
    frmEarthQuake w(host, kPreview, env);
    w.show();
    w.txtIntense()->setText("9");
    w.close();
  }
  {
    frmResample w(host, kPreview, env);
    w.show();
    w.txtOffX()->setText("20");
    w.cmdCancel()->click();
  }
  EXPECT_EQ(host.backups, 0);
  EXPECT_TRUE(host.doc.selection.active);
  EXPECT_FALSE(host.doc.modified);
  EXPECT_EQ(host.doc.surface.Pixels(), before.Pixels());
}

TEST_F(EffectWindows, EarthQuakePreviewFollowsTheFieldAndTheBox) {
  frmEarthQuake w(host, kPreview, env);
  w.show();
  const Surface src = host.doc.surface;
  EXPECT_EQ(w.txtIntense()->text(), "3");
  EXPECT_FALSE(w.chkEnds()->isChecked());
  EXPECT_EQ(Shown(w.picSample(), 0, 0), kWhite);
  EXPECT_EQ(Shown(w.picSample(), 3, 0), src.GetPixel(0, 0));
  w.chkEnds()->setChecked(true);
  EXPECT_EQ(Shown(w.picSample(), 0, 0), src.GetPixel(29, 0));
  for (const char* text : {"abc", "", "0", "-7"}) {
    w.txtIntense()->setText(text);
    EXPECT_EQ(w.picSample()->Shown().Pixels(), src.Pixels()) << text;
  }
  w.txtIntense()->setText("99999999999999999999");  // beyond any integer: the width
  EXPECT_EQ(w.picSample()->Shown().Pixels(), src.Pixels());
  w.chkEnds()->setChecked(false);
  w.txtIntense()->setText("2.5");
  w.cmdOK()->click();
  EXPECT_EQ(host.doc.surface.GetPixel(2, 0), src.GetPixel(0, 0));
  EXPECT_EQ(host.doc.surface.GetPixel(1, 0), kWhite);
  EXPECT_EQ(host.backups, 1);
}

TEST_F(EffectWindows, ResampleStartsFromTheSelectionAndMovesIt) {
  Select(host.doc, 4, 4, 12, 12);
  frmResample w(host, kPreview, env);
  w.show();
  EXPECT_EQ(w.txtOffX()->text(), "4");
  EXPECT_EQ(w.txtOffY()->text(), "4");
  EXPECT_EQ(w.txtNewWidth()->text(), "8");
  EXPECT_EQ(w.txtNewHeight()->text(), "8");
  const Surface src = host.doc.surface;
  EXPECT_EQ(w.picSample()->Shown().Pixels(), src.Pixels());
  w.txtOffX()->setText("20");
  w.txtOffY()->setText("20 px");
  EXPECT_EQ(Shown(w.picSample(), 20, 20), src.GetPixel(4, 4));
  EXPECT_EQ(Shown(w.picSample(), 4, 4), kWhite);
  w.txtNewWidth()->setText("-1e300");  // runs leftward from column 20; no hang
  EXPECT_EQ(Shown(w.picSample(), 21, 20), src.GetPixel(21, 20));
  EXPECT_NE(Shown(w.picSample(), 20, 20), src.GetPixel(20, 20));
  w.txtNewWidth()->setText("8");
  w.cmdOK()->click();
  EXPECT_EQ(host.doc.surface.GetPixel(27, 27), src.GetPixel(11, 11));
  EXPECT_FALSE(host.doc.selection.active);
  ASSERT_TRUE(host.undo.RestoreBackup(host.doc.surface));
  EXPECT_EQ(host.doc.surface.Pixels(), src.Pixels());
}

TEST_F(EffectWindows, ResampleWithoutSelectionStartsAtTheWholeIcon) {
  frmResample w(host, kPreview, env);
  EXPECT_EQ(w.txtNewWidth()->text(), "32");
  EXPECT_EQ(w.picSample()->Shown().Pixels(), host.doc.surface.Pixels());
  w.txtOffX()->setText("31");
  w.txtNewWidth()->setText("-32");
  EXPECT_EQ(w.picSample()->Shown().GetPixel(0, 5), host.doc.surface.GetPixel(31, 5));
}

int CountColour(const Surface& s, Color c) {
  int n = 0;
  for (Color p : s.Pixels()) n += p == c;
  return n;
}

class TextWindow : public ::testing::Test {
 protected:
  void SetUp() override { host.doc.surface = MakeIconSurface(); }
  TestHost host;
  test::TestEnvironment env;
};

TEST_F(TextWindow, LoadsWithTheListsPositionAndASansSerifFont) {
  frmText w(host, kPreview, 3, 5, kRed, env);
  w.show();
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Varnel Glyphsmith - Texte Maker"));
  EXPECT_EQ(w.cmbFontSize()->count(), 31);
  EXPECT_EQ(w.cmbFontSize()->currentText(), "8");
  EXPECT_EQ(w.cmbFontSize()->itemText(30), "72");
  EXPECT_EQ(w.txtOffX()->text(), "3");
  EXPECT_EQ(w.txtOffY()->text(), "5");
  EXPECT_EQ(w.txtText()->text(), "Zud");
  EXPECT_EQ(w.picOrg()->size(), kPreview);
  EXPECT_EQ(w.picResult()->size(), kPreview);
  ASSERT_GT(w.cmbFonts()->count(), 0) << "no font installed";
  EXPECT_EQ(w.cmbFonts()->currentText(), DesktopSansSerif());
  EXPECT_TRUE(w.chkBold()->font().bold());
  EXPECT_TRUE(w.chkStrikeThrough()->font().strikeOut());
}

TEST_F(TextWindow, ApplyStampsCrispGlyphsAsOftenAsPressed) {
  frmText w(host, kPreview, 0, 0, kRed, env);
  w.show();
  w.txtText()->setText("A");
  const Surface shown = w.picResult()->Shown();
  const int red = CountColour(shown, kRed);
  EXPECT_GT(red, 5);
  // No smoothing: only white and the text colour.
  EXPECT_EQ(red + CountColour(shown, kWhite), 32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 16; x < 32; ++x) ASSERT_EQ(shown.GetPixel(x, y), kWhite) << x << "," << y;
  EXPECT_EQ(host.doc.surface.Pixels(), MakeIconSurface().Pixels());  // not before Apply
  w.cmdapply()->click();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(host.doc.surface.Pixels(), shown.Pixels());
  EXPECT_EQ(w.picOrg()->Shown().Pixels(), shown.Pixels());
  EXPECT_EQ(host.backups, 0);  // the tool's press took it
  w.NewForeColor = RGB(0, 0, 255);
  w.cmdapply()->click();
  EXPECT_EQ(CountColour(host.doc.surface, RGB(0, 0, 255)), red);
  w.cmdCancel()->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(CountColour(host.doc.surface, RGB(0, 0, 255)), red);
}

TEST_F(TextWindow, PositionsSizesAndEmptyText) {
  frmText w(host, kPreview, 0, 0, kRed, env);
  const Surface blank = host.doc.surface;
  w.txtOffX()->setText("40");
  w.txtOffY()->setText("40");
  EXPECT_EQ(w.picResult()->Shown().Pixels(), blank.Pixels());
  w.txtOffX()->setText("0");
  w.txtOffY()->setText("0");
  const int at0 = CountColour(w.picResult()->Shown(), kRed);
  w.txtOffX()->setText("-3");
  const int cut = CountColour(w.picResult()->Shown(), kRed);
  EXPECT_GT(cut, 0);
  EXPECT_LT(cut, at0);
  w.txtOffX()->setText("-2147483648");
  EXPECT_EQ(w.picResult()->Shown().Pixels(), blank.Pixels());
  w.txtOffX()->setText("0");

  w.cmbFontSize()->setEditText("12");
  EXPECT_EQ(w.Style().pointSize, 12);
  const int at12 = CountColour(w.picResult()->Shown(), kRed);
  EXPECT_GT(at12, at0);
  w.cmbFontSize()->setEditText("abc");
  EXPECT_EQ(w.Style().pointSize, 12);
  EXPECT_EQ(CountColour(w.picResult()->Shown(), kRed), at12);
  w.cmbFontSize()->setEditText("0");
  EXPECT_EQ(w.Style().pointSize, 12);
  w.chkBold()->setChecked(true);
  EXPECT_TRUE(w.Style().bold);
  EXPECT_GT(CountColour(w.picResult()->Shown(), kRed), at12);

  w.txtText()->setText("");
  EXPECT_EQ(w.picResult()->Shown().Pixels(), blank.Pixels());
  w.NewForeColor = kWhite;  // white text over red stamps transparent pixels
  host.doc.surface.FillRect({0, 0, 32, 32}, kRed);
  w.txtText()->setText("W");
  EXPECT_GT(CountColour(w.picResult()->Shown(), kWhite), 5);
}

}  // namespace
}  // namespace gs
