#include "shell/FrmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "lang/qt_translation.h"
#include "shell/frmMain.h"
#include "shell/splash_timer.h"
#include "widgets/qt_progress_bar.h"

namespace gs {

namespace {

constexpr int kWidth = 481;
constexpr int kHeight = 278;

// A small pixel picture shown magnified: a brush over a framed canvas.
constexpr const char* kMotif[] = {
    "................", "..........kk....", ".........kyyk...", "........kyyk....",
    ".......kyyk.....", "......kwwk......", ".....kwwk.......", "....krrk........",
    "...krrrk........", "..krrrk.........", "..krrk..bbbbb...", "...kk..bgggggb..",
    ".......bgggggb..", ".......bgggggb..", "........bbbbb...", "................",
};

QColor MotifColor(char c) {
  switch (c) {
    case 'k':
      return QColor(30, 34, 48);
    case 'y':
      return QColor(240, 196, 64);
    case 'w':
      return QColor(200, 200, 210);
    case 'r':
      return QColor(220, 70, 60);
    case 'b':
      return QColor(40, 90, 190);
    case 'g':
      return QColor(90, 190, 110);
    default:
      return QColor();
  }
}

}  // namespace

QPixmap SplashPicture(const QString& tagline) {
  QPixmap pm(kWidth, kHeight);
  QPainter p(&pm);
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, QColor(24, 48, 104));
  sky.setColorAt(1, QColor(58, 104, 178));
  p.fillRect(pm.rect(), sky);
  // A faint pixel grid, as on the editor's canvas.
  p.setPen(QColor(255, 255, 255, 18));
  for (int x = 0; x < kWidth; x += 12) p.drawLine(x, 0, x, kHeight);
  for (int y = 0; y < kHeight; y += 12) p.drawLine(0, y, kWidth, y);
  // The motif, nine times magnified, on a white card.
  const int cell = 9, left = 26, top = 40;
  p.fillRect(QRect(left - 8, top - 8, 16 * cell + 16, 16 * cell + 16), QColor(250, 250, 250));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (const QColor c = MotifColor(kMotif[y][x]); c.isValid())
        p.fillRect(left + x * cell, top + y * cell, cell, cell, c);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont title = p.font();
  title.setPixelSize(34);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(196, 48, 280, 44), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Glyphsmith"));
  QFont maker = title;
  maker.setPixelSize(16);
  maker.setBold(false);
  maker.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  p.setFont(maker);
  p.setPen(QColor(190, 210, 245));
  p.drawText(QRect(198, 28, 280, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VARNEL"));
  QFont version = title;
  version.setPixelSize(22);
  p.setFont(version);
  p.setPen(QColor(244, 198, 70));
  p.drawText(QRect(198, 92, 280, 30), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral(GLYPHSMITH_TITLE_VERSION));
  QFont line = title;
  line.setPixelSize(13);
  line.setBold(false);
  p.setFont(line);
  p.setPen(QColor(225, 232, 248));
  p.drawText(QRect(198, 130, 270, 40), Qt::AlignLeft | Qt::TextWordWrap,
             tagline.isEmpty() ? QString::fromUtf8(kSplashTagline) : tagline);
  p.setPen(QColor(255, 255, 255, 90));
  p.drawLine(0, kHeight - 1, kWidth, kHeight - 1);
  return pm;
}

FrmSplash::FrmSplash(Environment& env, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), env_(env) {
  setObjectName("FrmSplash");
  setWindowTitle(QString());
  setFixedSize(kWidth, kHeight);
  image1_ = new QLabel(this);
  image1_->setObjectName("Image1");
  image1_->setPixmap(SplashPicture());
  image1_->setGeometry(0, 0, kWidth, kHeight);
  bar_ = new XP_ProgressBar(this);
  bar_->setObjectName("bar");
  bar_->setGeometry(248, 232, 217, 9);
  bar_->setColor(QColor(51, 94, 168));
  bar_->setBrushStyle(0);
  bar_->setScrolling(3);
  bar_->setValue(0);
  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(kSplashTickMs);
  connect(timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  AddWindowMessages(this,
                    {{"msgTagline", kSplashTagline}, {kLanguageNotSavedKey, kLanguageNotSaved}});
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

FrmSplash::~FrmSplash() = default;

void FrmSplash::Load(const std::string& commandLine) {
  // Enabled from the start: it may tick while the texts load.
  timer1_->start();
  LoadWindowLanguage(this, env_, /*exportMessages=*/true);
  image1_->setPixmap(SplashPicture(WindowMessage(this, "msgTagline")));
  main_ = std::make_unique<frmMain>(env_);
  main_->Start(commandLine);
}

void FrmSplash::Timer1_Timer() {
  bar_->setValue(NextSplashValue(bar_->value()));
  // A tick during the load comes before the main window exists; a later one finishes.
  if (!SplashFinished(bar_->value()) || !main_) return;
  timer1_->stop();
  main_->show();
  close();
}

}  // namespace gs
