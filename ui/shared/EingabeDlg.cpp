#include "shared/EingabeDlg.h"

#include <cstddef>
#include <limits>

#include "fields/Feldtext.h"

TIDC_INPUT::TIDC_INPUT(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  // No length limit: how long a text may be, the window's user decides.
  IDE_INPUT->setMaxLength(std::numeric_limits<int>::max());
  IDE_INPUT->setValidator(new feld::Cp1252Validator(*IDE_INPUT, std::numeric_limits<std::size_t>::max()));
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrCancel); });
}
