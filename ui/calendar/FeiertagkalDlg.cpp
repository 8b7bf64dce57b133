#include "calendar/FeiertagkalDlg.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QSignalBlocker>

#include "document/Steuerung.h"
#include "model/Feiertagsart.h"
#include "platform/Plattform.h"
#include "text/Texte.h"

#include "calendar/FeiertageDlg.h"
#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"
#include "shared/Fensterregister.h"

namespace {

// A year holds at most two summer/winter switch days.
constexpr int kUmschaltungenProJahr = 2;

// The reference year and the 18 years after it can be shown.
constexpr int kJahreNachBezug = 18;

}  // namespace

TIDD_FEIERTAG::TIDD_FEIERTAG(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  LabelYear->setText(T(Texte::Beschriftungen[Texte::beschriftung::Jahr]));
  IDB_CLEAR->setText(T(Texte::Beschriftungen[Texte::beschriftung::Loeschen]));

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  const auto eintrag = [this](const char* name, const QString& text, void (TIDD_FEIERTAG::*handler)()) {
    QAction* a = PopupMenu1->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this,
            [this, handler] { fenster::Geschuetzt([this, handler] { (this->*handler)(); }); });
    return a;
  };
  IDM_NDAY = eintrag("IDM_NDAY", T(Texte::MenueTexte[Texte::menue::NormalerTag]), &TIDD_FEIERTAG::IDM_NDAYClick);
  IDM_FDAY = eintrag("IDM_FDAY", T(Texte::MenueTexte[Texte::menue::Feiertag]), &TIDD_FEIERTAG::IDM_FDAYClick);
  IDM_HDAY = eintrag("IDM_HDAY", T(Texte::MenueTexte[Texte::menue::HalberFeiertag]), &TIDD_FEIERTAG::IDM_HDAYClick);
  SWITCH = eintrag("SWITCH", T(Texte::MenueTexte[Texte::menue::SommerWinterUmschaltung]), &TIDD_FEIERTAG::SWITCHClick);
  SPEC1 = eintrag("SPEC1", QString(), &TIDD_FEIERTAG::SPEC1Click);
  SPEC2 = eintrag("SPEC2", QString(), &TIDD_FEIERTAG::SPEC2Click);

  IDI_FREEDAYS->installEventFilter(this);
  connect(IDE_KAL_YEAR, &QSpinBox::valueChanged, this, [this] { fenster::Geschuetzt([this] { UpDownYearClick(); }); });
  connect(IDB_SETTABLE, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { IDB_SETTABLEClick(); }); });
  connect(IDB_CLEAR, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { IDB_CLEARClick(); }); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { BitBtn1Click(); }); });
}

TIDD_FEIERTAG::~TIDD_FEIERTAG() = default;

void TIDD_FEIERTAG::Init(int jahr, TSteuerung* dokument) {
  Steuerung = dokument;
  const struct {
    QAction* eintrag;
    std::uint32_t flag;
    const std::string& name;
  } sondertage[] = {{SPEC1, GD_SONDERTAG1, dokument->NameSondertag1}, {SPEC2, GD_SONDERTAG2, dokument->NameSondertag2}};
  for (const auto& s : sondertage) {
    const bool an = (dokument->Geraetedaten.Flags & s.flag) != 0;
    if (an) s.eintrag->setText(feld::Text(s.name));
    s.eintrag->setEnabled(an);
    s.eintrag->setVisible(an);
  }
  const int bezugsjahr = dokument->Geraetedaten.Bezugsjahr;
  {
    // Setting the range and the year is no click of the user.
    const QSignalBlocker sperre(IDE_KAL_YEAR);
    IDE_KAL_YEAR->setRange(bezugsjahr, bezugsjahr + kJahreNachBezug);
    IDE_KAL_YEAR->setValue(jahr);
  }
  AnzeigeJahr = IDE_KAL_YEAR->value();
  Kalender = std::make_unique<CJulian>(static_cast<std::int16_t>(AnzeigeJahr));
  Kalender->SetBezugsjahr(static_cast<std::int16_t>(bezugsjahr));
  // Each opening starts without a selected day: the last one may not exist in this year.
  AuswahlMonat = 0;
  AuswahlTag = 0;
  LadeJahr();
}

std::optional<kalenderbild::Kalendertag> TIDD_FEIERTAG::Auswahl() const {
  if (AuswahlMonat == 0) return std::nullopt;
  return kalenderbild::Kalendertag{AuswahlMonat, AuswahlTag};
}

void TIDD_FEIERTAG::LadeJahr() {
  // The year is drawn whole, every day in its normal look; the selected day is highlighted
  // again by the next click.
  Hervorgehoben = false;
  const std::int32_t erster = Kalender->Tagesnummer(1, 1);
  const std::int32_t letzter = Kalender->Tagesnummer(12, 31);
  for (const Feiertagseintrag eintrag : Steuerung->Feiertagstabelle) {
    if (IstEndeMarke(eintrag)) break;
    const std::int32_t nummer = Tagnummer(eintrag);
    if (nummer < erster || nummer > letzter) continue;
    int monat = 0;
    int tag = 0;
    Kalender->MonatTag(nummer, monat, tag);
    Kalender->SetTagesart(monat, tag, Tagesart(eintrag));
  }
  ZeichneKalender();
}

void TIDD_FEIERTAG::ZeichneKalender() {
  const std::optional<kalenderbild::Kalendertag> markiert = Hervorgehoben ? Auswahl() : std::nullopt;
  IDI_FREEDAYS->setPixmap(QPixmap::fromImage(
      kalenderbild::Zeichne(*Kalender, markiert, IDI_FREEDAYS->font(), IDI_FREEDAYS->devicePixelRatioF())));
}

void TIDD_FEIERTAG::UpDownYearClick() {
  if (!Kalender) return;  // closed
  AnzeigeJahr = IDE_KAL_YEAR->value();
  AuswahlMonat = 0;
  AuswahlTag = 0;
  Kalender->SetJahr(static_cast<std::int16_t>(AnzeigeJahr));
  LadeJahr();
}

bool TIDD_FEIERTAG::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == IDI_FREEDAYS && Kalender &&
      (ereignis->type() == QEvent::MouseButtonPress || ereignis->type() == QEvent::MouseButtonDblClick)) {
    const auto* maus = static_cast<QMouseEvent*>(ereignis);
    const bool doppelklick = ereignis->type() == QEvent::MouseButtonDblClick;
    const QPoint punkt = maus->position().toPoint();
    fenster::Geschuetzt(
        [this, maus, doppelklick, punkt] { IDI_FREEDAYSMouseDown(maus->button(), doppelklick, punkt); });
    return true;
  }
  return fenster::TFormular::eventFilter(objekt, ereignis);
}

void TIDD_FEIERTAG::IDI_FREEDAYSMouseDown(Qt::MouseButton knopf, bool doppelklick, QPoint punkt) {
  const std::optional<kalenderbild::Kalendertag> tag = kalenderbild::Treffer(*Kalender, punkt);
  if (!tag) return;
  AuswahlMonat = tag->Monat;
  AuswahlTag = tag->Tag;
  if (knopf == Qt::LeftButton || knopf == Qt::RightButton) {
    Hervorgehoben = true;
    ZeichneKalender();
  }
  if (knopf != Qt::RightButton && !doppelklick) return;
  QAction* const eintraege[] = {IDM_NDAY, IDM_FDAY, IDM_HDAY, SWITCH, SPEC1, SPEC2};
  const std::uint8_t art = Kalender->Tagesart(AuswahlMonat, AuswahlTag);
  for (std::size_t i = 0; i < std::size(eintraege); ++i) eintraege[i]->setChecked(i == art);
  // The chosen item runs its handler.
  fenster::ZeigeMenue(*PopupMenu1, IDI_FREEDAYS->mapToGlobal(punkt));
}

void TIDD_FEIERTAG::SetzeTagesart(int art) {
  if (AuswahlMonat == 0) return;
  // The limit of two switch days a year, the selected day not counted: it may already be one.
  if (art == TA_UMSCHALTTAG) {
    const int andere =
        Kalender->AnzahlUmschaltungen - (Kalender->Tagesart(AuswahlMonat, AuswahlTag) == TA_UMSCHALTTAG ? 1 : 0);
    if (andere >= kUmschaltungenProJahr) return;
  }
  const auto nummer = static_cast<std::uint16_t>(Kalender->Tagesnummer(AuswahlMonat, AuswahlTag));
  const Feiertagseintrag tabellenart = TabellenArt(art);
  Hervorgehoben = false;
  switch (SetzeFeiertagsart(Steuerung->Feiertagstabelle, nummer, tabellenart)) {
    case Tagesaenderung::Geaendert:
      Steuerung->DatenGespeichert = false;
      Kalender->SetTagesart(AuswahlMonat, AuswahlTag, tabellenart);
      break;
    case Tagesaenderung::Unveraendert: break;
    case Tagesaenderung::Voll:
      // The grid keeps showing what the table holds.
      ZeichneKalender();
      fenster::MessageBox(QStringLiteral("Die Feiertagstabelle ist voll."),
                          T(Texte::AllgemeineTexte[Texte::allgemein::Hinweis]), plattform::MB_WARN);
      return;
  }
  ZeichneKalender();
}

void TIDD_FEIERTAG::IDM_NDAYClick() { SetzeTagesart(TA_NORMAL); }
void TIDD_FEIERTAG::IDM_FDAYClick() { SetzeTagesart(TA_FEIERTAG); }
void TIDD_FEIERTAG::IDM_HDAYClick() { SetzeTagesart(TA_HALBER_FEIERTAG); }
void TIDD_FEIERTAG::SWITCHClick() { SetzeTagesart(TA_UMSCHALTTAG); }
void TIDD_FEIERTAG::SPEC1Click() { SetzeTagesart(TA_SONDERTAG1); }
void TIDD_FEIERTAG::SPEC2Click() { SetzeTagesart(TA_SONDERTAG2); }

void TIDD_FEIERTAG::IDB_SETTABLEClick() {
  TIDD_BUILD_FD& generator = *IDD_BUILD_FD;
  generator.setWindowTitle(T(Texte::Titel[Texte::titel::FeiertageGenerieren]));
  generator.Init(Steuerung);
  const int bezugsjahr = Steuerung->Geraetedaten.Bezugsjahr;
  generator.IDE_FROMYEAR->setRange(bezugsjahr, bezugsjahr + kJahreNachBezug);
  generator.IDE_FROMYEAR->setValue(bezugsjahr);
  generator.IDE_TOYEAR->setRange(bezugsjahr, bezugsjahr + kJahreNachBezug);
  generator.IDE_TOYEAR->setValue(bezugsjahr + 1);
  fenster::ZeigeModal(generator);
  Kalender->SetJahr(static_cast<std::int16_t>(AnzeigeJahr));
  LadeJahr();
}

void TIDD_FEIERTAG::IDB_CLEARClick() {
  if (fenster::MessageBox(T(Texte::TextFeiertageLoeschen), T(Texte::AllgemeineTexte[Texte::allgemein::Hinweis]),
                          plattform::MB_YESNO_ASK) != plattform::ID_YES) {
    return;
  }
  LeereFeiertagstabelle(Steuerung->Feiertagstabelle);
  Steuerung->SWUmschaltungen.Clear();
  Steuerung->DatenGespeichert = false;
  Kalender->SetJahr(static_cast<std::int16_t>(AnzeigeJahr));
  LadeJahr();
}

void TIDD_FEIERTAG::BitBtn1Click() { done(fenster::mrOk); }

void TIDD_FEIERTAG::FormClose() {
  Kalender.reset();
  Steuerung->BaueUmschaltungen();
}

void TIDD_FEIERTAG::done(int ergebnis) {
  if (Kalender) fenster::Geschuetzt([this] { FormClose(); });
  fenster::TFormular::done(ergebnis);
}
