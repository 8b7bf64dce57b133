#include "profiles/ZutrittprofileDlg.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>

#include <QPixmap>
#include <QShowEvent>
#include <QSignalBlocker>

#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "platform/Plattform.h"
#include "text/Codec1252.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"
#include "graphics/Wochengrafik.h"
#include "profiles/EditZeitlinieDlg.h"
#include "shared/EingabeDlg.h"
#include "shared/Fensterregister.h"

namespace {

// A person's profile field holds 11 characters.
constexpr qsizetype kNamenslaenge = 11;

// The Windows-1252 bytes of a new profile's name, or nothing after a box that says why it
// is refused.
std::optional<std::string> NeuerName(const QString& name) {
  const std::optional<std::string> bytes = Utf8NachCp1252(name.toStdString());
  if (!bytes) {
    fenster::MessageBox(QStringLiteral("Der Profilname enthält ein Zeichen, das die Steuerung nicht speichern kann."),
                        T(Texte::AllgemeineTexte[Texte::allgemein::Fehler]), plattform::MB_ERROR);
    return std::nullopt;
  }
  const bool leerzeichen = std::any_of(name.begin(), name.end(), [](QChar c) { return c.isSpace(); });
  if (leerzeichen || static_cast<qsizetype>(bytes->size()) > kNamenslaenge) {
    fenster::MessageBox(QStringLiteral("Ein Profilname hat höchstens 11 Zeichen und kein Leerzeichen."),
                        T(Texte::AllgemeineTexte[Texte::allgemein::Fehler]), plattform::MB_ERROR);
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

TIDD_PROFIL::TIDD_PROFIL(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  auto geschuetzt = [this](void (TIDD_PROFIL::*handler)()) {
    return [this, handler] { fenster::Geschuetzt([this, handler] { (this->*handler)(); }); };
  };
  connect(IDC_SELECTPROFIL, &QComboBox::activated, this, [this](int index) {
    // Choosing the profile already shown is no change.
    if (index != ProfilIndex) fenster::Geschuetzt([this] { IDC_SELECTPROFILChange(); });
  });
  connect(IDB_NEWPROFIL, &QPushButton::clicked, this, geschuetzt(&TIDD_PROFIL::IDB_NEWPROFILClick));
  connect(IDB_DELETE_PROFIL, &QPushButton::clicked, this, geschuetzt(&TIDD_PROFIL::IDB_DELETE_PROFILClick));
  // A line chosen by mouse or keys; the code's own clearing of the selection blocks this.
  connect(IDC_SELECT_TIMEZONE, &QListWidget::itemSelectionChanged, this, [this] {
    if (Zeile() >= 0) fenster::Geschuetzt([this] { IDC_SELECT_TIMEZONEClick(); });
  });
  connect(IDC_SELECT_TIMEZONE, &QListWidget::itemClicked, this, geschuetzt(&TIDD_PROFIL::IDC_SELECT_TIMEZONEClick));
  connect(IDC_SELECT_TIMEZONE, &QListWidget::itemDoubleClicked, this,
          geschuetzt(&TIDD_PROFIL::IDC_SELECT_TIMEZONEDblClick));
  connect(IDB_CHANGE_TIMEZONE, &QPushButton::clicked, this, geschuetzt(&TIDD_PROFIL::IDB_CHANGE_TIMEZONEClick));
  connect(IDB_DELETE_TIMEZONE, &QPushButton::clicked, this, geschuetzt(&TIDD_PROFIL::IDB_DELETE_TIMEZONEClick));
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
}

void TIDD_PROFIL::showEvent(QShowEvent* ereignis) {
  fenster::TFormular::showEvent(ereignis);
  if (!ereignis->spontaneous()) fenster::Geschuetzt([this] { FormShow(); });
}

void TIDD_PROFIL::Init(TSteuerung* steuerung) {
  Steuerung = steuerung;
  {
    const QSignalBlocker still(IDC_SELECT_TIMEZONE);
    IDC_SELECT_TIMEZONE->clear();
    for (int i = 0; i < static_cast<int>(PROFIL::AnzahlZeitlinien); ++i) {
      IDC_SELECT_TIMEZONE->addItem(
          QStringLiteral("%1 %2").arg(T(Texte::AllgemeineTexte[Texte::allgemein::Zeitlinie])).arg(i));
    }
  }
  ZeigeProfile();
}

void TIDD_PROFIL::ZeigeProfile() {
  IDC_SELECTPROFIL->clear();
  for (ArrayElement<PROFIL*>* e = Steuerung->Profile.Kopf; e != nullptr; e = e->Next) {
    IDC_SELECTPROFIL->addItem(feld::Lies(e->Daten->Name));
  }
  if (IDC_SELECTPROFIL->count() > 0) IDC_SELECTPROFIL->setCurrentIndex(0);
  ProfilIndex = IDC_SELECTPROFIL->currentIndex();
  ZeichneProfil(-1);
}

void TIDD_PROFIL::FormShow() {
  IDB_CHANGE_TIMEZONE->setEnabled(false);
  IDB_DELETE_TIMEZONE->setEnabled(false);
}

void TIDD_PROFIL::IDC_SELECTPROFILChange() {
  ProfilIndex = IDC_SELECTPROFIL->currentIndex();
  {
    const QSignalBlocker still(IDC_SELECT_TIMEZONE);
    IDC_SELECT_TIMEZONE->setCurrentRow(-1);
  }
  ZeichneProfil(-1);
  IDB_DELETE_PROFIL->setEnabled(true);
}

void TIDD_PROFIL::IDB_NEWPROFILClick() {
  std::unique_ptr<PROFIL> profil;
  try {
    profil = std::make_unique<PROFIL>();
  } catch (const std::bad_alloc&) {
    throw StdError(Texte::AllgemeineTexte[Texte::allgemein::KeinSpeicher]);
  }
  // Emptied through the field helper, so the edit starts anew with nothing held before.
  feld::Zeige(*IDC_INPUT->IDE_INPUT, QString());
  IDC_INPUT->IDC_LABEL_INPUT->setText(T(Texte::Beschriftungen[Texte::beschriftung::NamenFuerNeuesProfil]));
  IDC_INPUT->setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::NeuesZutrittsprofil]));
  const int ergebnis = fenster::ZeigeModal(*IDC_INPUT);
  const QString name = IDC_INPUT->IDE_INPUT->text();
  if (ergebnis == fenster::mrOk && !name.isEmpty()) {
    if (const std::optional<std::string> bytes = NeuerName(name)) {
      SchreibeText(profil->Name, *bytes);
      Steuerung->Profile.Append(profil.get());
      profil.release();  // the list owns it now
      IDC_SELECTPROFIL->addItem(name);
      IDC_SELECTPROFIL->setCurrentIndex(IDC_SELECTPROFIL->count() - 1);
      Geaendert();
    }
  }
  IDC_INPUT->hide();
  IDC_SELECTPROFILChange();
}

void TIDD_PROFIL::IDB_DELETE_PROFILClick() {
  const int index = IDC_SELECTPROFIL->currentIndex();
  if (index >= 0) {
    Steuerung->Profile.Remove(index);
    Geaendert();
  }
  ZeigeProfile();
}

void TIDD_PROFIL::IDC_SELECT_TIMEZONEClick() {
  IDB_CHANGE_TIMEZONE->setEnabled(true);
  IDB_DELETE_TIMEZONE->setEnabled(true);
  ZeichneProfil(Zeile());
}

int TIDD_PROFIL::Zeile() const {
  const QList<QListWidgetItem*> gewaehlt = IDC_SELECT_TIMEZONE->selectedItems();
  return gewaehlt.isEmpty() ? -1 : IDC_SELECT_TIMEZONE->row(gewaehlt.first());
}

PROFIL* TIDD_PROFIL::GewaehltesProfil() {
  const int index = IDC_SELECTPROFIL->currentIndex();
  if (Steuerung == nullptr || index < 0 || Zeile() < 0) return nullptr;
  ArrayElement<PROFIL*>* e = Steuerung->Profile.Find(index);
  if (e == nullptr) throw ListError(" Element not found ", index);
  return e->Daten;
}

void TIDD_PROFIL::IDC_SELECT_TIMEZONEDblClick() {
  if (GewaehltesProfil() == nullptr) return;
  const int zeile = Zeile();
  Zeitlinie kopie = GewaehltesProfil()->Zeitlinien[zeile];

  TIDD_EDIT_TIMELINE& editor = *IDD_EDIT_TIMELINE;
  const std::uint32_t flags = Steuerung->Geraetedaten.Flags;
  editor.Label1->setText(T(Texte::Beschriftungen[Texte::beschriftung::GueltigAm]));
  editor.Label2->setText(T(Texte::Beschriftungen[Texte::beschriftung::WirksamFuer]));
  editor.setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::ZeitlinienFuerZutrittsprofil]));
  editor.IDCB_DOOR1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]));
  editor.IDCB_DOOR2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]));
  editor.IDCB_DOOR3->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]));
  editor.IDCB_DOOR2->setEnabled(false);
  editor.IDCB_DOOR3->setEnabled(false);
  if ((flags & GD_TUER2) != 0) editor.IDCB_DOOR2->setEnabled(true);
  if ((flags & GD_TUER3) != 0) {
    if (Steuerung->Geraetetyp != 0) {
      editor.IDCB_DOOR3->setEnabled(true);
    } else {
      editor.IDCB_DOOR2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer2MK]));
      editor.IDCB_DOOR3->setEnabled(false);
    }
  }
  editor.IDCB_SPECIAL1->setText(feld::Text(Steuerung->NameSondertag1));
  editor.IDCB_SPECIAL2->setText(feld::Text(Steuerung->NameSondertag2));
  editor.IDCB_SPECIAL1->setEnabled((flags & GD_SONDERTAG1) != 0);
  editor.IDCB_SPECIAL2->setEnabled((flags & GD_SONDERTAG2) != 0);
  editor.Init(kopie, Steuerung->LeserTuerZuordnung);

  if (fenster::ZeigeModal(editor) == fenster::mrOk) {
    // Looked up again: the profile is the one the combo shows now.
    if (PROFIL* profil = GewaehltesProfil()) {
      if (!(profil->Zeitlinien[zeile] == kopie)) {
        profil->Zeitlinien[zeile] = kopie;
        Geaendert();
      }
    }
  }
  IDC_SELECT_TIMEZONEClick();
}

void TIDD_PROFIL::IDB_DELETE_TIMEZONEClick() {
  PROFIL* profil = GewaehltesProfil();
  if (profil == nullptr) return;
  Zeitlinie& linie = profil->Zeitlinien[Zeile()];
  if (!(linie == Zeitlinie{})) {
    linie = Zeitlinie{};
    Geaendert();
  }
  IDC_SELECT_TIMEZONEClick();
}

void TIDD_PROFIL::ZeichneProfil(int markiert) {
  std::span<const Zeitlinie> linien;
  if (ProfilIndex >= 0) {
    ArrayElement<PROFIL*>* e = Steuerung->Profile.Find(ProfilIndex);
    if (e == nullptr) throw ListError(" Element not found ", ProfilIndex);
    linien = e->Daten->Zeitlinien;
  }
  IDI_PROFIL->setPixmap(QPixmap::fromImage(grafik::ZeichneWoche(
      grafik::Wochenbild::Profil, grafik::AnlageVon(*Steuerung), linien, markiert, IDI_PROFIL->devicePixelRatioF())));
}

void TIDD_PROFIL::Geaendert() { Steuerung->DatenGespeichert = false; }
