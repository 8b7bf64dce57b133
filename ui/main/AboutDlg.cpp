#include "main/AboutDlg.h"

#include <QStyle>

TIDD_ABOUT::TIDD_ABOUT(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  Image1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
}
