// Helpers of the window tests: the Qt application on the offscreen platform, a platform
// with a chosen local date and time, and rendering a window into a PNG file. Temporary folders and
// whole-file reads come from common/TempOrdner.h.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QDateTime>
#include <QString>

#include "platform/Plattform.h"

#include "shared/QtPlattform.h"

#include "common/TempOrdner.h"

class QImage;
class QRect;
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

class TFormulare;
class TSteuerung;

// The program as at its start: the windows made in their order, the platform with a test
// clock, and the main window shown on a new document in `ordner` (which holds Wup.ini). On
// destruction the document counts as saved, so nothing is asked, and the windows go.
class Programm {
 public:
  Programm(const std::string& ordner, const QDateTime& zeit);
  Programm(const std::string& ordner, int jahr);
  ~Programm();
  Programm(const Programm&) = delete;
  Programm& operator=(const Programm&) = delete;

  TSteuerung& S();

 private:
  Programm(const std::string& ordner, std::function<std::unique_ptr<TestPlattform>()> uhr);

  std::unique_ptr<TFormulare> formulare_;
  std::unique_ptr<TestPlattform> plattform_;
  std::unique_ptr<PlattformWahl> wahl_;
};

// Lays the window out and renders it, without showing it on a screen, into a PNG file.
bool SpeichereBild(QWidget& fenster, const QString& pfad);

// The smallest rectangle that holds every pixel of the picture that is more opaque than not.
QRect Gezeichnet(const QImage& bild);
