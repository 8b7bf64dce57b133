#include "settings/SteuerungenDlg.h"

#include <utility>

#include "document/Steuerung.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"
#include "settings/SpezialDlg.h"
#include "shared/Fensterregister.h"

namespace {

constexpr std::size_t kTuername = sizeof(GERAETEDATEN::NameTuer1) - 1;

// Reader-to-door bits: reader 1 to door 1, 2, 3, then reader 2.
constexpr std::uint16_t kL1T1 = 0x01, kL1T2 = 0x02, kL1T3 = 0x04, kL2T1 = 0x10, kL2T2 = 0x20, kL2T3 = 0x40;

void Setze(std::uint32_t& flags, std::uint32_t bit, bool an) {
  if (an) {
    flags |= bit;
  } else {
    flags &= ~bit;
  }
}

}  // namespace

TIDD_SYSTEMDATA::TIDD_SYSTEMDATA(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  IDCB_SELECT_STRG->addItem(T(Texte::Geraetetypname(0)));
  IDCB_SELECT_STRG->addItem(T(Texte::Geraetetypname(1)));
  feld::Begrenze(*IDE_DOOR1, kTuername);
  feld::Begrenze(*IDE_DOOR2, kTuername);
  feld::Begrenze(*IDE_DOOR3, kTuername);
  // Only the user's choice is a type change; code setting the index is none.
  connect(IDCB_SELECT_STRG, &QComboBox::activated, this,
          [this](int index) { fenster::Geschuetzt([this, index] { IDCB_SELECT_STRGChange(index); }); });
  connect(IDB_ADVANCED, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { IDB_ADVANCEDClick(); }); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { BitBtn1Click(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrAbort); });
}

void TIDD_SYSTEMDATA::Init(TSteuerung& steuerung) {
  Steuerung = &steuerung;
  const GERAETEDATEN& gd = steuerung.Geraetedaten;
  feld::Zeige(*IDE_DOOR1, feld::Lies(gd.NameTuer1));
  feld::Zeige(*IDE_DOOR2, feld::Lies(gd.NameTuer2));
  feld::Zeige(*IDE_DOOR3, T(Texte::Beschriftungen[Texte::beschriftung::Meldekontakt]));

  Labeld1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]));
  Labeld2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]));
  Labeld3->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]));
  Labell1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Leser1]));
  Labell2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Leser2]));
  Label2->setText(T(Texte::Beschriftungen[Texte::beschriftung::LeserzuordnungDerSteuerung]));
  Label1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuerstandorte]));
  Labelstrg->setText(T(Texte::Beschriftungen[Texte::beschriftung::Geraetetyp]));
  CheckBoxd1l1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]));
  CheckBoxd1l2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]));
  CheckBoxd2l1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]));
  CheckBoxd2l2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]));
  CheckBoxd3l1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]));
  CheckBoxd3l2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]));
  IDB_ADVANCED->setText(T(Texte::Beschriftungen[Texte::beschriftung::Erweitert]));

  // A type outside 0 and 1 shows as "ZO 10", as the window draws it.
  Typ = steuerung.Geraetetyp == 1 ? 1 : 0;
  IDCB_SELECT_STRG->setCurrentIndex(Typ);
  Zuordnung = steuerung.LeserTuerZuordnung;

  CheckBoxUnbekannt->setChecked((gd.Flags & GD_UNBEKANNTE_BUCHEN) != 0);
  CheckBoxAbgewiesen->setChecked((gd.Flags & GD_ABGEWIESENE_BUCHEN) != 0);
  CheckBoxSchleusse->setChecked((gd.Flags & GD_SCHLEUSSE) != 0);

  TypGeaendert = false;
  ZeigeLeserzuordnung();
}

void TIDD_SYSTEMDATA::ZeigeLeserzuordnung() {
  const bool ra20 = Typ == 1;
  for (QWidget* w :
       {static_cast<QWidget*>(CheckBoxd1l2), static_cast<QWidget*>(CheckBoxd2l2), static_cast<QWidget*>(CheckBoxd3l2),
        static_cast<QWidget*>(Labeld3), static_cast<QWidget*>(IDE_DOOR3), static_cast<QWidget*>(CheckBoxd3l1),
        static_cast<QWidget*>(Labell2)}) {
    w->setVisible(ra20);
  }
  const QString tuer2 = T(Texte::Beschriftungen[ra20 ? Texte::beschriftung::Tuer2 : Texte::beschriftung::Tuer2MK]);
  CheckBoxd2l1->setText(tuer2);
  Labeld2->setText(tuer2);
  IDE_DOOR2->setEnabled(ra20);
  // Hidden on a "ZO 10", its state is still written on OK, unchanged.
  CheckBoxSchleusse->setVisible(ra20);

  CheckBoxd1l1->setChecked((Zuordnung & kL1T1) != 0);
  CheckBoxd2l1->setChecked((Zuordnung & kL1T2) != 0);
  CheckBoxd3l1->setChecked((Zuordnung & kL1T3) != 0);
  CheckBoxd1l2->setChecked((Zuordnung & kL2T1) != 0);
  CheckBoxd2l2->setChecked((Zuordnung & kL2T2) != 0);
  CheckBoxd3l2->setChecked((Zuordnung & kL2T3) != 0);
}

void TIDD_SYSTEMDATA::IDCB_SELECT_STRGChange(int index) {
  if (index != 0 && index != 1) return;
  if (index == Typ) return;  // the type shown chosen again
  TypGeaendert = true;
  Typ = index;
  Zuordnung = Typ == 1 ? (kL1T1 | kL2T2) : kL1T1;
  ZeigeLeserzuordnung();
}

void TIDD_SYSTEMDATA::IDB_ADVANCEDClick() {
  IDD_SPECIAL->Init(*Steuerung);
  fenster::ZeigeModal(*IDD_SPECIAL);
}

void TIDD_SYSTEMDATA::BitBtn1Click() {
  TSteuerung& st = *Steuerung;
  GERAETEDATEN& gd = st.Geraetedaten;
  const GERAETEDATEN vorher = gd;
  const int typVorher = st.Geraetetyp;
  const std::uint16_t zuordnungVorher = st.LeserTuerZuordnung;

  feld::Schreibe(gd.NameTuer1, *IDE_DOOR1);
  feld::Schreibe(gd.NameTuer2, *IDE_DOOR2);
  Setze(gd.Flags, GD_UNBEKANNTE_BUCHEN, CheckBoxUnbekannt->isChecked());
  Setze(gd.Flags, GD_ABGEWIESENE_BUCHEN, CheckBoxAbgewiesen->isChecked());
  Setze(gd.Flags, GD_SCHLEUSSE, CheckBoxSchleusse->isChecked());

  if (TypGeaendert) {
    std::uint16_t wort = 0;
    std::uint32_t tueren = 0;
    const std::pair<const QCheckBox*, std::uint16_t> boxen[] = {{CheckBoxd1l1, kL1T1}, {CheckBoxd2l1, kL1T2},
                                                                {CheckBoxd3l1, kL1T3}, {CheckBoxd1l2, kL2T1},
                                                                {CheckBoxd2l2, kL2T2}, {CheckBoxd3l2, kL2T3}};
    for (const auto& [box, bit] : boxen) {
      if (!box->isChecked()) continue;
      wort |= bit;
      // The low three bits of either reader's nibble name the door.
      tueren |= (bit | (bit >> 4)) & (GD_TUER1 | GD_TUER2 | GD_TUER3);
    }
    st.Geraetetyp = Typ;
    st.LeserTuerZuordnung = wort;
    gd.Flags = (gd.Flags & 0xFFF8u) | tueren;
    Setze(gd.Flags, GD_TYP_RA20, Typ == 1);
    gd.Flags &= ~GD_ANTIPASSBACK;
  }

  if (!(gd == vorher) || st.Geraetetyp != typVorher || st.LeserTuerZuordnung != zuordnungVorher) {
    st.DatenGespeichert = false;
  }
  done(fenster::mrOk);
}
