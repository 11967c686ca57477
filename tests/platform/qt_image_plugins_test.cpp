// Qt's image-format plugins held back until the first window has painted.
// ctest runs each test in a process of its own, so Qt has read no picture yet.
#include "platform/qt_image_plugins.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QLibraryInfo>
#include <QStyle>
#include <QTest>
#include <QWidget>

#include "platform/qt_first_frame.h"

namespace gs {
namespace {

TEST(DeferredImagePlugins, PngMeanwhileEveryFormatOnceTheFirstWindowHasPainted) {
  const QString jpegPlugin =
      QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/imageformats/libqjpeg.so";
  if (!QFileInfo::exists(jpegPlugin)) GTEST_SKIP() << "no JPEG plugin installed";
  const QStringList folders = QCoreApplication::libraryPaths();

  DeferredImagePlugins plugins;
  ASSERT_TRUE(plugins.Held());
  // Qt's own PNG pictures (the menu bar's) are read without any plugin.
  EXPECT_FALSE(QApplication::style()->standardIcon(QStyle::SP_TitleBarCloseButton).isNull());
  EXPECT_FALSE(QImageReader::supportedImageFormats().contains("jpeg"));

  QWidget window;
  window.resize(40, 30);
  plugins.ReleaseAfterFirstPaint(&window);
  QCoreApplication::processEvents();
  EXPECT_TRUE(plugins.Held()) << "released before the window was painted";
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // The paint, then the zero-timer after it.
  for (int i = 0; i < 10 && plugins.Held(); ++i) QApplication::processEvents();
  EXPECT_FALSE(plugins.Held());

  EXPECT_EQ(QCoreApplication::libraryPaths(), folders);
  EXPECT_TRUE(QImageReader::supportedImageFormats().contains("jpeg"));
}

TEST(DeferredImagePlugins, WithoutAWindowTheyComeBackAtOnce) {
  const QStringList folders = QCoreApplication::libraryPaths();
  {
    DeferredImagePlugins plugins;
    plugins.ReleaseAfterFirstPaint(nullptr);
    EXPECT_FALSE(plugins.Held());
    EXPECT_EQ(QCoreApplication::libraryPaths(), folders);
  }
  {
    DeferredImagePlugins plugins;  // let go of when it goes
  }
  EXPECT_EQ(QCoreApplication::libraryPaths(), folders);
}

TEST(AfterFirstFrame, RunsOnceAfterTheFirstPaintAndNeverForAWindowGoneBefore) {
  int runs = 0;
  QWidget window;
  window.resize(40, 30);
  AfterFirstFrame(&window, [&runs] { ++runs; });
  QApplication::processEvents();
  EXPECT_EQ(runs, 0);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  for (int i = 0; i < 10 && runs == 0; ++i) QApplication::processEvents();
  EXPECT_EQ(runs, 1);
  window.repaint();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_EQ(runs, 1);

  auto* gone = new QWidget;
  AfterFirstFrame(gone, [&runs] { runs += 10; });
  gone->show();
  delete gone;
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace gs
