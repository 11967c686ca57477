// Compiled with the core library's include paths only: it must not build.
#include <QtCore/QString>
QString guard;
