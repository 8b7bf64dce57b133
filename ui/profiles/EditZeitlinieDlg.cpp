#include "profiles/EditZeitlinieDlg.h"

#include <array>

TIDD_EDIT_TIMELINE::TIDD_EDIT_TIMELINE(QWidget* parent) : TZeitlinienFenster(parent) {
  setupUi(this);
  setFixedSize(size());
  UebernimmFormular(*this);
}

void TIDD_EDIT_TIMELINE::Init(Zeitlinie& kopie, std::uint16_t maske) {
  Maske = maske;
  LadeZeitenUndTage(kopie);
  IDCB_DOOR1->setChecked((kopie.Tueren & 0x11) != 0);
  IDCB_DOOR2->setChecked((kopie.Tueren & 0x22) != 0);
  IDCB_DOOR3->setChecked((kopie.Tueren & 0x44) != 0);
}

void TIDD_EDIT_TIMELINE::BitBtn1Click() {
  if (Kopie == nullptr || !NimmEingaben()) return;
  Zeitlinie z = *Kopie;
  SchreibeZeitenUndTage(z);
  struct Tuer {
    const QCheckBox* box;
    std::uint16_t leser1;
    std::uint16_t leser2;
  };
  for (const Tuer& t :
       std::array<Tuer, 3>{{{IDCB_DOOR1, 0x01, 0x10}, {IDCB_DOOR2, 0x02, 0x20}, {IDCB_DOOR3, 0x04, 0x40}}}) {
    if (t.box->isChecked()) {
      z.Tage |= TAG_BENUTZT;
      z.Tueren |= static_cast<std::uint16_t>(Maske & (t.leser1 | t.leser2));
    } else {
      z.Tueren &= static_cast<std::uint16_t>(~(t.leser1 | t.leser2));
    }
  }
  *Kopie = z;
  done(fenster::mrOk);
}
