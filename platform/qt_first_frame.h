#pragma once
// Work that the first frame does not show waits until it is on screen:
// AfterFirstFrame(window, work) runs `work` once `window` has painted for the
// first time and the event loop has handled what that paint queued (three
// seconds after the call at the latest, for a window that never paints).
// Nothing runs when the window goes first.
#include <functional>

class QWidget;

namespace gs {

void AfterFirstFrame(QWidget* window, std::function<void()> work);

}  // namespace gs
