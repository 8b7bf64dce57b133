// Helpers of the window tests: the Qt application on the offscreen platform, a platform
// with a chosen local date and time, and rendering a window into a PNG file. Temporary folders and
// whole-file reads come from common/TempOrdner.h.
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <string>

#include "common/TempOrdner.h"
#include "platform/Plattform.h"
#include "platform/QtPlattform.h"

class QWidget;
class TIDD_STATUS;

// The Qt platform with a chosen local date and time.
class TestPlattform final : public QtPlattform {
 public:
  // The PC's date and time with the year moved to `jahr`.
  TestPlattform(TIDD_STATUS& status, int jahr) : QtPlattform(status), jahr_(jahr) {}
  // The local date and time stand still at `zeit` (weekday from its date).
  TestPlattform(TIDD_STATUS& status, const QDateTime& zeit);
  plattform::LocalTime Now() override;

 private:
  int jahr_ = 0;
  std::optional<plattform::LocalTime> fest_;
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
