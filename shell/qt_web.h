#pragma once
// Opens an address with the desktop's default browser; a failure is ignored
// (nothing to tell the user that the browser would not tell better).
#include <QString>

namespace gs {

void OpenWebAddress(const QString& address);

}  // namespace gs
