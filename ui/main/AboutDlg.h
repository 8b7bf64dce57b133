// The about window: the program's picture, its title and version, and OK.
#pragma once

#include "windowing/Fenster.h"

#include "ui_IDD_ABOUT.h"

class TIDD_ABOUT : public fenster::TFormular, public Ui::IDD_ABOUT {
  Q_OBJECT

 public:
  explicit TIDD_ABOUT(QWidget* parent = nullptr);
};
