// The print window: the user ticks the sections to print (the ticks stay from one opening to
// the next), chooses the order of persons and bookings and the years of the holidays, sets
// the printer up and prints. Each ticked section is a job of its own, in the order profiles,
// persons, device data, holidays, bookings.
#pragma once

#include <memory>

#include <QPrinter>

#include "printing/Druckziel.h"
#include "windowing/Fenster.h"

#include "ui_IDD_PRINT.h"

class TSteuerung;

class TIDD_PRINT : public fenster::TFormular, public Ui::IDD_PRINT {
  Q_OBJECT

 public:
  explicit TIDD_PRINT(QWidget* parent = nullptr);
  ~TIDD_PRINT() override;

  // Before every showing: the document, the years from its reference year to 20 years on
  // (both on the reference year), the captions and the sort choices (persons by name,
  // bookings by date and time).
  void Init(TSteuerung* dokument);
  void UpDownFromClick();
  void UpDownToClick();
  void IDB_SELECTALLClick();
  void IDB_PRINTER_SETUPClick();
  // Prints the ticked sections, then the window closes; a failure is shown and the window
  // stays open for the printer set-up.
  void IDB_PRINTClick();

  // The program's printer, made at its first use; it lives as long as this window, the
  // whole run.
  QPrinter& Drucker();
  // Prints on `ziel` (not owned) in place of the printer; nullptr: the printer again.
  void SetzeZiel(drucken::Druckziel* ziel) { Ziel = ziel; }

 private:
  TSteuerung* Steuerung = nullptr;
  std::unique_ptr<QPrinter> Druckerobjekt;
  drucken::Druckziel* Ziel = nullptr;
};
