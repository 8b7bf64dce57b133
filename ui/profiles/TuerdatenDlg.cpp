#include "profiles/TuerdatenDlg.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPixmap>

#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"
#include "graphics/Wochengrafik.h"
#include "profiles/EditTuerZeitlinieDlg.h"
#include "shared/Fensterregister.h"
#include "windowing/Zahl.h"

namespace {

constexpr std::uint32_t kOhneLeser[3] = {GD_TUER1_OHNE_LESER, GD_TUER2_OHNE_LESER, GD_TUER3_OHNE_LESER};
constexpr std::uint32_t kAlleOhneLeser = GD_TUER1_OHNE_LESER | GD_TUER2_OHNE_LESER | GD_TUER3_OHNE_LESER;

}  // namespace

QValidator::State SekundenValidator::validate(QString& eingabe, int&) const {
  if (eingabe == gezeigt_) return Acceptable;
  if (eingabe.size() > 2) return Invalid;
  for (const QChar c : eingabe) {
    if (c < u'0' || c > u'9') return Invalid;
  }
  return Acceptable;
}

TIDD_DOORDATA::TIDD_DOORDATA(QWidget* parent)
    : fenster::TFormular(parent), FreigabePruefer(nullptr), UeberwachungPruefer(nullptr) {
  setupUi(this);
  setFixedSize(size());
  AntiPassBack->setText(T(Texte::Beschriftungen[Texte::beschriftung::DoppeltenZutrittPruefen]));
  OpenDoorWithoutReader->setText(T(Texte::Beschriftungen[Texte::beschriftung::TueroeffnungOhneLeser]));
  Label1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuerstandorte]));
  Label2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Freigabezeit]));
  Label3->setText(T(Texte::Beschriftungen[Texte::beschriftung::Ueberwachungszeit]));
  IDB_CHANGETL->setText(T(Texte::Beschriftungen[Texte::beschriftung::Aendern]));
  IDB_DELETETL->setText(T(Texte::Beschriftungen[Texte::beschriftung::Loeschen]));
  for (std::size_t i = 0; i < TUERPROFIL::AnzahlZeitlinien; ++i) {
    DOORTIMELINES->addItem(T(Texte::AllgemeineTexte[Texte::allgemein::Zeitlinie]) + u' ' + QString::number(i));
  }
  // No length limit of the edits' own: it would cut a longer value shown.
  FreigabePruefer = new SekundenValidator(IDE_FREETIME);
  UeberwachungPruefer = new SekundenValidator(IDE_CHECKTIME);
  IDE_FREETIME->setValidator(FreigabePruefer);
  IDE_CHECKTIME->setValidator(UeberwachungPruefer);
  // An emptied edit with a validator sends no editingFinished: leaving it is the focus-out.
  IDE_FREETIME->installEventFilter(this);

  connect(IDCB_DOORS, &QComboBox::activated, this, [this](int eintrag) {
    // Choosing the door already shown is no change.
    const auto i = static_cast<std::size_t>(eintrag);
    if (eintrag < 0 || i >= Tueren.size() || Tueren[i] != Tuer) fenster::Geschuetzt([this] { IDCB_DOORSChange(); });
  });
  connect(OpenDoorWithoutReader, &QCheckBox::clicked, this,
          [this] { fenster::Geschuetzt([this] { OpenDoorWithoutReaderClick(); }); });
  // A line chosen by mouse or keys selects it; code clears the selection only. Tabbing into
  // the list moves the focus to a line without choosing it.
  connect(DOORTIMELINES, &QListWidget::itemSelectionChanged, this,
          [this] { fenster::Geschuetzt([this] { DOORTIMELINESClick(); }); });
  connect(DOORTIMELINES, &QListWidget::itemDoubleClicked, this,
          [this] { fenster::Geschuetzt([this] { DOORTIMELINESDblClick(); }); });
  connect(IDB_CHANGETL, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { IDB_CHANGETLClick(); }); });
  connect(IDB_DELETETL, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { IDB_DELETETLClick(); }); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { BitBtn1Click(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(fenster::mrAbort); });
}

TUERPROFIL& TIDD_DOORDATA::Profil() { return Element(Steuerung->Tuerprofile, Tuer); }

void TIDD_DOORDATA::ZeigeSekunden(QLineEdit& edit, SekundenValidator& validator, int sekunden) {
  const QString text = QString::number(sekunden);
  validator.Erlaube(text);
  edit.setText(text);
}

void TIDD_DOORDATA::Init(TSteuerung& steuerung) {
  Steuerung = &steuerung;
  Tuer = -1;
  Zeile = -1;
  Ueberwachung = {};
  IDCB_DOORS->clear();
  Tueren.clear();
  GERAETEDATEN& gd = steuerung.Geraetedaten;
  if ((gd.Flags & GD_TUER1) != 0) {
    IDCB_DOORS->addItem(feld::Lies(gd.NameTuer1));
    Tueren.push_back(0);
  }
  if ((gd.Flags & GD_TUER2) != 0) {
    IDCB_DOORS->addItem(steuerung.Geraetetyp == 1 ? feld::Lies(gd.NameTuer2)
                                                  : T(Texte::Beschriftungen[Texte::beschriftung::Meldekontakt]));
    Tueren.push_back(1);
  }
  const bool meldekontakt = (gd.Flags & GD_TUER3) != 0;
  if (meldekontakt) {
    IDCB_DOORS->addItem(T(Texte::Beschriftungen[Texte::beschriftung::Meldekontakt]));
    Tueren.push_back(2);
    if ((gd.Flags & kAlleOhneLeser) != 0) {
      gd.Flags &= ~kAlleOhneLeser;
      steuerung.DatenGespeichert = false;
    }
  }
  Kopie = static_cast<std::uint16_t>(gd.Flags & 0xF000u);
  OpenDoorWithoutReader->setChecked((Kopie & GD_TUER1_OHNE_LESER) != 0);
  // With door 3 in use every showing clears these flags again, so the box could change nothing.
  OpenDoorWithoutReader->setEnabled(!meldekontakt);
  AntiPassBack->setChecked((Kopie & GD_ANTIPASSBACK) != 0);
  AntiPassBack->setEnabled(false);
  IDCB_DOORS->setCurrentIndex(Tueren.empty() ? -1 : 0);
  IDCB_DOORSChange();
}

void TIDD_DOORDATA::FormShow() {
  IDB_CHANGETL->setEnabled(false);
  IDB_DELETETL->setEnabled(false);
}

void TIDD_DOORDATA::showEvent(QShowEvent* event) {
  fenster::TFormular::showEvent(event);
  FormShow();
}

void TIDD_DOORDATA::IDCB_DOORSChange() {
  const int eintrag = IDCB_DOORS->currentIndex();
  if (eintrag < 0 || static_cast<std::size_t>(eintrag) >= Tueren.size()) {
    throw StdError("Error in Systemdata\n please ask your programmer");
  }
  if (Tuer >= 0) {
    if (IDE_FREETIME->isModified()) IDE_FREETIMEExit();
    if (IDE_CHECKTIME->isModified()) Ueberwachung[static_cast<std::size_t>(Tuer)] = IDE_CHECKTIME->text();
  }
  Tuer = Tueren[static_cast<std::size_t>(eintrag)];
  const TUERPROFIL& profil = Profil();
  ZeigeSekunden(*IDE_FREETIME, *FreigabePruefer, profil.Freigabezeit);
  ZeigeSekunden(*IDE_CHECKTIME, *UeberwachungPruefer, profil.Ueberwachungszeit);
  if (const std::optional<QString>& getippt = Ueberwachung[static_cast<std::size_t>(Tuer)]) {
    IDE_CHECKTIME->setText(*getippt);
    IDE_CHECKTIME->setModified(true);
  }
  OpenDoorWithoutReader->setChecked((Kopie & kOhneLeser[Tuer]) != 0);
  Zeile = -1;
  DOORTIMELINES->setCurrentRow(-1);
  IDB_CHANGETL->setEnabled(false);
  IDB_DELETETL->setEnabled(false);
  ZeichneProfil(-1);
}

void TIDD_DOORDATA::OpenDoorWithoutReaderClick() {
  if (Tuer < 0) return;
  if (OpenDoorWithoutReader->isChecked()) {
    Kopie |= kOhneLeser[Tuer];
  } else {
    Kopie &= static_cast<std::uint16_t>(~kOhneLeser[Tuer]);
  }
}

bool TIDD_DOORDATA::IDE_FREETIMEExit() {
  // Taken once: the box below takes the focus from the edit again.
  IDE_FREETIME->setModified(false);
  if (Tuer < 0) return true;
  const QString text = IDE_FREETIME->text();
  std::optional<int> sekunden = fenster::Zahl(text);
  const bool zahl = sekunden.has_value();
  if (!zahl) {
    fenster::ZeigeKeineZahl(text);
    sekunden = 5;
  }
  TUERPROFIL& profil = Profil();
  if (profil.Freigabezeit != *sekunden) {
    profil.Freigabezeit = *sekunden;
    Steuerung->DatenGespeichert = false;
  }
  ZeigeSekunden(*IDE_FREETIME, *FreigabePruefer, *sekunden);
  return zahl;
}

bool TIDD_DOORDATA::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == IDE_FREETIME && ereignis->type() == QEvent::FocusOut && IDE_FREETIME->isModified()) {
    // Leaving the edit within the window; its context menu or switching to another window
    // is no leaving.
    const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
    if (grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason) {
      fenster::Geschuetzt([this] { IDE_FREETIMEExit(); });
    }
  }
  return fenster::TFormular::eventFilter(objekt, ereignis);
}

void TIDD_DOORDATA::DOORTIMELINESClick() {
  const QList<QListWidgetItem*> gewaehlt = DOORTIMELINES->selectedItems();
  if (gewaehlt.isEmpty() || Tuer < 0) return;
  const int zeile = DOORTIMELINES->row(gewaehlt.front());
  Zeile = zeile;
  IDB_CHANGETL->setEnabled(true);
  IDB_DELETETL->setEnabled(true);
  ZeichneProfil(Zeile);
}

void TIDD_DOORDATA::DOORTIMELINESDblClick() { IDB_CHANGETLClick(); }

void TIDD_DOORDATA::IDB_CHANGETLClick() {
  if (Zeile < 0 || Tuer < 0) return;
  Zeitlinie kopie = Profil().Zeitlinien[Zeile];
  TIDD_EDIT_DOORTIMELINE& editor = *IDD_EDIT_DOORTIMELINE;
  editor.Label1->setText(T(Texte::Beschriftungen[Texte::beschriftung::GueltigAm]));
  editor.Label2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuerstatus]));
  editor.setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::ZeitlinienFuerTuerstatus]));
  editor.alwaysopen->setText(T(Texte::Beschriftungen[Texte::beschriftung::Daueroffen]));
  editor.alwaysclosed->setText(T(Texte::Beschriftungen[Texte::beschriftung::Dauergesperrt]));
  editor.normal->setText(T(Texte::Beschriftungen[Texte::beschriftung::Kartenbetrieb]));
  editor.normal->setVisible(false);
  const std::uint32_t flags = Steuerung->Geraetedaten.Flags;
  editor.IDCB_SPECIAL1->setText(feld::Text(Steuerung->NameSondertag1));
  editor.IDCB_SPECIAL2->setText(feld::Text(Steuerung->NameSondertag2));
  editor.IDCB_SPECIAL1->setEnabled((flags & GD_SONDERTAG1) != 0);
  editor.IDCB_SPECIAL2->setEnabled((flags & GD_SONDERTAG2) != 0);
  editor.Init(kopie);
  if (fenster::ZeigeModal(editor) == fenster::mrOk) {
    Zeitlinie& linie = Profil().Zeitlinien[Zeile];
    if (!(linie == kopie)) {
      linie = kopie;
      Steuerung->DatenGespeichert = false;
    }
  }
  DOORTIMELINESClick();
}

void TIDD_DOORDATA::IDB_DELETETLClick() {
  if (Zeile < 0 || Tuer < 0) return;
  Zeitlinie& linie = Profil().Zeitlinien[Zeile];
  if (!(linie == Zeitlinie{})) {
    linie = Zeitlinie{};
    Steuerung->DatenGespeichert = false;
  }
  DOORTIMELINESClick();
}

void TIDD_DOORDATA::BitBtn1Click() {
  if (Tuer < 0) return;
  // A release time that was no number has become 5 now: the user sees it before anything
  // else is written, as after leaving the edit with the mouse.
  if (IDE_FREETIME->isModified() && !IDE_FREETIMEExit()) return;
  if (IDE_CHECKTIME->isModified()) Ueberwachung[static_cast<std::size_t>(Tuer)] = IDE_CHECKTIME->text();

  const QString freigabeText = IDE_FREETIME->text();
  const std::optional<int> freigabe = fenster::Zahl(freigabeText);
  if (!freigabe) {
    fenster::ZeigeKeineZahl(freigabeText);
    return;
  }
  std::array<std::optional<int>, 3> ueberwachung;
  for (std::size_t tuer = 0; tuer < Ueberwachung.size(); ++tuer) {
    if (!Ueberwachung[tuer]) continue;
    ueberwachung[tuer] = fenster::Zahl(*Ueberwachung[tuer]);
    if (!ueberwachung[tuer]) {
      const QString text = *Ueberwachung[tuer];
      // The door whose field is wrong is shown, so the user sees what to mend.
      if (static_cast<int>(tuer) != Tuer) {
        for (std::size_t eintrag = 0; eintrag < Tueren.size(); ++eintrag) {
          if (Tueren[eintrag] == static_cast<int>(tuer)) IDCB_DOORS->setCurrentIndex(static_cast<int>(eintrag));
        }
        IDCB_DOORSChange();
      }
      fenster::ZeigeKeineZahl(text);
      return;
    }
  }

  GERAETEDATEN& gd = Steuerung->Geraetedaten;
  const std::uint32_t flags = (gd.Flags & 0xFFFu) | Kopie;
  bool geaendert = flags != gd.Flags;
  gd.Flags = flags;
  for (std::size_t tuer = 0; tuer < ueberwachung.size(); ++tuer) {
    if (!ueberwachung[tuer]) continue;
    TUERPROFIL& profil = Element(Steuerung->Tuerprofile, static_cast<int>(tuer));
    geaendert = geaendert || profil.Ueberwachungszeit != *ueberwachung[tuer];
    profil.Ueberwachungszeit = *ueberwachung[tuer];
  }
  TUERPROFIL& profil = Profil();
  geaendert = geaendert || profil.Freigabezeit != *freigabe;
  profil.Freigabezeit = *freigabe;
  if (geaendert) Steuerung->DatenGespeichert = false;
  Ueberwachung = {};
  done(fenster::mrOk);
}

void TIDD_DOORDATA::done(int ergebnis) {
  // A release time typed and not yet stored is stored however the window closes.
  if (IDE_FREETIME->isModified()) fenster::Geschuetzt([this] { IDE_FREETIMEExit(); });
  fenster::TFormular::done(ergebnis);
}

void TIDD_DOORDATA::ZeichneProfil(int markiert) {
  const TUERPROFIL& profil = Profil();
  const QImage bild = grafik::ZeichneWoche(grafik::Wochenbild::Tuer, grafik::AnlageVon(*Steuerung), profil.Zeitlinien,
                                           markiert, IDI_DOORDRAW->devicePixelRatioF());
  IDI_DOORDRAW->setPixmap(QPixmap::fromImage(bild));
}
