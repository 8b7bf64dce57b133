#include "profiles/EditTuerZeitlinieDlg.h"

TIDD_EDIT_DOORTIMELINE::TIDD_EDIT_DOORTIMELINE(QWidget* parent) : TZeitlinienFenster(parent) {
  setupUi(this);
  setFixedSize(size());
  UebernimmFormular(*this);
}

void TIDD_EDIT_DOORTIMELINE::Init(Zeitlinie& kopie) {
  LadeZeitenUndTage(kopie);
  if ((kopie.Tage & TAG_DAUEROFFEN) != 0) {
    alwaysopen->setChecked(true);
  } else if ((kopie.Tage & TAG_DAUERGESPERRT) != 0) {
    alwaysclosed->setChecked(true);
  } else {
    normal->setChecked(true);
  }
}

void TIDD_EDIT_DOORTIMELINE::BitBtn1Click() {
  if (Kopie == nullptr || !NimmEingaben()) return;
  Zeitlinie z = *Kopie;
  SchreibeZeitenUndTage(z);
  if (alwaysopen->isChecked()) {
    z.Tage |= TAG_DAUEROFFEN;
  } else if (alwaysclosed->isChecked()) {
    z.Tage |= TAG_DAUERGESPERRT;
  }
  *Kopie = z;
  done(fenster::mrOk);
}
