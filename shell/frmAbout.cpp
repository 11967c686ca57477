#include "shell/frmAbout.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "lang/qt_translation.h"
#include "platform/app_identity.h"
#include "shell/about_memory.h"
#include "shell/product.h"
#include "shell/qt_command_art.h"
#include "shell/qt_web.h"

namespace gs {

namespace {

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent, QRect geometry) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(geometry);
  return l;
}

QFrame* Line(const char* name, QWidget* parent, QRect geometry) {
  auto* line = new QFrame(parent);
  line->setObjectName(name);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(geometry);
  return line;
}

}  // namespace

frmAbout::frmAbout(Environment& env, QWidget* parent) : QDialog(parent), env_(env) {
  setObjectName("frmAbout");
  setModal(true);
  setWindowTitle(QString::fromUtf8(kAboutTitle));
  setFixedSize(464, 350);

  auto* frame = new QGroupBox(QStringLiteral("A propos "), this);
  frame->setObjectName("FramePlus1");
  frame->setGeometry(8, 6, 448, 296);

  auto* picture = new QLabel(frame);
  picture->setPixmap(CommandPicture(CommandArt::Help, 48));
  picture->setGeometry(14, 26, 52, 52);
  // A field has no caption of its own: its line is a message of the window.
  AddWindowMessages(this, {{"msgAuthor", kAboutAuthor}});
  auto* text1 = new QLineEdit(QString::fromUtf8(kAboutAuthor), frame);
  text1->setObjectName("Text1");
  text1->setReadOnly(true);
  text1->setGeometry(76, 26, 358, 26);
  auto* label5 =
      NamedLabel("Label5",
                 QString::fromUtf8(
                     "C'est un logiciel qui va vous permettre de créer des icons et même des "
                     "curseurs comme des "
                     "professionnels. Son utilisation est très simple et ne nécessite pas beaucoup "
                     "d'apprentissage."),
                 frame, QRect(76, 60, 358, 96));
  label5->setWordWrap(true);
  label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Line("Line1", frame, QRect(14, 164, 420, 4));
  NamedLabel("Label1", QString::fromUtf8("Mémoire totale :"), frame, QRect(76, 178, 150, 22));
  lblTotMem_ = NamedLabel("lblTotMem", QString(), frame, QRect(230, 178, 200, 22));
  NamedLabel("Label2", QStringLiteral("Ram Libre :"), frame, QRect(76, 204, 150, 22));
  lblAvail_ = NamedLabel("lblAvail", QString(), frame, QRect(230, 204, 200, 22));
  Line("Line2", frame, QRect(14, 236, 420, 4));
  // Without the maker's address the link leads to the handbook.
  const bool hasAddress = kProductWebAddress[0] != '\0';
  label6_ = NamedLabel("Label6",
                       hasAddress ? QString::fromLatin1(kProductWebAddress)
                                  : QString::fromUtf8(kHandbookLinkCaption),
                       frame, QRect(14, 250, 420, 26));
  label6_->setAlignment(Qt::AlignCenter);
  label6_->setCursor(Qt::PointingHandCursor);
  QPalette link = label6_->palette();
  link.setColor(QPalette::WindowText, QColor(0, 0, 255));
  label6_->setPalette(link);
  label6_->installEventFilter(this);

  cmdOK_ = new QPushButton(QStringLiteral("&Ok"), this);
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setGeometry(344, 312, 112, 30);
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, [this] { accept(); });

  // The figures are this machine's, now: no language file holds or replaces them.
  MarkLiveControl(lblTotMem_);
  MarkLiveControl(lblAvail_);
  if (const auto m = ReadMemoryStatus()) {
    lblTotMem_->setText(QString::fromStdString(TotalMemoryText(m->totalBytes)));
    lblAvail_->setText(QString::fromStdString(FreeShareText(MemoryLoad(*m))));
  }
  LoadWindowLanguage(this, env_);
  text1->setText(WindowMessage(this, "msgAuthor"));
  // An address is the same in every language.
  if (hasAddress) label6_->setText(QString::fromLatin1(kProductWebAddress));
  text1->setCursorPosition(0);  // a long line shows its start
}

void frmAbout::Label6_Click() { OpenProductPage(this, env_); }

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == label6_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    Label6_Click();
  return QDialog::eventFilter(watched, event);
}

}  // namespace gs
