#include "UiTest.h"

#include <QApplication>
#include <QLayout>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
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

TempOrdner::TempOrdner() {
  std::string muster = (std::filesystem::temp_directory_path() / "ui_test_XXXXXX").string();
  if (mkdtemp(muster.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  pfad_ = muster + "/";
}

TempOrdner::~TempOrdner() {
  std::error_code fehler;
  std::filesystem::permissions(pfad_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, fehler);
  std::filesystem::remove_all(pfad_, fehler);
}

plattform::LocalTime TestPlattform::Now() {
  plattform::LocalTime t = QtPlattform::Now();
  t.year = jahr_;
  return t;
}

std::string LiesDatei(const std::string& pfad) {
  std::ifstream datei(pfad, std::ios::binary);
  std::ostringstream inhalt;
  inhalt << datei.rdbuf();
  return inhalt.str();
}

void SchreibeDatei(const std::string& pfad, const std::string& inhalt) {
  std::ofstream datei(pfad, std::ios::binary | std::ios::trunc);
  datei << inhalt;
}

bool Existiert(const std::string& pfad) { return std::filesystem::exists(pfad); }

bool SpeichereBild(QWidget& fenster, const QString& pfad) {
  fenster.ensurePolished();
  if (fenster.layout() != nullptr) fenster.layout()->activate();
  const QPixmap bild = fenster.grab();
  return !bild.isNull() && bild.save(pfad, "PNG");
}
