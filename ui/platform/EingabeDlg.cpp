#include "platform/EingabeDlg.h"

#include <limits>

TIDC_INPUT::TIDC_INPUT(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  IDE_INPUT->setMaxLength(std::numeric_limits<int>::max());
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrCancel); });
}
