// The controller-data window: door names, the device type with its default reader-to-door
// assignment, and the logging and airlock flags. It writes back on OK only; "Erweitert"
// opens the special-days window, whose OK stands whatever this window's result.
#pragma once

#include <cstdint>

#include "windowing/Fenster.h"

#include "ui_IDD_SYSTEMDATA.h"

class TSteuerung;

class TIDD_SYSTEMDATA : public fenster::TFormular, public Ui::IDD_SYSTEMDATA {
  Q_OBJECT

 public:
  explicit TIDD_SYSTEMDATA(QWidget* parent = nullptr);

  void Init(TSteuerung& steuerung);
  // Shows the window for the chosen type and ticks the six assignment boxes.
  void ZeigeLeserzuordnung();
  // The user chose the type at `index`; choosing the type shown is no change.
  void IDCB_SELECT_STRGChange(int index);
  void IDB_ADVANCEDClick();
  void BitBtn1Click();

 private:
  TSteuerung* Steuerung = nullptr;
  bool TypGeaendert = false;
  int Typ = 0;                  // 0 "ZO 10", 1 "RA 20"
  std::uint16_t Zuordnung = 0;  // the reader-to-door word shown
};
