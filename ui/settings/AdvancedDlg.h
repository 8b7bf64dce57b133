// The expert options window: which reader opens which door, anti-pass-back, the airlock
// function and simulated communication; it also erases the controller's card memory. OK
// computes the reader-to-door word and the doors in use; the opener then writes everything
// back (SchreibeZurueck).
#pragma once

#include <cstdint>

#include "windowing/Fenster.h"

#include "ui_IDD_ADVANCED.h"

class TSteuerung;
class TIDD_STATUS;

class TIDD_ADVANCED : public fenster::TFormular, public Ui::IDD_ADVANCED {
  Q_OBJECT

 public:
  explicit TIDD_ADVANCED(QWidget* parent = nullptr);

  // Fills the window from the document; at level 1 the warning comes first.
  void Init(TSteuerung* steuerung, int level, TIDD_STATUS* status);
  // Writes the options back into the document in their order and brings the access-profile
  // lines into line with the new reader-to-door word. The document counts as unsaved when the
  // word, the device flags or a profile line changed.
  void SchreibeZurueck();

  void BitBtn1Click();
  void Button1Click();

  std::uint16_t LeserTuerMaske = 0;
  std::uint16_t TuerMaske = 0;

 private:
  TSteuerung* Steuerung = nullptr;
  TIDD_STATUS* StatusFenster = nullptr;
};
