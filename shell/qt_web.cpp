#include "shell/qt_web.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "lang/qt_translation.h"
#include "platform/app_identity.h"
#include "platform/program_folder.h"
#include "platform/qt_dialog_seam.h"
#include "shell/product.h"

namespace gs {

void OpenWebAddress(const QString& address) {
  const QUrl url = QUrl::fromUserInput(address.trimmed());
  if (url.isValid()) QDesktopServices::openUrl(url);
}

void OpenHandbook(QWidget* window, const Environment& env) {
  const std::string page = FindHandbook(env.programFolder);
  if (!page.empty()) {
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(page))));
    return;
  }
  QString text = WindowMessage(window, kNoHandbookKey, kNoHandbook);
  for (const std::string& place : HandbookPlaces(env.programFolder))
    text += '\n' + QFile::decodeName(QByteArray::fromStdString(place));
  env.Dialogs().Message(window, QMessageBox::Information, QString::fromUtf8(kAppTitle), text,
                        QMessageBox::Ok, QMessageBox::Ok);
}

void OpenProductPage(QWidget* window, const Environment& env) {
  if (kProductWebAddress[0] != '\0')
    OpenWebAddress(QString::fromLatin1(kProductWebAddress));
  else
    OpenHandbook(window, env);
}

}  // namespace gs
