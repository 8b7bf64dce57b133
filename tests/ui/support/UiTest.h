// Helpers of the window tests: the Qt application on the offscreen platform, a platform
// with a chosen local date, and rendering a window into a PNG file. Temporary folders and
// whole-file reads come from common/TempOrdner.h.
#pragma once

#include <QString>

#include <string>

#include "common/TempOrdner.h"
#include "platform/Plattform.h"
#include "platform/QtPlattform.h"

class QWidget;
class TIDD_STATUS;

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

// Lays the window out and renders it, without showing it on a screen, into a PNG file.
bool SpeichereBild(QWidget& fenster, const QString& pfad);
