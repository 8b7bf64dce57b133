#include "settings/SpezialDlg.h"

#include "document/Steuerung.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"

namespace {

// Typing limit of a special day's name.
constexpr std::size_t kSondertagname = 20;

}  // namespace

TIDD_SPECIAL::TIDD_SPECIAL(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  feld::Begrenze(*IDE_NAME_SPEC1, kSondertagname);
  feld::Begrenze(*IDE_NAME_SPEC2, kSondertagname);
  connect(IDCB_SPECDAY1, &QCheckBox::clicked, this, [this] { fenster::Geschuetzt([this] { IDCB_SPECDAY1Click(); }); });
  connect(IDCB_SPECDAY2, &QCheckBox::clicked, this, [this] { fenster::Geschuetzt([this] { IDCB_SPECDAY2Click(); }); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { BitBtn1Click(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrAbort); });
}

void TIDD_SPECIAL::Init(TSteuerung& steuerung) {
  Steuerung = &steuerung;
  const std::uint32_t flags = steuerung.Geraetedaten.Flags;
  IDCB_SPECDAY1->setChecked((flags & GD_SONDERTAG1) != 0);
  IDCB_SPECDAY2->setChecked((flags & GD_SONDERTAG2) != 0);
  feld::Zeige(*IDE_NAME_SPEC1, feld::Text(steuerung.NameSondertag1));
  feld::Zeige(*IDE_NAME_SPEC2, feld::Text(steuerung.NameSondertag2));
  IDCB_SPECDAY1->setText(T(Texte::Tagesarten[Texte::tagesart::Sondertag1]));
  IDCB_SPECDAY2->setText(T(Texte::Tagesarten[Texte::tagesart::Sondertag2]));
  setWindowTitle(T(Texte::Titel[Texte::titel::ZusaetzlicheSondertage]));
  IDCB_SPECDAY1Click();
  IDCB_SPECDAY2Click();
}

void TIDD_SPECIAL::IDCB_SPECDAY1Click() { IDE_NAME_SPEC1->setEnabled(IDCB_SPECDAY1->isChecked()); }

void TIDD_SPECIAL::IDCB_SPECDAY2Click() { IDE_NAME_SPEC2->setEnabled(IDCB_SPECDAY2->isChecked()); }

void TIDD_SPECIAL::BitBtn1Click() {
  TSteuerung& st = *Steuerung;
  const std::uint32_t flagsVorher = st.Geraetedaten.Flags;
  const std::string name1Vorher = st.NameSondertag1;
  const std::string name2Vorher = st.NameSondertag2;

  std::uint32_t& flags = st.Geraetedaten.Flags;
  flags &= ~(GD_SONDERTAG1 | GD_SONDERTAG2);
  if (IDCB_SPECDAY1->isChecked()) flags |= GD_SONDERTAG1;
  if (IDCB_SPECDAY2->isChecked()) flags |= GD_SONDERTAG2;
  // Both names are stored, also for a day that is not enabled.
  feld::Schreibe(st.NameSondertag1, *IDE_NAME_SPEC1, kSondertagname);
  feld::Schreibe(st.NameSondertag2, *IDE_NAME_SPEC2, kSondertagname);

  if (flags != flagsVorher || st.NameSondertag1 != name1Vorher || st.NameSondertag2 != name2Vorher) {
    st.DatenGespeichert = false;
  }
  done(fenster::mrOk);
}
