#include "shell/qt_web.h"

#include <QFile>
#include <QUrl>

#include "lang/qt_translation.h"
#include "platform/app_identity.h"
#include "platform/program_folder.h"
#include "platform/qt_dialog_seam.h"
#include "shell/product.h"

namespace gs {

bool OpenWebAddress(const Environment& env, const QString& address) {
  const QUrl url = QUrl::fromUserInput(address.trimmed());
  return url.isValid() && env.Dialogs().OpenAddress(url);
}

namespace {

void TellHandbook(QWidget* window, const Environment& env, const QString& text) {
  env.Dialogs().Message(window, QMessageBox::Information, QString::fromUtf8(kAppTitle), text,
                        QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace

void OpenHandbook(QWidget* window, const Environment& env) {
  const std::string page = FindHandbook(env.programFolder);
  if (!page.empty()) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(page));
    if (!env.Dialogs().OpenAddress(QUrl::fromLocalFile(path)))
      TellHandbook(window, env,
                   WindowMessage(window, kHandbookNotOpenedKey, kHandbookNotOpened) + '\n' + path);
    return;
  }
  QString text = WindowMessage(window, kNoHandbookKey, kNoHandbook);
  for (const std::string& place : HandbookPlaces(env.programFolder))
    text += '\n' + QFile::decodeName(QByteArray::fromStdString(place));
  TellHandbook(window, env, text);
}

void OpenProductPage(QWidget* window, const Environment& env) {
  if (kProductWebAddress[0] != '\0')
    OpenWebAddress(env, QString::fromLatin1(kProductWebAddress));
  else
    OpenHandbook(window, env);
}

}  // namespace gs
