// The special-days window: enables and names the two special days of the holiday calendar.
// It writes back on OK only.
#pragma once

#include "windowing/Fenster.h"

#include "ui_IDD_SPECIAL.h"

class TSteuerung;

class TIDD_SPECIAL : public fenster::TFormular, public Ui::IDD_SPECIAL {
  Q_OBJECT

 public:
  explicit TIDD_SPECIAL(QWidget* parent = nullptr);

  void Init(TSteuerung& steuerung);
  // A name can be typed only while its day is enabled.
  void IDCB_SPECDAY1Click();
  void IDCB_SPECDAY2Click();
  void BitBtn1Click();

 private:
  TSteuerung* Steuerung = nullptr;
};
