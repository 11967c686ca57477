#include "shell/qt_web.h"

#include <QDesktopServices>
#include <QUrl>

namespace gs {

void OpenWebAddress(const QString& address) {
  const QUrl url = QUrl::fromUserInput(address.trimmed());
  if (url.isValid()) QDesktopServices::openUrl(url);
}

}  // namespace gs
