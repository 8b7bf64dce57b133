// The one-line input window. Its user empties IDE_INPUT (feld::Zeige), sets the prompt and
// the caption, shows it modally and reads IDE_INPUT after OK. IDE_INPUT takes only characters
// a record field can hold (feld::Speicherbar): a paste drops the others.
#pragma once

#include "windowing/Fenster.h"

#include "ui_IDC_INPUT.h"

class TIDC_INPUT : public fenster::TFormular, public Ui::IDC_INPUT {
  Q_OBJECT

 public:
  explicit TIDC_INPUT(QWidget* parent = nullptr);
};
