// Helpers of the window tests: the Qt application on the offscreen platform, a temporary
// folder, a platform with a chosen local date, and rendering a window into a PNG file.
#pragma once

#include <QString>

#include <string>

#include "Plattform.h"
#include "QtPlattform.h"

class QWidget;
class TIDD_STATUS;

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempOrdner {
 public:
  TempOrdner();
  ~TempOrdner();
  TempOrdner(const TempOrdner&) = delete;
  TempOrdner& operator=(const TempOrdner&) = delete;
  // The folder, ending in '/'.
  const std::string& Pfad() const { return pfad_; }
  std::string Datei(const std::string& name) const { return pfad_ + name; }

 private:
  std::string pfad_;
};

// The Qt platform with the local date moved to `jahr` (the rest of the date and the time
// are the PC's).
class TestPlattform final : public QtPlattform {
 public:
  TestPlattform(TIDD_STATUS& status, int jahr) : QtPlattform(status), jahr_(jahr) {}
  plattform::LocalTime Now() override;

 private:
  int jahr_;
};

// Installs a platform for the lifetime of the object and puts the previous one back.
class PlattformWahl {
 public:
  explicit PlattformWahl(plattform::Plattform& p) : vorher_(plattform::Install(&p)) {}
  ~PlattformWahl() { plattform::Install(vorher_); }
  PlattformWahl(const PlattformWahl&) = delete;
  PlattformWahl& operator=(const PlattformWahl&) = delete;

 private:
  plattform::Plattform* vorher_;
};

std::string LiesDatei(const std::string& pfad);
void SchreibeDatei(const std::string& pfad, const std::string& inhalt);
bool Existiert(const std::string& pfad);

// Lays the window out and renders it, without showing it on a screen, into a PNG file.
bool SpeichereBild(QWidget& fenster, const QString& pfad);
