// The data-selection window: the user ticks the data groups to send or fetch. The ticks
// and the "Optionen" button keep their state from one use to the next.
#pragma once

#include "windowing/Fenster.h"

#include "ui_IDD_SEND_DATA.h"

class TIDD_SEND_DATA : public fenster::TFormular, public Ui::IDD_SEND_DATA {
  Q_OBJECT

 public:
  explicit TIDD_SEND_DATA(QWidget* parent = nullptr);

  // The modes of SetzeModus: the window selects for a fetch or for a send.
  static constexpr short kHolen = 1;
  static constexpr short kSenden = 2;
  // The data groups of the selection, as bits of its mask; all three ticked is the whole
  // transfer.
  static constexpr int kPersonen = 1;
  static constexpr int kProfile = 2;
  static constexpr int kFeiertage = 4;
  static constexpr int kAlle = kPersonen | kProfile | kFeiertage;

  // kHolen or kSenden; any other mode changes nothing.
  void SetzeModus(short modus);
  void IDSB_OPTIONSClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
