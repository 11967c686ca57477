#pragma once
// The splash bar's steps: every tick the value goes to nearest(value + 5.5),
// which from 0 adds 6 (6, 12, ..., 96, 102); the main window shows once the
// value read back from the bar passes 99.
namespace gs {

inline constexpr int kSplashTickMs = 300;

int NextSplashValue(int value);
bool SplashFinished(int valueReadBack);

}  // namespace gs
