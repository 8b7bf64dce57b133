#include "main/DatenSendenDlg.h"

#include <QKeyEvent>

#include "text/Texte.h"

#include "fields/Anzeigetext.h"

TIDD_SEND_DATA::TIDD_SEND_DATA(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  IDCB_PERSON->setText(T(Texte::UebertragungsTexte[Texte::uebertragung::PersonenKarten]));
  IDCB_PROFIL->setText(T(Texte::UebertragungsTexte[Texte::uebertragung::ProfileGeraetedaten]));
  IDCB_DAYS->setText(T(Texte::UebertragungsTexte[Texte::uebertragung::FeiertageUmschalttage]));
  IDSB_OPTIONS->setText(T(Texte::UebertragungsTexte[Texte::uebertragung::Optionen]));
  connect(IDSB_OPTIONS, &QToolButton::clicked, this, [this] { fenster::Geschuetzt([this] { IDSB_OPTIONSClick(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(fenster::mrAbort); });
}

void TIDD_SEND_DATA::SetzeModus(short modus) {
  switch (modus) {
    case kHolen:
      setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::DatenHolen]));
      BitBtn2->setText(T(Texte::UebertragungsTexte[Texte::uebertragung::Holen]));
      Label1->setText(T(Texte::UebertragungsTexte[Texte::uebertragung::WerdenGelesen]));
      break;
    case kSenden:
      setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::DatenSenden]));
      BitBtn2->setText(T(Texte::UebertragungsTexte[Texte::uebertragung::Senden]));
      Label1->setText(T(Texte::UebertragungsTexte[Texte::uebertragung::WerdenGesendet]));
      break;
    default: break;
  }
}

void TIDD_SEND_DATA::IDSB_OPTIONSClick() {
  const bool an = IDSB_OPTIONS->isChecked();
  IDCB_PERSON->setEnabled(an);
  IDCB_PROFIL->setEnabled(an);
  IDCB_DAYS->setEnabled(an);
}

void TIDD_SEND_DATA::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    fenster::Geschuetzt([] { fenster::Hilfe(1030); });
    return;
  }
  fenster::TFormular::keyPressEvent(event);
}
