#include "platform/qt_first_frame.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace gs {

namespace {

constexpr int kLongestWait = 3000;  // ms

// Lives on the window, so that it goes with it.
class FirstFrameWatch : public QObject {
 public:
  FirstFrameWatch(QWidget* window, std::function<void()> work)
      : QObject(window), work_(std::move(work)) {
    window->installEventFilter(this);
    QTimer::singleShot(kLongestWait, this, [this] { Run(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      watched->removeEventFilter(this);
      // The paint's own follow-ups (a zero-timer each) first, then the work.
      QTimer::singleShot(0, this, [this] { QTimer::singleShot(0, this, [this] { Run(); }); });
    }
    return false;
  }

 private:
  void Run() {
    if (!work_) return;
    const std::function<void()> work = std::move(work_);
    work_ = nullptr;
    deleteLater();
    work();
  }

  std::function<void()> work_;
  bool painted_ = false;
};

}  // namespace

void AfterFirstFrame(QWidget* window, std::function<void()> work) {
  if (!window) {
    work();
    return;
  }
  new FirstFrameWatch(window, std::move(work));
}

}  // namespace gs
