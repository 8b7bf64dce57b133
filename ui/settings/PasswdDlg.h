// The password window of the expert mode: one masked edit of at most 10 characters.
#pragma once

#include "windowing/Fenster.h"

#include "ui_IDD_PASSWD.h"

class TIDD_PASSWD : public fenster::TFormular, public Ui::IDD_PASSWD {
  Q_OBJECT

 public:
  explicit TIDD_PASSWD(QWidget* parent = nullptr);

 protected:
  // The edit is empty at every showing: a password left in it would admit the next person at
  // the machine with a press on OK.
  void showEvent(QShowEvent* event) override;
};
