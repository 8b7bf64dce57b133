#include "UiTest.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <vector>

namespace {

// One QApplication on the offscreen platform for every test of the executable.
class QtUmgebung final : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    app_ = std::make_unique<QApplication>(argc_, argv_.data());
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[8] = "ui_test";
  std::vector<char*> argv_{name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const umgebung = ::testing::AddGlobalTestEnvironment(new QtUmgebung);

}  // namespace

TestPlattform::TestPlattform(TIDD_STATUS& status, const QDateTime& zeit)
    : QtPlattform(status),
      fest_(plattform::LocalTime{.year = zeit.date().year(),
                                 .month = zeit.date().month(),
                                 .day = zeit.date().day(),
                                 .hour = zeit.time().hour(),
                                 .minute = zeit.time().minute(),
                                 .second = zeit.time().second(),
                                 .dayOfWeek = zeit.date().dayOfWeek() % 7}) {}  // Qt counts Sunday as 7

plattform::LocalTime TestPlattform::Now() {
  if (fest_) return *fest_;
  plattform::LocalTime t = QtPlattform::Now();
  t.year = jahr_;
  return t;
}

bool SpeichereBild(QWidget& fenster, const QString& pfad) {
  fenster.ensurePolished();
  // Pending layouts first (a status bar lays its panels out on a posted request).
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (fenster.layout() != nullptr) fenster.layout()->activate();
  const QPixmap bild = fenster.grab();
  return !bild.isNull() && bild.save(pfad, "PNG");
}
