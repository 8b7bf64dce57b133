// The holiday generator window: fills the document's holiday table with the German public
// holidays and the summer/winter switch Sundays of a range of years, replacing every entry
// made before. The rules are the engine's (model/Feiertagsgenerator.h).
#pragma once

#include "model/Feiertagsgenerator.h"

#include "windowing/Fenster.h"

#include "ui_IDD_BUILD_FD.h"

class TSteuerung;

class TIDD_BUILD_FD : public fenster::TFormular, public Ui::IDD_BUILD_FD {
  Q_OBJECT

 public:
  explicit TIDD_BUILD_FD(QWidget* parent = nullptr);

  void Init(TSteuerung* dokument);
  // Refuses unusable years with a box, asks before anything changes, then empties the table,
  // drops the switch pairs, generates and reports it.
  void Button1Click();
  // The boxes as ticked.
  Feiertagsauswahl Auswahl() const;

 private:
  TSteuerung* Steuerung = nullptr;
};
