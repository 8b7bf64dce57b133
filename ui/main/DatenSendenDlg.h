// The data-selection window: the user ticks the data groups to send or fetch. The ticks
// and the "Optionen" button keep their state from one use to the next.
#pragma once

#include "platform/Fenster.h"
#include "ui_IDD_SEND_DATA.h"

class TIDD_SEND_DATA : public fenster::TFormular, public Ui::IDD_SEND_DATA {
  Q_OBJECT

 public:
  explicit TIDD_SEND_DATA(QWidget* parent = nullptr);

  // 1 fetch, 2 send; any other mode changes nothing.
  void SetzeModus(short modus);
  void IDSB_OPTIONSClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
