#include "KommQt.h"

#include <chrono>
#include <thread>

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QThread>
#include <QWidget>

#include "KommGlobals.h"

namespace komm {
namespace {

// Pending events belong to the application's own thread; any other thread just sleeps.
bool EventsOnThisThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && app->thread() == QThread::currentThread();
}

void SleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

void Pause(std::uint32_t ms) {
  if (!EventsOnThisThread()) {
    SleepMs(ms);
    return;
  }
  const std::uint32_t start = MsClock();
  for (std::uint32_t elapsed = 0; elapsed < ms; elapsed = MsClock() - start) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(ms - elapsed));
    SleepMs(1);
  }
}

void ProcessPendingEvents() {
  if (EventsOnThisThread()) QCoreApplication::processEvents();
  SleepMs(1);
}

// Caption "Debugausgabe", a label "Status:" and the panel that shows the current status.
class TIDD_MAINDLG : public QWidget {
 public:
  TIDD_MAINDLG() : QWidget(nullptr, Qt::Dialog) {
    setObjectName(QStringLiteral("IDD_MAINDLG"));
    setWindowTitle(QStringLiteral("Debugausgabe"));
    setFixedSize(275, 115);
    Label1 = new QLabel(QStringLiteral("Status:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 16);
    Out_Debug = new QLabel(this);
    Out_Debug->setObjectName(QStringLiteral("Out_Debug"));
    Out_Debug->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Out_Debug->setAlignment(Qt::AlignCenter);
    Out_Debug->setGeometry(16, 40, 241, 33);
  }

  void SetStatus(const std::string& text) {
    Out_Debug->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }

 private:
  QLabel* Label1;     // owned by the window
  QLabel* Out_Debug;  // owned by the window
};

struct DebugWindow::Impl {
  std::unique_ptr<TIDD_MAINDLG> window;
};

DebugWindow::DebugWindow() : impl_(std::make_unique<Impl>()) {}

DebugWindow::~DebugWindow() {
  // A link still open when the program ends outlives the application: its widget must not
  // be touched any more then, and goes with the process.
  if (QCoreApplication::instance() == nullptr) (void)impl_->window.release();
}

std::unique_ptr<DebugWindow> DebugWindow::Create() {
  if (!EventsOnThisThread() || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
  std::unique_ptr<DebugWindow> dialog(new DebugWindow());
  dialog->impl_->window = std::make_unique<TIDD_MAINDLG>();
  dialog->impl_->window->show();
  return dialog;
}

void DebugWindow::SetStatus(const std::string& text) {
  if (impl_->window) impl_->window->SetStatus(text);
}

void DebugWindow::Hide() {
  if (impl_->window) impl_->window->hide();
}

}  // namespace komm
