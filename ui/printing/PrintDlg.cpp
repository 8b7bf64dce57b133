#include "printing/PrintDlg.h"

#include <optional>

#include <QSignalBlocker>

#include "document/Steuerung.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "printing/Druckbericht.h"
#include "printing/QtDruckziel.h"

namespace {

// Sets a year without running the handler that the user's change runs.
void SetzeJahr(QSpinBox& feld, int jahr) {
  const QSignalBlocker sperre(feld);
  feld.setValue(jahr);
}

}  // namespace

TIDD_PRINT::TIDD_PRINT(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  connect(IDB_SELECTALL, &QPushButton::clicked, this,
          [this] { fenster::Geschuetzt([this] { IDB_SELECTALLClick(); }); });
  connect(IDB_PRINTER_SETUP, &QPushButton::clicked, this,
          [this] { fenster::Geschuetzt([this] { IDB_PRINTER_SETUPClick(); }); });
  connect(IDB_PRINT, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { IDB_PRINTClick(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrCancel); });
  // Only the user's changes arrive here: the window sets the years with the signals blocked.
  connect(IDE_FROM, &QSpinBox::valueChanged, this, [this] { fenster::Geschuetzt([this] { UpDownFromClick(); }); });
  connect(IDE_TO, &QSpinBox::valueChanged, this, [this] { fenster::Geschuetzt([this] { UpDownToClick(); }); });
}

TIDD_PRINT::~TIDD_PRINT() = default;

void TIDD_PRINT::Init(TSteuerung* dokument) {
  Steuerung = dokument;
  const int bezugsjahr = dokument->Geraetedaten.Bezugsjahr;
  for (QSpinBox* feld : {IDE_FROM, IDE_TO}) {
    const QSignalBlocker sperre(feld);
    feld->setRange(bezugsjahr, bezugsjahr + 20);
    feld->setValue(bezugsjahr);
  }
  setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::Drucken]));
  IDB_SELECTALL->setText(T(Texte::DruckTexte[Texte::druck::AlleAuswaehlen]));
  IDCB_PROFIL->setText(T(Texte::Beschriftungen[Texte::beschriftung::ZutrittsprofileAbschnitt]));
  IDCB_PERSON->setText(T(Texte::Beschriftungen[Texte::beschriftung::Personendaten]));
  IDCB_DOOR_UNIT->setText(T(Texte::Beschriftungen[Texte::beschriftung::Geraetedaten]));
  IDCB_HOLIDAYS->setText(T(Texte::DruckTexte[Texte::druck::Feiertage]));
  IDCB_BOOKS->setText(T(Texte::DruckTexte[Texte::druck::Buchungen]));
  LABEL_SORT_SELECT->setText(T(Texte::DruckTexte[Texte::druck::SortiertNach]));
  IDL_FROM->setText(T(Texte::DruckTexte[Texte::druck::Von]));
  IDL_TO->setText(T(Texte::DruckTexte[Texte::druck::Bis]));
  IDB_PRINTER_SETUP->setText(T(Texte::DruckTexte[Texte::druck::Druckersetup]));
  IDB_PRINT->setText(T(Texte::Beschriftungen[Texte::beschriftung::Drucken]));
  IDCMB_SELBOOK->clear();
  IDCMB_SELBOOK->addItems({T(Texte::Beschriftungen[Texte::beschriftung::NameAufdruck]),
                           T(Texte::Beschriftungen[Texte::beschriftung::Kartencodierung]),
                           T(Texte::Beschriftungen[Texte::beschriftung::DatumUhrzeit])});
  IDCMB_SELBOOK->setCurrentIndex(2);
  IDCMB_SELPERSON->clear();
  IDCMB_SELPERSON->addItems({T(Texte::Beschriftungen[Texte::beschriftung::NameAufdruck]),
                             T(Texte::Beschriftungen[Texte::beschriftung::Kartencodierung]),
                             T(Texte::Beschriftungen[Texte::beschriftung::Zutrittsprofil])});
  IDCMB_SELPERSON->setCurrentIndex(0);
}

void TIDD_PRINT::UpDownFromClick() {
  if (IDE_TO->value() < IDE_FROM->value()) SetzeJahr(*IDE_TO, IDE_FROM->value());
}

void TIDD_PRINT::UpDownToClick() {
  if (IDE_TO->value() < IDE_FROM->value()) SetzeJahr(*IDE_FROM, IDE_TO->value());
}

void TIDD_PRINT::IDB_SELECTALLClick() {
  for (QCheckBox* box : {IDCB_PROFIL, IDCB_PERSON, IDCB_DOOR_UNIT, IDCB_HOLIDAYS, IDCB_BOOKS}) box->setChecked(true);
}

QPrinter& TIDD_PRINT::Drucker() {
  if (!Druckerobjekt) Druckerobjekt = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *Druckerobjekt;
}

void TIDD_PRINT::IDB_PRINTER_SETUPClick() { fenster::DruckerEinrichten(this, Drucker()); }

void TIDD_PRINT::IDB_PRINTClick() {
  std::optional<drucken::QtDruckziel> aufDemDrucker;
  drucken::Druckziel* ziel = Ziel;
  if (ziel == nullptr) ziel = &aufDemDrucker.emplace(Drucker());
  TDruckbericht bericht(*Steuerung, *ziel, plattform::Current().Now());
  if (IDCB_PROFIL->isChecked()) bericht.DruckeProfile();
  if (IDCB_PERSON->isChecked()) bericht.DruckePersonen(IDCMB_SELPERSON->currentIndex());
  if (IDCB_DOOR_UNIT->isChecked()) bericht.DruckeGeraetedaten();
  if (IDCB_HOLIDAYS->isChecked()) bericht.DruckeFeiertage(IDE_FROM->value(), IDE_TO->value());
  if (IDCB_BOOKS->isChecked()) bericht.DruckeBuchungen(IDCMB_SELBOOK->currentIndex());
  done(fenster::mrOk);
}
