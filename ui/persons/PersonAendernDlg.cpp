#include "persons/PersonAendernDlg.h"

#include <memory>
#include <new>
#include <span>
#include <utility>

#include <QPixmap>

#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"
#include "platform/Plattform.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"
#include "fields/Kartencode.h"
#include "graphics/Wochengrafik.h"

namespace {

constexpr const char* kKeinSpeicher = "Kein Speicher für Person bearbeiten";

// Typing limits of the two edits; the card field holds one byte more than may be typed.
constexpr std::size_t kNamenslaenge = sizeof(PERSON::Name) - 1;
constexpr std::size_t kKartenlaenge = sizeof(PERSON::Karte) - 2;
// What a person's profile field holds.
constexpr std::size_t kProfillaenge = sizeof(PERSON::Profil) - 1;

std::unique_ptr<PERSON> NeuePerson() {
  try {
    return std::make_unique<PERSON>();
  } catch (const std::bad_alloc&) {
    throw StdError(kKeinSpeicher);
  }
}

void Ablehnen(const char* warum) {
  fenster::MessageBox(T(warum), T(Texte::AllgemeineTexte[Texte::allgemein::Fehler]), plattform::MB_ERROR);
}

}  // namespace

TIDD_CHANGE_PERSON::TIDD_CHANGE_PERSON(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  IDL_NAME->setText(T(Texte::Beschriftungen[Texte::beschriftung::NameAufdruck]));
  IDL_CARD->setText(T(Texte::Beschriftungen[Texte::beschriftung::Kartencodierung]));
  IDL_PROFIL->setText(T(Texte::Beschriftungen[Texte::beschriftung::Zutrittsprofil]));
  feld::Begrenze(*IDE_NAME, kNamenslaenge);
  karte::Begrenze(*IDE_CARD, kKartenlaenge);
  connect(IDCB_PROFIL, &QComboBox::activated, this, [this](int index) {
    // Choosing the profile already shown is no change.
    if (index != ProfilIndex) fenster::Geschuetzt([this] { IDCB_PROFILChange(); });
  });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { BitBtn1Click(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrCancel); });
}

void TIDD_CHANGE_PERSON::Init(TSteuerung* steuerung, int index) {
  Index = index;
  Steuerung = steuerung;
  Person = NeuePerson();
  IDCB_PROFIL->clear();
  Profilnamen.clear();
  if (index == -1) {
    SchreibeText(Person->Code, "AAAA");
    feld::Zeige(*IDE_NAME, QString());
    feld::Zeige(*IDE_CARD, QString());
  } else {
    *Person = Element(Steuerung->Personen, index);
    feld::Zeige(*IDE_NAME, feld::Lies(Person->Name));
    feld::Zeige(*IDE_CARD, feld::Lies(Person->Karte));
  }
  // Every profile is compared: with equal names the last one is chosen.
  ProfilIndex = -1;
  const std::string profil = LiesText(Person->Profil);
  for (ArrayElement<PROFIL*>* e = Steuerung->Profile.Kopf; e != nullptr; e = e->Next) {
    Profilnamen.push_back(LiesText(e->Daten->Name));
    IDCB_PROFIL->addItem(feld::Text(Profilnamen.back()));
    if (Profilnamen.back() == profil) ProfilIndex = static_cast<int>(Profilnamen.size()) - 1;
  }
  IDCB_PROFIL->setCurrentIndex(ProfilIndex);
  ZeichneProfil();
}

void TIDD_CHANGE_PERSON::IDCB_PROFILChange() {
  ProfilIndex = IDCB_PROFIL->currentIndex();
  ZeichneProfil();
}

void TIDD_CHANGE_PERSON::ZeichneProfil() {
  std::span<const Zeitlinie> linien;
  if (ProfilIndex >= 0) linien = Element(Steuerung->Profile, ProfilIndex).Zeitlinien;
  IDI_DRAW->setPixmap(QPixmap::fromImage(grafik::ZeichneWoche(grafik::Wochenbild::Person, grafik::AnlageVon(*Steuerung),
                                                              linien, -1, IDI_DRAW->devicePixelRatioF())));
}

void TIDD_CHANGE_PERSON::BitBtn1Click() {
  // The person telegram sends the card code among blank-separated words: an empty code or one
  // with a blank would shift every later word for the controller.
  const QString karte = IDE_CARD->text();
  if (karte.isEmpty() || karte::HatLeerzeichen(karte)) {
    Ablehnen("Die Kartencodierung darf nicht leer sein und kein Leerzeichen enthalten.");
    return;
  }
  // A cut profile name would match no profile.
  const std::string profil = ProfilIndex >= 0 ? Profilnamen[static_cast<std::size_t>(ProfilIndex)] : std::string();
  if (profil.size() > kProfillaenge) {
    Ablehnen("Der Name dieses Zutrittsprofils ist länger als 11 Zeichen\nund passt nicht in die Personendaten.");
    return;
  }

  PERSON neu = *Person;
  feld::Schreibe(neu.Name, *IDE_NAME);
  feld::Schreibe(neu.Karte, *IDE_CARD);
  SchreibeText(neu.Profil, profil);
  SchreibeText(neu.Code, "AAAA");
  neu.Status1 = 1;
  neu.Status2 = 1;
  if (Index == -1) {
    std::unique_ptr<PERSON> datensatz = NeuePerson();
    *datensatz = neu;
    HaengeAn(Steuerung->Personen, std::move(datensatz));
    Steuerung->DatenGespeichert = false;
  } else {
    PERSON& ziel = Element(Steuerung->Personen, Index);
    if (!(ziel == neu)) {
      ziel = neu;
      Steuerung->DatenGespeichert = false;
    }
  }
  done(fenster::mrOk);
}

void TIDD_CHANGE_PERSON::done(int ergebnis) {
  FormClose();
  fenster::TFormular::done(ergebnis);
}

void TIDD_CHANGE_PERSON::FormClose() { Person.reset(); }
