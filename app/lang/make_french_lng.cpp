// Build-time writer of the installed French language file:
//   make_french_lng <file> <scratch folder>
// It runs the windows offscreen, so it needs no display.
#include <QApplication>
#include <cstdio>

#include "shell/qt_french_template.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make_french_lng <file> <scratch folder>\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Written afresh: keys of windows that are gone must not linger.
  std::remove(argv[1]);
  return gs::WriteFrenchTemplate(argv[1], argv[2]) ? 0 : 1;
}
