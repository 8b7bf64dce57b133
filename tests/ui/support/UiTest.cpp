#include "UiTest.h"

#include <stdlib.h>

#include <memory>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLayout>
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "main/Formulare.h"
#include "main/MainDlg.h"

#include "Skript.h"

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

QRect Gezeichnet(const QImage& bild) {
  QRect rahmen;
  for (int y = 0; y < bild.height(); ++y) {
    for (int x = 0; x < bild.width(); ++x) {
      if (bild.pixelColor(x, y).alpha() > 127) rahmen |= QRect(x, y, 1, 1);
    }
  }
  return rahmen;
}

Programm::Programm(const std::string& ordner, std::function<std::unique_ptr<TestPlattform>()> uhr)
    : formulare_(std::make_unique<TFormulare>()) {
  IDD_MAIN->SetzeOrdner(ordner);
  plattform_ = uhr();
  wahl_ = std::make_unique<PlattformWahl>(*plattform_);
  Skript still;  // the start shows no box
  IDD_MAIN->show();
}

Programm::Programm(const std::string& ordner, const QDateTime& zeit)
    : Programm(ordner, [&zeit] { return std::make_unique<TestPlattform>(*IDD_STATUS, zeit); }) {}

Programm::Programm(const std::string& ordner, int jahr)
    : Programm(ordner, [jahr] { return std::make_unique<TestPlattform>(*IDD_STATUS, jahr); }) {}

Programm::~Programm() {
  if (IDD_MAIN != nullptr && IDD_MAIN->Dokument() != nullptr) {
    S().DatenGespeichert = true;
    S().BuchungenGespeichert = true;
  }
  wahl_.reset();
  formulare_.reset();
}

TSteuerung& Programm::S() { return *IDD_MAIN->Dokument(); }
