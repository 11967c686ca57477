#include "shell/splash_timer.h"

#include "document/numeric.h"

namespace gs {

int NextSplashValue(int value) { return Nearest(value + 5.5); }

bool SplashFinished(int valueReadBack) { return valueReadBack > 99; }

}  // namespace gs
