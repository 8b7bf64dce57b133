#include "main/MainDlg.h"

#include <algorithm>
#include <exception>
#include <type_traits>
#include <utility>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QLayout>
#include <QScreen>
#include <QShortcut>

#include "document/ProgrammOrdner.h"
#include "document/Steuerung.h"
#include "document/Zugriffsprotokoll.h"
#include "platform/Plattform.h"
#include "text/Texte.h"

#include "bookings/BuchungenDlg.h"
#include "calendar/FeiertagkalDlg.h"
#include "fields/Anzeigetext.h"
#include "graphics/Bilder.h"
#include "main/AboutDlg.h"
#include "main/DatenSendenDlg.h"
#include "main/Formulare.h"
#include "persons/PersonendatenDlg.h"
#include "printing/PrintDlg.h"
#include "profiles/TuerdatenDlg.h"
#include "profiles/ZutrittprofileDlg.h"
#include "settings/AdvancedDlg.h"
#include "settings/PasswdDlg.h"
#include "settings/SelectCommDlg.h"
#include "settings/SteuerungenDlg.h"
#include "shared/StatusDlg.h"
#include "windowing/Fenster.h"

namespace {

// The window's fixed width. The status bar puts 2 pixels before its first panel and 6 between
// the two; the rest is the panels' room.
constexpr int kFensterBreite = 610;
constexpr int kPanelRaum = kFensterBreite - 2 - 6;
// The connection panel's width where its text allows, and its tool tip.
constexpr int kVerbindungsBreite = 152;
const QString kVerbindungsHinweis = QStringLiteral("aktuelle Verbindungsparameter");
// The connection panel grows with its text to twice its width at most, so the document panel
// beside it keeps 298 of its 457 pixels for a path.
constexpr int kVerbindungHoechstens = 2 * kVerbindungsBreite;
static_assert(kVerbindungsBreite < kVerbindungHoechstens && kVerbindungHoechstens < kPanelRaum);

const QString kEndung = QStringLiteral("wuz");
const QString kFilter = QStringLiteral("Steuerungsdaten|*.wuz");

QString Fehlertext() { return T(Texte::AllgemeineTexte[Texte::allgemein::Fehler]); }
QString Hinweistext() { return T(Texte::AllgemeineTexte[Texte::allgemein::Hinweis]); }

// `meldung` in a box "Fehler" with the error icon.
void Fehlerbox(const std::string& meldung) {
  fenster::MessageBox(meldung, std::string(Texte::AllgemeineTexte[Texte::allgemein::Fehler]), plattform::MB_ERROR);
}

// Marks a transfer as running for its lifetime.
class Sperre {
 public:
  explicit Sperre(bool& laeuft) : laeuft_(laeuft) { laeuft_ = true; }
  ~Sperre() { laeuft_ = false; }
  Sperre(const Sperre&) = delete;
  Sperre& operator=(const Sperre&) = delete;

 private:
  bool& laeuft_;
};

// The transfer of one data group of the selection: persons, profiles, holidays; modus is
// the selection window's kSenden or kHolen.
void UebertrageGruppe(TSteuerung& steuerung, plattform::ProgressWindow& status, int gruppe, short modus) {
  const bool senden = modus == TIDD_SEND_DATA::kSenden;
  switch (gruppe) {
    case TIDD_SEND_DATA::kPersonen: senden ? steuerung.SendePersonen(status) : steuerung.HolePersonen(status); break;
    case TIDD_SEND_DATA::kProfile: senden ? steuerung.SendeProfile(status) : steuerung.HoleProfile(status); break;
    default: senden ? steuerung.SendeFeiertage(status) : steuerung.HoleFeiertage(status); break;
  }
}

// Runs the groups of a mask other than kAlle in their order, advancing the overall bar before
// each: by 40 for a single group, by 20 for each of two.
void UebertrageGruppen(TSteuerung& steuerung, plattform::ProgressWindow& status, int maske, short modus) {
  constexpr int gruppen[] = {TIDD_SEND_DATA::kPersonen, TIDD_SEND_DATA::kProfile, TIDD_SEND_DATA::kFeiertage};
  int anzahl = 0;
  for (const int gruppe : gruppen) anzahl += (maske & gruppe) != 0 ? 1 : 0;
  const int schritt = anzahl == 1 ? 40 : 20;
  for (const int gruppe : gruppen) {
    if ((maske & gruppe) == 0) continue;
    status.Overall().StepBy(schritt);
    UebertrageGruppe(steuerung, status, gruppe, modus);
  }
}

// "<command> erfolgreich"
std::string Erfolg(const char* befehl) {
  return std::string(befehl) + " " + Texte::AllgemeineTexte[Texte::allgemein::Erfolgreich];
}

// Ends the main loop once it runs (or at once when it already runs).
void BeendeProgramm(int status) {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [status] { QCoreApplication::exit(status); }, Qt::QueuedConnection);
}

// The document object could not be made: the reason in a "Fehler" box, then the end.
void StartGescheitert(const std::string& meldung) {
  fenster::ZeigeFehler(meldung);
  BeendeProgramm(1);
}

}  // namespace

template <class Sender, class Signal, class Handler>
void TIDD_MAIN::Verbinde(Sender* sender, Signal signal, Handler handler) {
  QAbstractButton* knopf = nullptr;
  if constexpr (std::is_base_of_v<QAbstractButton, Sender>) knopf = sender;
  connect(sender, signal, this, [this, knopf, handler] {
    if (Laeuft) {
      // An ignored click on a toggle button does not leave it toggled either.
      if (knopf != nullptr && knopf->isCheckable()) knopf->setChecked(!knopf->isChecked());
      return;
    }
    fenster::Geschuetzt([this, handler] { (this->*handler)(); });
  });
}

TIDD_MAIN::TIDD_MAIN(QWidget* parent) : QMainWindow(parent), Ordner(ProgrammOrdner()) {
  setupUi(this);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  QFont schrift = font();
  schrift.setPointSize(8);
  setFont(schrift);
  StatusBar->addWidget(IDT_CONNECT);
  StatusBar->addWidget(IDT_DATEI, 1);
  StatusBar->setFixedHeight(25);
  // Client area 610 x 407 below the menu: the buttons' panels and the two status panels.
  centralwidget->setFixedSize(kFensterBreite, 407 - 25);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  QFont dateiSchrift = IDT_DATEI->font();
  dateiSchrift.setPixelSize(13);
  IDT_DATEI->setFont(dateiSchrift);
  ZeigeDatei(QString());

  IDB_SEND_DATA->setText(T(Texte::Beschriftungen[Texte::beschriftung::DatenSenden]));
  IDB_GET_DATA->setText(T(Texte::Beschriftungen[Texte::beschriftung::DatenHolen]));
  IDB_PERSON->setText(T(Texte::Beschriftungen[Texte::beschriftung::Personendaten]));
  IDB_SET_CLOCK->setText(T(Texte::Beschriftungen[Texte::beschriftung::ZeitStellen]));
  IDB_SYTEMDATA->setText(T(Texte::Beschriftungen[Texte::beschriftung::Geraetedaten]));
  IDB_PROFIL->setText(T(Texte::Beschriftungen[Texte::beschriftung::Zutrittsprofile]));
  IDB_SETTINGS->setText(T(Texte::Beschriftungen[Texte::beschriftung::ErweiterteEinstellungen]));
  IDB_DOORDATA->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuerdaten]));
  IDB_KAL->setText(T(Texte::Beschriftungen[Texte::beschriftung::Feiertagskalender]));
  IDB_SHOW_BOOK->setText(T(Texte::Beschriftungen[Texte::beschriftung::BuchungenAnsehen]));
  IDB_PRINT->setText(T(Texte::Beschriftungen[Texte::beschriftung::Drucken]));
  setWindowTitle(T(Texte::Titel[Texte::titel::Programmtitel]));

  Configmenu->setTitle(T(Texte::MenueTexte[Texte::menue::Konfigurieren]));
  Personendaten1->setText(T(Texte::MenueTexte[Texte::menue::Personendaten]));
  Trdaten1->setText(T(Texte::MenueTexte[Texte::menue::Tuerdaten]));
  Steuerungdaten1->setText(T(Texte::MenueTexte[Texte::menue::Geraetedaten]));
  Feiertag1->setText(T(Texte::MenueTexte[Texte::menue::Feiertage]));
  Zutrittsprofile1->setText(T(Texte::MenueTexte[Texte::menue::Zutrittsprofile]));
  verbindungsparameter1->setText(T(Texte::MenueTexte[Texte::menue::Verbindungsparameter]));
  Uhrstellen1->setText(T(Texte::MenueTexte[Texte::menue::UhrStellen]));
  Zustzeanzeigen1->setText(T(Texte::MenueTexte[Texte::menue::ZusaetzeAnzeigen]));
  Aministration1->setText(T(Texte::MenueTexte[Texte::menue::ExpertModus]));
  FileMenu1->setTitle(T(Texte::MenueTexte[Texte::menue::Datei]));
  FileNewItem->setText(T(Texte::MenueTexte[Texte::menue::Neu]));
  FileOpenItem->setText(T(Texte::MenueTexte[Texte::menue::Oeffnen]));
  FileSaveItem->setText(T(Texte::MenueTexte[Texte::menue::Speichern]));
  FileSaveAsItem->setText(T(Texte::MenueTexte[Texte::menue::SpeichernAls]));
  FilePrintItem->setText(T(Texte::MenueTexte[Texte::menue::Drucken]));
  FilePrintSetupItem->setText(T(Texte::MenueTexte[Texte::menue::Druckereinrichtung]));
  FileExitItem->setText(T(Texte::MenueTexte[Texte::menue::Beenden]));
  HelpMenu1->setTitle(T(Texte::MenueTexte[Texte::menue::Hilfe]));
  HelpInhalt->setText(T(Texte::MenueTexte[Texte::menue::Inhalt]));
  HelpAboutItem->setText(T(Texte::MenueTexte[Texte::menue::InfoUeber]));

  // Each glyph button's picture, by its name in the program's icon theme, as large as the button shows it.
  const std::pair<QToolButton*, const char*> knopfbilder[] = {
      {IDB_SEND_DATA, "document-send"},  {IDB_GET_DATA, "emblem-downloads"},   {IDB_SET_CLOCK, "appointment-new"},
      {IDB_PERSON, "system-users"},      {IDB_SETTINGS, "preferences-system"}, {IDB_SYTEMDATA, "network-server"},
      {IDB_DOORDATA, "changes-prevent"}, {IDB_PROFIL, "security-high"},        {IDB_KAL, "x-office-calendar"},
      {IDB_SHOW_BOOK, "task-past-due"},  {IDB_PRINT, "document-print"},
  };
  for (const auto& [knopf, name] : knopfbilder) {
    knopf->setIcon(QIcon(bilder::Bild(T(name), knopf->iconSize().width())));
  }

  Verbinde(FileNewItem, &QAction::triggered, &TIDD_MAIN::FileNew);
  Verbinde(FileOpenItem, &QAction::triggered, &TIDD_MAIN::FileOpen);
  Verbinde(FileSaveItem, &QAction::triggered, &TIDD_MAIN::FileSave);
  Verbinde(FileSaveAsItem, &QAction::triggered, &TIDD_MAIN::FileSaveAs);
  Verbinde(FileExitItem, &QAction::triggered, &TIDD_MAIN::FileExitItemClick);
  Verbinde(Zustzeanzeigen1, &QAction::triggered, &TIDD_MAIN::Zustzeanzeigen1Click);
  Verbinde(HelpInhalt, &QAction::triggered, &TIDD_MAIN::HelpInhaltClick);
  Verbinde(HelpAboutItem, &QAction::triggered, &TIDD_MAIN::HelpAboutItemClick);
  Verbinde(IDB_SETTINGS, &QToolButton::clicked, &TIDD_MAIN::IDB_SETTINGSClick);
  Verbinde(IDB_KAL, &QToolButton::clicked, &TIDD_MAIN::IDB_KALClick);
  Verbinde(Feiertag1, &QAction::triggered, &TIDD_MAIN::Feiertag1Click);
  Verbinde(IDB_SEND_DATA, &QToolButton::clicked, &TIDD_MAIN::IDB_SEND_DATAClick);
  Verbinde(IDB_GET_DATA, &QToolButton::clicked, &TIDD_MAIN::IDB_GET_DATAClick);
  Verbinde(IDB_SET_CLOCK, &QToolButton::clicked, &TIDD_MAIN::IDB_SET_CLOCKClick);
  Verbinde(Uhrstellen1, &QAction::triggered, &TIDD_MAIN::Uhrstellen1Click);
  Verbinde(verbindungsparameter1, &QAction::triggered, &TIDD_MAIN::verbindungsparameter1Click);
  Verbinde(Aministration1, &QAction::triggered, &TIDD_MAIN::Aministration1Click);
  Verbinde(IDB_SHOW_BOOK, &QToolButton::clicked, &TIDD_MAIN::IDB_SHOW_BOOKClick);
  Verbinde(IDB_SYTEMDATA, &QToolButton::clicked, &TIDD_MAIN::IDB_SYTEMDATAClick);
  Verbinde(Steuerungdaten1, &QAction::triggered, &TIDD_MAIN::Steuerungdaten1Click);
  Verbinde(IDB_DOORDATA, &QToolButton::clicked, &TIDD_MAIN::IDB_DOORDATAClick);
  Verbinde(Trdaten1, &QAction::triggered, &TIDD_MAIN::Trdaten1Click);
  Verbinde(IDB_PROFIL, &QToolButton::clicked, &TIDD_MAIN::IDB_PROFILClick);
  Verbinde(Zutrittsprofile1, &QAction::triggered, &TIDD_MAIN::Zutrittsprofile1Click);
  Verbinde(IDB_PERSON, &QToolButton::clicked, &TIDD_MAIN::IDB_PERSONClick);
  Verbinde(Personendaten1, &QAction::triggered, &TIDD_MAIN::Personendaten1Click);
  Verbinde(FilePrintItem, &QAction::triggered, &TIDD_MAIN::FilePrint);
  Verbinde(FilePrintSetupItem, &QAction::triggered, &TIDD_MAIN::FilePrintSetup);
  Verbinde(IDB_PRINT, &QToolButton::clicked, &TIDD_MAIN::IDB_PRINTClick);
  // F1 asks for the main window's help context.
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(f1, &QShortcut::activated, this, [this] {
    if (!Laeuft) fenster::Geschuetzt([] { fenster::Hilfe(1000); });
  });
}

TIDD_MAIN::~TIDD_MAIN() { FormDestroy(); }

void TIDD_MAIN::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (Gezeigt) return;
  Gezeigt = true;
  if (const QScreen* bildschirm = screen()) move(bildschirm->availableGeometry().center() - rect().center());
  fenster::Geschuetzt([this] { FormShow(); });
}

void TIDD_MAIN::closeEvent(QCloseEvent* event) {
  TCloseAction action = TCloseAction::caNone;
  if (!Laeuft) fenster::Geschuetzt([this, &action] { FormClose(action); });
  if (action == TCloseAction::caFree) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TIDD_MAIN::FormShow() {
  const int jahr = plattform::Current().Now().year;
  if (jahr < 1998) {
    fenster::MessageBox(T(Texte::TextSystemzeit), Fehlertext(), plattform::MB_OK_PLAIN);
    // A clean end: the main loop ends at its first turn, without the close question and
    // without writing the configuration.
    BeendeProgramm(0);
  }
  // Without a document object the program cannot work (its folder cannot be written, no
  // memory): whatever the reason, it is shown and the program ends with a non-zero status.
  if (const std::optional<std::string> fehler =
          Fehlermeldung([&] { Steuerung = std::make_unique<TSteuerung>(static_cast<std::uint16_t>(jahr), Ordner); })) {
    StartGescheitert(*fehler);
    return;
  }
  ZeigeVerbindung();
  raise();
  activateWindow();
}

void TIDD_MAIN::ZeigeVerbindung() {
  const QString name = T(Texte::Eintrag(Texte::Adressnamen, Steuerung->GetAdresse()));
  if (Steuerung->Page == 0) {
    VerbindungsText =
        QStringLiteral(" IP: ") + QString::fromStdString(Steuerung->IP) + QStringLiteral(" , Adr.: ") + name;
  } else if (Steuerung->Kabel) {
    VerbindungsText =
        QStringLiteral(" COM") + QString::number(Steuerung->ComPort) + QStringLiteral(" , Programmierkabel");
  } else {
    VerbindungsText = QStringLiteral(" COM") + QString::number(Steuerung->ComPort) + QStringLiteral(" , Adr.: ") + name;
  }
  // The panel grows with its text as far as the document panel beside it can give way in the
  // window's fixed width; a text longer still is cut with "…" and stands whole on the tool
  // tip's second line.
  // A label's size hint counts its minimum width in: the text's own width is taken without it.
  IDT_CONNECT->setMinimumWidth(0);
  IDT_CONNECT->setText(VerbindungsText);
  const int noetig = IDT_CONNECT->sizeHint().width();
  const int breite = std::clamp(noetig, kVerbindungsBreite, kVerbindungHoechstens);
  IDT_CONNECT->setFixedWidth(breite);
  QString hinweis = kVerbindungsHinweis;
  if (noetig > breite) {
    const QFontMetrics metrik(IDT_CONNECT->font());
    const int textbreite = metrik.horizontalAdvance(VerbindungsText) - (noetig - breite);
    IDT_CONNECT->setText(metrik.elidedText(VerbindungsText, Qt::ElideRight, textbreite));
    hinweis += u'\n' + VerbindungsText;
  }
  IDT_CONNECT->setToolTip(hinweis);
  ZeigeDatei(Dateitext);
}

void TIDD_MAIN::ZeigeDatei(const QString& text) {
  Dateitext = text;
  // The panel keeps the room beside the connection panel whatever its text: a path that does
  // not fit is cut in the middle, so its file name stays, and stands whole in the tool tip.
  const int breite = kPanelRaum - IDT_CONNECT->width();
  IDT_DATEI->setFixedWidth(breite);
  IDT_DATEI->setText(text);
  const int noetig = IDT_DATEI->sizeHint().width();
  if (noetig <= breite) {
    IDT_DATEI->setToolTip(QString());
    return;
  }
  const QFontMetrics metrik(IDT_DATEI->font());
  const int textbreite = metrik.horizontalAdvance(text) - (noetig - breite);
  // The folders give way first: the file name stays whole where it fits beside a "…".
  const qsizetype schnitt = text.lastIndexOf(u'/');
  const QString name = text.mid(schnitt);
  const int ordnerbreite = textbreite - metrik.horizontalAdvance(name);
  const QString punkte(QChar(0x2026));
  if (schnitt > 0 && ordnerbreite >= metrik.horizontalAdvance(punkte)) {
    const QString ordner = metrik.elidedText(text.left(schnitt), Qt::ElideMiddle, ordnerbreite);
    IDT_DATEI->setText((ordner.isEmpty() ? punkte : ordner) + name);
  } else {
    IDT_DATEI->setText(metrik.elidedText(text, Qt::ElideMiddle, textbreite));
  }
  IDT_DATEI->setToolTip(text);
}

bool TIDD_MAIN::DarfVerwerfen() {
  const QString frage = T(Texte::AllgemeineTexte[Texte::allgemein::DatenNichtGespeichert]) + u'\n' +
                        T(Texte::AllgemeineTexte[Texte::allgemein::JetztSpeichern]);
  // A save can leave the bookings unsaved (their file could not be read): then it asks again.
  while (!Steuerung->DatenGespeichert || !Steuerung->BuchungenGespeichert) {
    switch (fenster::MessageBox(frage, Hinweistext(), plattform::MB_YESNOCANCEL_ASK)) {
      case plattform::ID_YES:
        if (!FileSaveAs()) return false;
        break;
      case plattform::ID_NO: return true;
      default: return false;
    }
  }
  return true;
}

void TIDD_MAIN::FileNew() {
  if (!DarfVerwerfen()) return;
  Steuerung->New();
  Steuerung->DatenGespeichert = false;
  DokumentName.clear();
  ZeigeDatei(QStringLiteral("Neu"));
}

void TIDD_MAIN::FileOpen() {
  if (!DarfVerwerfen()) return;
  const std::optional<QString> pfad = fenster::OeffnenDialog(this, kEndung, kFilter);
  if (!pfad) return;
  // The engine reads into a fresh document: a failed open leaves the open one as it was,
  // and so its name and panel text.
  if (const std::optional<std::string> fehler = Fehlermeldung([&] { Steuerung->Load(pfad->toStdString()); })) {
    Fehlerbox(*fehler);
    return;
  }
  DokumentName = *pfad;
  ZeigeDatei(DokumentName);
}

bool TIDD_MAIN::Speichere() {
  bool nichtGeschrieben = false;
  const std::optional<std::string> fehler = Fehlermeldung([&] {
    try {
      Steuerung->Save(DokumentName.toStdString());
    } catch (const StdError&) {
      nichtGeschrieben = true;
      throw;
    }
  });
  if (!fehler) return true;
  Fehlerbox(*fehler);
  // A document that could not be written loses its name, so the next Save asks for one; when
  // the file could not even be created (IoError), the name stays.
  if (nichtGeschrieben) {
    ZeigeDatei(Fehlertext() + QStringLiteral("in") + DokumentName);
    DokumentName.clear();
  }
  return false;
}

bool TIDD_MAIN::FileSave() {
  if (DokumentName.isEmpty()) return FileSaveAs();
  if (!Speichere()) return false;
  ZeigeDatei(DokumentName);
  return true;
}

bool TIDD_MAIN::FileSaveAs() {
  for (;;) {
    const std::optional<QString> pfad = fenster::SpeichernDialog(this, kEndung, kFilter);
    if (!pfad) return false;
    if (QFileInfo::exists(*pfad) &&
        fenster::MessageBox(T(Texte::AllgemeineTexte[Texte::allgemein::DateiUeberschreiben]), Hinweistext(),
                            plattform::MB_YESNO_ASK) != plattform::ID_YES) {
      continue;
    }
    DokumentName = *pfad;
    ZeigeDatei(DokumentName);
    return Speichere();
  }
}

void TIDD_MAIN::FileExitItemClick() { close(); }

void TIDD_MAIN::FormClose(TCloseAction& action) {
  if (!Steuerung) {  // the start failed: there is nothing to save or to write back
    action = TCloseAction::caFree;
    return;
  }
  // After Yes the window closes only when the document was written; then the configuration
  // is written too.
  if (!DarfVerwerfen()) {
    action = TCloseAction::caNone;
    return;
  }
  action = TCloseAction::caFree;
  Steuerung->ClearLists();
  Steuerung->Beenden();
}

void TIDD_MAIN::FormDestroy() { Steuerung.reset(); }

std::array<QToolButton*, 4> TIDD_MAIN::Expertenknoepfe() const {
  return {IDB_SYTEMDATA, IDB_DOORDATA, IDB_PROFIL, IDB_KAL};
}

void TIDD_MAIN::IDB_KALClick() {
  IDD_FEIERTAG->Init(plattform::Current().Now().year, Steuerung.get());
  IDD_FEIERTAG->setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::Feiertagskalender]));
  fenster::ZeigeModal(*IDD_FEIERTAG);
}

void TIDD_MAIN::Feiertag1Click() { IDB_KALClick(); }

void TIDD_MAIN::IDB_SETTINGSClick() {
  const bool unten = IDB_SETTINGS->isChecked();
  for (QToolButton* knopf : Expertenknoepfe()) {
    knopf->setEnabled(unten);
    knopf->setVisible(unten);
  }
  IDB_SETTINGS->setText(T(Texte::Beschriftungen[unten ? Texte::beschriftung::StandardEinstellungen
                                                      : Texte::beschriftung::ErweiterteEinstellungen]));
}

void TIDD_MAIN::Zustzeanzeigen1Click() {
  IDB_SETTINGS->setChecked(!IDB_SETTINGS->isChecked());
  IDB_SETTINGSClick();
}

void TIDD_MAIN::IDB_SYTEMDATAClick() {
  IDD_SYSTEMDATA->Init(*Steuerung);
  IDD_SYSTEMDATA->setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::Geraetedaten]));
  fenster::ZeigeModal(*IDD_SYSTEMDATA);
}

void TIDD_MAIN::Steuerungdaten1Click() { IDB_SYTEMDATAClick(); }

void TIDD_MAIN::IDB_DOORDATAClick() {
  // With no door in use the set-up raises; the guard shows it and the window stays hidden.
  IDD_DOORDATA->Init(*Steuerung);
  IDD_DOORDATA->setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::Tuerdaten]));
  fenster::ZeigeModal(*IDD_DOORDATA);
}

void TIDD_MAIN::Trdaten1Click() { IDB_DOORDATAClick(); }

void TIDD_MAIN::IDB_PROFILClick() {
  IDD_PROFIL->Init(Steuerung.get());
  IDD_PROFIL->setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::Zutrittsprofile]));
  fenster::ZeigeModal(*IDD_PROFIL);
}

void TIDD_MAIN::Zutrittsprofile1Click() { IDB_PROFILClick(); }

void TIDD_MAIN::IDB_PERSONClick() {
  IDD_PERSONEN->Init(Steuerung.get());
  IDD_PERSONEN->setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::Personendaten]));
  IDD_PERSONEN->ZeigePersonen();
  fenster::ZeigeModal(*IDD_PERSONEN);
}

void TIDD_MAIN::HelpInhaltClick() { fenster::Hilfe(1000); }

void TIDD_MAIN::HelpAboutItemClick() {
  IDD_ABOUT->setWindowTitle(T(Texte::Titel[Texte::titel::InfoUeber]));
  fenster::ZeigeModal(*IDD_ABOUT);
}

int TIDD_MAIN::Maske() const {
  return (IDD_SEND_DATA->IDCB_PERSON->isChecked() ? TIDD_SEND_DATA::kPersonen : 0) |
         (IDD_SEND_DATA->IDCB_PROFIL->isChecked() ? TIDD_SEND_DATA::kProfile : 0) |
         (IDD_SEND_DATA->IDCB_DAYS->isChecked() ? TIDD_SEND_DATA::kFeiertage : 0);
}

void TIDD_MAIN::BereiteFortschrittVor() {
  plattform::ProgressWindow& status = *IDD_STATUS;
  status.SetLabel1(" ");
  status.SetLabel2(" ");
  status.SetCaption(Texte::Titel[Texte::titel::Datenuebertragung]);
  status.Item().SetPosition(0);
  status.Item().SetStep(1);
  status.Overall().SetPosition(0);
  status.Overall().SetStep(10);
  status.Show();
}

void TIDD_MAIN::UebertrageDaten(short modus) {
  const bool senden = modus == TIDD_SEND_DATA::kSenden;
  plattform::ProgressWindow& status = *IDD_STATUS;
  // A send leaves the progress window hidden with its bars, a fetch closes it.
  const auto beende = [&status, senden] { senden ? status.Hide() : status.Close(); };
  IDD_SEND_DATA->SetzeModus(modus);
  if (fenster::ZeigeModal(*IDD_SEND_DATA) != fenster::mrOk) {
    beende();
    return;
  }
  const int maske = Maske();
  const Sperre sperre(Laeuft);
  fenster::Geschuetzt(
      [&] {
        BereiteFortschrittVor();
        Steuerung->GetVersion();
        if (!senden) {
          // Nothing was taken over before the version answer; from the first group on, what
          // arrives goes into the document, also when a later one fails.
          Steuerung->DatenGespeichert = false;
        } else if (Steuerung->Geraetetyp != Steuerung->GemeldeterTyp) {
          const std::string frage = std::string(Texte::Geraetetypen[Texte::geraetetyp::FrageVorDokumenttyp]) +
                                    Texte::Geraetetypname(Steuerung->Geraetetyp) +
                                    Texte::Geraetetypen[Texte::geraetetyp::FrageVorGemeldetemTyp] +
                                    Texte::Geraetetypname(Steuerung->GemeldeterTyp) +
                                    Texte::Geraetetypen[Texte::geraetetyp::FrageSchluss];
          if (fenster::MessageBox(frage, std::string(Texte::AllgemeineTexte[Texte::allgemein::Hinweis]),
                                  plattform::MB_YESNO_WARN) != plattform::ID_YES) {
            status.Close();
            return;
          }
        }
        if (maske != TIDD_SEND_DATA::kAlle) {
          UebertrageGruppen(*Steuerung, status, maske, modus);
        } else if (!senden) {
          Steuerung->HoleAlleDaten(status);
        } else if (!Steuerung->SendeAlleDaten(status)) {
          // A failing clock step has shown its own box; no success box follows it.
          status.Hide();
          return;
        }
        if (senden) status.Hide();
        fenster::MessageBox(
            Erfolg(Texte::Beschriftungen[senden ? Texte::beschriftung::DatenSenden : Texte::beschriftung::DatenHolen]),
            std::string(Texte::AllgemeineTexte[Texte::allgemein::Info]), plattform::MB_OK_PLAIN);
      },
      // Every failure, also one outside the program's classes, closes the application-modal
      // progress window before its box, so the main window is not left locked behind it.
      [&status] { status.Close(); });
  beende();
}

void TIDD_MAIN::IDB_SEND_DATAClick() { UebertrageDaten(TIDD_SEND_DATA::kSenden); }

void TIDD_MAIN::IDB_GET_DATAClick() { UebertrageDaten(TIDD_SEND_DATA::kHolen); }

void TIDD_MAIN::IDB_SET_CLOCKClick() {
  const Sperre sperre(Laeuft);
  // A communication failure is shown by the engine itself and gives false.
  if (Steuerung->SetzeUhrzeit()) {
    fenster::MessageBox(Erfolg(Texte::Beschriftungen[Texte::beschriftung::ZeitStellen]),
                        std::string(Texte::AllgemeineTexte[Texte::allgemein::Hinweis]), plattform::MB_OK_PLAIN);
  }
}

void TIDD_MAIN::Uhrstellen1Click() { IDB_SET_CLOCKClick(); }

void TIDD_MAIN::verbindungsparameter1Click() {
  IDD_COMM->Init(Steuerung.get());
  IDD_COMM->setWindowTitle(T(Texte::Titel[Texte::titel::Verbindungsparameter]));
  IDD_COMM->CheckBoxLOGEnabled->setText(T(Texte::Beschriftungen[Texte::beschriftung::ProtokollierungDerKommunikation]));
  IDD_COMM->CheckBoxCabelPlugged->setText(T(Texte::Beschriftungen[Texte::beschriftung::VerbindungMitProgrammierkabel]));
  IDD_COMM->DeviceADR->setText(T(Texte::Beschriftungen[Texte::beschriftung::Geraeteadresse]));
  IDD_COMM->ButtonTESTCON->setText(T(Texte::Beschriftungen[Texte::beschriftung::Verbindungstest]));
  IDD_COMM->ZeigeWerte();
  fenster::ZeigeModal(*IDD_COMM);
  // The address and a test have written into the document whatever the window returned.
  ZeigeVerbindung();
}

int TIDD_MAIN::PruefePasswort(const QString& text) {
  if (text == QStringLiteral("Pylon")) return 1;
  if (text == QStringLiteral("QRZWarden")) return 2;
  return 0;
}

void TIDD_MAIN::Aministration1Click() {
  IDD_PASSWD->setWindowTitle(T(Texte::Titel[Texte::titel::PasswortFuerExpertModus]));
  IDD_PASSWD->Label1->setText(T(Texte::Titel[Texte::titel::PasswortEingeben]));
  if (fenster::ZeigeModal(*IDD_PASSWD) != fenster::mrOk) return;
  const int level = PruefePasswort(IDD_PASSWD->IDE_PASSWD->text());
  if (level == 0) {
    fenster::MessageBox(QStringLiteral("Eingegebenes Passwort ist falsch!"), Fehlertext(), plattform::MB_ERROR);
    return;
  }
  // An admission with the first password leaves its line in the access log; when the line
  // cannot be written the user learns so, and the admission goes on.
  if (level == 1 && !SchreibeZugriff(Steuerung->Ordner(), plattform::Current().Now())) {
    fenster::MessageBox(T(Texte::AllgemeineTexte[Texte::allgemein::FehlerBeimSchreibenInDatei]) + u'\n' +
                            QString::fromStdString(Zugriffsprotokolldatei(Steuerung->Ordner())),
                        Fehlertext(), plattform::MB_ERROR);
  }
  IDD_ADVANCED->Init(Steuerung.get(), level, IDD_STATUS);
  IDD_ADVANCED->setWindowTitle(T(Texte::Titel[Texte::titel::ExpertModusEinstellungen]));
  IDD_ADVANCED->TCPPort->setText(QString::number(Steuerung->TCPPort));
  if (fenster::ZeigeModal(*IDD_ADVANCED) != fenster::mrOk) return;
  IDD_ADVANCED->SchreibeZurueck();
}

void TIDD_MAIN::IDB_SHOW_BOOKClick() {
  // A failure of the set-up (reading the bookings file) leaves the handler: the guard shows
  // it and the window is not shown.
  IDD_BUCHUNGEN->Init(Steuerung.get());
  IDD_BUCHUNGEN->setWindowTitle(T(Texte::Beschriftungen[Texte::beschriftung::BuchungenAnsehen]));
  fenster::ZeigeModal(*IDD_BUCHUNGEN);
}
void TIDD_MAIN::FilePrint() {
  IDD_PRINT->Init(Steuerung.get());
  fenster::ZeigeModal(*IDD_PRINT);
}

void TIDD_MAIN::FilePrintSetup() { fenster::DruckerEinrichten(this, IDD_PRINT->Drucker()); }

void TIDD_MAIN::IDB_PRINTClick() { FilePrint(); }
