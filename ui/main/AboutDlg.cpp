#include "main/AboutDlg.h"

#include "graphics/Bilder.h"

TIDD_ABOUT::TIDD_ABOUT(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  Image1->setPixmap(bilder::Programmbild(Image1->width()));
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
}
