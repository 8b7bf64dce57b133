#include "settings/PasswdDlg.h"

TIDD_PASSWD::TIDD_PASSWD(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  IDE_PASSWD->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrAbort); });
}

void TIDD_PASSWD::showEvent(QShowEvent* event) {
  IDE_PASSWD->clear();
  IDE_PASSWD->setFocus();
  fenster::TFormular::showEvent(event);
}
