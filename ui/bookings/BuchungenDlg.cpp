#include "bookings/BuchungenDlg.h"

#include <vector>

#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

#include "document/Steuerung.h"
#include "platform/Plattform.h"
#include "text/Texte.h"

#include "bookings/BuchungsExport.h"
#include "bookings/BuchungsListe.h"
#include "fields/Anzeigetext.h"
#include "shared/Fensterregister.h"
#include "shared/StatusDlg.h"

namespace {

QString Beschriftung(std::size_t eintrag) { return T(Texte::Beschriftungen[eintrag]); }
QString Allgemein(std::size_t eintrag) { return T(Texte::AllgemeineTexte[eintrag]); }

enum Schluessel : int { kName = 0, kKarte = 1, kZeit = 2 };

const QString kExportEndung = QStringLiteral("txt");
const QString kExportFilter = QStringLiteral("Textdateien|*.txt");

// The document's path without the extension of its file name ("/a/b.v2.wuz" -> "/a/b.v2");
// a dot in a folder name or at the start of the file name is no extension.
QString OhneEndung(const QString& pfad) {
  const qsizetype schraegstrich = pfad.lastIndexOf(u'/');
  const qsizetype punkt = pfad.lastIndexOf(u'.');
  return punkt > schraegstrich + 1 ? pfad.left(punkt) : pfad;
}

// Both paths name the same file (through links, when it exists).
bool GleicheDatei(const QString& a, const QString& b) {
  const QFileInfo fa(a);
  const QFileInfo fb(b);
  if (fa.exists() && fb.exists()) return fa.canonicalFilePath() == fb.canonicalFilePath();
  return fa.absoluteFilePath() == fb.absoluteFilePath();
}

}  // namespace

TIDD_BUCHUNGEN::TIDD_BUCHUNGEN(QWidget* parent) : fenster::TFormular(parent), Zeilen(new TBuchungsModell(this)) {
  setupUi(this);
  setFixedSize(size());
  // The program's font, as in the main window: the date and time fit the first column.
  QFont schrift = font();
  schrift.setPointSize(8);
  setFont(schrift);
  IDLB_SHOWBOOK->setModel(Zeilen);
  auto* tabulatoren = new TTabulatorDelegate(IDLB_SHOWBOOK);
  // The columns start under the heads: date and time, card, name, and under the door choice
  // the reader and door.
  const int textAnfang = IDLB_SHOWBOOK->x() + IDLB_SHOWBOOK->frameWidth() + TTabulatorDelegate::kRand;
  tabulatoren->SetzeTabulatoren(
      {IDB_CARD->x() - textAnfang, IDB_NAME->x() - textAnfang, IDCB_SELECT_DOOR->x() - textAnfang});
  IDLB_SHOWBOOK->setItemDelegate(tabulatoren);
  IDB_GET_BOOK->setText(Beschriftung(Texte::beschriftung::BuchungenAbrufen));
  IDB_GET_BOOK->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  IDB_DELETE->setText(Beschriftung(Texte::beschriftung::BuchungenLoeschen));

  auto verbinde = [this](QAbstractButton* knopf, void (TIDD_BUCHUNGEN::*handler)()) {
    connect(knopf, &QAbstractButton::clicked, this,
            [this, handler] { fenster::Geschuetzt([this, handler] { (this->*handler)(); }); });
  };
  verbinde(IDB_TIME, &TIDD_BUCHUNGEN::IDB_TIMEClick);
  verbinde(IDB_CARD, &TIDD_BUCHUNGEN::IDB_CARDClick);
  verbinde(IDB_NAME, &TIDD_BUCHUNGEN::IDB_NAMEClick);
  verbinde(IDB_GET_BOOK, &TIDD_BUCHUNGEN::IDB_GET_BOOKClick);
  verbinde(IDB_DELETE, &TIDD_BUCHUNGEN::IDB_DELETEClick);
  verbinde(IDB_EXPORT_BKS, &TIDD_BUCHUNGEN::IDB_EXPORT_BKSClick);
  verbinde(IDB_OK, &TIDD_BUCHUNGEN::IDB_OKClick);
  connect(IDCB_SELECT_DOOR, &QComboBox::activated, this,
          [this] { fenster::Geschuetzt([this] { IDCB_SELECT_DOORChange(); }); });
}

void TIDD_BUCHUNGEN::Init(TSteuerung* steuerung) {
  Steuerung = steuerung;
  Zeilen->Leere();
  Steuerung->LoadBuchungen();
  IDB_NAME->setText(Beschriftung(Texte::beschriftung::NameAufdruck));
  IDB_CARD->setText(Beschriftung(Texte::beschriftung::Kartencodierung));
  IDB_TIME->setText(Beschriftung(Texte::beschriftung::DatumUhrzeit));
  IDCB_SELECT_DOOR->clear();
  for (std::size_t eintrag : {Texte::beschriftung::AlleTueren, Texte::beschriftung::Tuer1, Texte::beschriftung::Tuer2,
                              Texte::beschriftung::Tuer3MK}) {
    IDCB_SELECT_DOOR->addItem(Beschriftung(eintrag));
  }
  IDCB_SELECT_DOOR->setCurrentIndex(0);
  Tuerfilter = 0;
  NameRichtung = KartenRichtung = ZeitRichtung = true;
  ZeigeBuchungen();
}

bool TIDD_BUCHUNGEN::Gezeigt(const books& buchung) const {
  return Tuerfilter == 0 || TuerIndex(buchung.Ereignis1) == Tuerfilter;
}

void TIDD_BUCHUNGEN::ZeigeBuchungen() {
  std::vector<const books*> gezeigt;
  gezeigt.reserve(static_cast<std::size_t>(Steuerung->Buchungen.Anzahl));
  for (const ArrayElement<books*>* k = Steuerung->Buchungen.Kopf; k != nullptr; k = k->Next) {
    if (Gezeigt(*k->Daten)) gezeigt.push_back(k->Daten);
  }
  Zeilen->Zeige(std::move(gezeigt));
}

void TIDD_BUCHUNGEN::Sortiere(bool& richtung, int schluessel) {
  richtung = !richtung;
  Steuerung->SortiereBuchungen(schluessel, richtung ? 1 : 0);
  ZeigeBuchungen();
}

void TIDD_BUCHUNGEN::IDB_NAMEClick() { Sortiere(NameRichtung, kName); }
void TIDD_BUCHUNGEN::IDB_CARDClick() { Sortiere(KartenRichtung, kKarte); }
void TIDD_BUCHUNGEN::IDB_TIMEClick() { Sortiere(ZeitRichtung, kZeit); }

void TIDD_BUCHUNGEN::IDCB_SELECT_DOORChange() {
  // Choosing the door that is shown already changes nothing.
  if (IDCB_SELECT_DOOR->currentIndex() == Tuerfilter) return;
  Tuerfilter = IDCB_SELECT_DOOR->currentIndex();
  ZeigeBuchungen();
}

void TIDD_BUCHUNGEN::IDB_GET_BOOKClick() {
  // The fetch shows its own failures; what arrived before one stays and is shown.
  Steuerung->HoleBuchungen(*IDD_STATUS);
  ZeigeBuchungen();
}

void TIDD_BUCHUNGEN::IDB_DELETEClick() {
  if (Zeilen->rowCount() == 0) return;
  // What the list shows goes; bookings of other doors stay.
  Zeilen->Leere();
  Steuerung->Buchungen.RemoveIf([this](const books& b) { return Gezeigt(b); });
  Steuerung->BuchungenGespeichert = false;
  ZeigeBuchungen();
}

void TIDD_BUCHUNGEN::IDB_OKClick() {
  if (!Steuerung->BuchungenGespeichert) {
    // Saving reads a bookings file that changed on disk again and rebuilds the list from it,
    // so the rows let go of the bookings first and show the list as it is afterwards. A
    // failed write raises and leaves the window open with the bookings unsaved; a file that
    // cannot be created has been reported by the engine, and the window stays too.
    Zeilen->Leere();
    try {
      Steuerung->SaveBuchungen();
    } catch (...) {
      ZeigeBuchungen();
      throw;
    }
    if (!Steuerung->BuchungenGespeichert) {
      ZeigeBuchungen();
      return;
    }
  }
  done(fenster::mrOk);
}

std::optional<QString> TIDD_BUCHUNGEN::WaehleExportdatei() {
  const QString dokument = QString::fromStdString(Steuerung->Dateiname);
  const QString buchungsdatei = QString::fromStdString(Steuerung->BuchungsDateiname);
  for (;;) {
    const std::optional<QString> pfad =
        fenster::SpeichernDialog(this, kExportEndung, kExportFilter, OhneEndung(dokument));
    if (!pfad) return std::nullopt;
    if (GleicheDatei(*pfad, dokument) || GleicheDatei(*pfad, buchungsdatei)) {
      fenster::MessageBox(QStringLiteral("In die Steuerungsdaten oder die Buchungsdatei des Dokuments\n"
                                         "kann nicht exportiert werden."),
                          Allgemein(Texte::allgemein::Hinweis), plattform::MB_WARN);
      continue;
    }
    if (QFileInfo::exists(*pfad) &&
        fenster::MessageBox(Allgemein(Texte::allgemein::DateiUeberschreiben), Allgemein(Texte::allgemein::Hinweis),
                            plattform::MB_YESNO_ASK) != plattform::ID_YES) {
      continue;
    }
    return pfad;
  }
}

void TIDD_BUCHUNGEN::IDB_EXPORT_BKSClick() {
  if (Steuerung->Buchungen.Anzahl == 0) return;
  if (const std::optional<QString> pfad = WaehleExportdatei()) ExportiereBuchungen(*pfad);
}

void TIDD_BUCHUNGEN::ExportiereBuchungen(const QString& dateiname) {
  if (!SchreibeBuchungsExport(dateiname.toStdString(), Steuerung->Buchungen, plattform::Current().Now())) {
    // Nothing was written: no question, since clearing would lose bookings that are nowhere else.
    fenster::MessageBox(Allgemein(Texte::allgemein::FehlerBeimSchreibenInDatei), Allgemein(Texte::allgemein::Fehler),
                        plattform::MB_OK_PLAIN);
    return;
  }
  if (fenster::MessageBox(Allgemein(Texte::allgemein::ExportierteBuchungenLoeschen),
                          Allgemein(Texte::allgemein::Hinweis), plattform::MB_YESNO_ASK) == plattform::ID_YES) {
    Zeilen->Leere();
    Steuerung->Buchungen.Clear();
    Steuerung->BuchungenGespeichert = false;
    ZeigeBuchungen();
  }
}

void TIDD_BUCHUNGEN::done(int ergebnis) {
  Zeilen->Leere();
  fenster::TFormular::done(ergebnis);
}

void TIDD_BUCHUNGEN::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    fenster::Geschuetzt([] { fenster::Hilfe(1010); });
    return;
  }
  fenster::TFormular::keyPressEvent(event);
}
