#include "printing/QtDruckziel.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>

#include "model/Fehler.h"

namespace drucken {

namespace {

const QString kKeinDrucker = QStringLiteral(
    "Es ist kein Drucker eingerichtet.\n"
    "Bitte wählen Sie unter \"Druckersetup\" einen Drucker oder die Ausgabe in eine PDF-Datei.");

// The font of every report, named here so that the print does not depend on the desktop's font
// set-up: its widths match those the reports' columns were laid out for. Where it is missing,
// Qt takes the nearest sans-serif font. Drawn without shaping: a ligature would put one
// character in place of "fi" or "ff", and a search of the printed file would miss the word.
QFont Druckschrift() {
  QFont schrift(QStringLiteral("Liberation Sans"));
  schrift.setStyleHint(QFont::SansSerif);
  schrift.setStyleStrategy(QFont::PreferNoShaping);
  return schrift;
}

// `schrift` narrowed (QFont::setStretch) just as far as `text` needs to be at most `breite`
// pixels wide on `geraet`; unchanged where it fits.
QFont Eingepasst(const QFont& schrift, const QString& text, int breite, QPaintDevice* geraet) {
  const int ganz = QFontMetrics(schrift, geraet).horizontalAdvance(text);
  QFont schmal = schrift;
  // An empty text needs no room, also where there is none.
  if (ganz <= breite || ganz == 0) return schmal;
  for (int prozent = std::max(1, 100 * breite / ganz); prozent >= 1; --prozent) {
    schmal.setStretch(prozent);
    if (QFontMetrics(schmal, geraet).horizontalAdvance(text) <= breite) break;
  }
  return schmal;
}

// Puts the printer's chosen file back when a job is done with it, on every way out.
class Ausgabedatei {
 public:
  Ausgabedatei(QPrinter& drucker, const QString& fuerDenAuftrag)
      : drucker_(drucker), gewaehlt_(drucker.outputFileName()) {
    if (!gewaehlt_.isEmpty()) drucker_.setOutputFileName(fuerDenAuftrag);
  }
  ~Ausgabedatei() {
    if (!gewaehlt_.isEmpty()) drucker_.setOutputFileName(gewaehlt_);
  }
  Ausgabedatei(const Ausgabedatei&) = delete;
  Ausgabedatei& operator=(const Ausgabedatei&) = delete;

 private:
  QPrinter& drucker_;
  QString gewaehlt_;
};

}  // namespace

QString DateiFuerAbschnitt(const QString& gewaehlt, const QString& abschnitt) {
  const QFileInfo info(gewaehlt);
  const QString endung = info.suffix();
  const QString stamm = info.completeBaseName() + u'_' + abschnitt;
  return info.dir().filePath(endung.isEmpty() ? stamm : stamm + u'.' + endung);
}

QtDruckziel::QtDruckziel(QPrinter& drucker) : drucker_(drucker), schrift_(Druckschrift()) {}

void QtDruckziel::Beginne(const QString& titel, const QString& abschnitt) {
  // Without a printer Qt writes a PDF file, and without a file name it fails silently.
  const bool inDatei = !drucker_.outputFileName().isEmpty();
  if (!inDatei && (drucker_.outputFormat() == QPrinter::PdfFormat || !drucker_.isValid())) {
    throw StdError(kKeinDrucker.toStdString());
  }
  // Every job at the program's resolution, also after the set-up chose another printer.
  drucker_.setResolution(kAufloesung);
  titel_ = titel;
  abschnitt_ = abschnitt;
  befehle_.clear();
  seite_ = 1;
}

void QtDruckziel::NeueSeite() {
  befehle_.push_back({.art = Befehl::Art::Seite});
  ++seite_;
}

void QtDruckziel::Ende() {
  // The job is over also when the printer refuses it.
  const auto vorbei = qScopeGuard([this] { Abbrechen(); });
  Male();
}

void QtDruckziel::Abbrechen() noexcept {
  befehle_.clear();
  seite_ = 0;
}

void QtDruckziel::Schriftgroesse(int punkte) {
  schrift_.setPointSize(punkte);
  befehle_.push_back({.art = Befehl::Art::Schrift, .a = punkte});
}

void QtDruckziel::Text(int x, int y, const QString& text) {
  befehle_.push_back({.art = Befehl::Art::Text, .a = x, .b = y, .text = text});
}

void QtDruckziel::EingepassterText(int x, int y, const QString& text, int breite) {
  befehle_.push_back({.art = Befehl::Art::Eingepasst, .a = x, .b = y, .c = breite, .text = text});
}

void QtDruckziel::Linie(int x1, int y1, int x2, int y2) {
  befehle_.push_back({.art = Befehl::Art::Linie, .a = x1, .b = y1, .c = x2, .d = y2});
}

int QtDruckziel::Textbreite(const QString& text) const {
  return QFontMetrics(schrift_, &drucker_).horizontalAdvance(text);
}

int QtDruckziel::Texthoehe(const QString&) const { return QFontMetrics(schrift_, &drucker_).height(); }

int QtDruckziel::Seitenbreite() const { return drucker_.width(); }

int QtDruckziel::Seitenhoehe() const { return drucker_.height(); }

void QtDruckziel::Male() {
  const Ausgabedatei datei(drucker_, DateiFuerAbschnitt(drucker_.outputFileName(), abschnitt_));
  drucker_.setDocName(titel_);
  QPainter maler;
  if (!maler.begin(&drucker_)) {
    QString meldung = QStringLiteral("Der Druck \"%1\" konnte nicht beginnen.\n").arg(titel_);
    if (!drucker_.outputFileName().isEmpty()) {
      meldung += QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.\n").arg(drucker_.outputFileName());
    }
    meldung += QStringLiteral("Bitte prüfen Sie die Einstellungen unter \"Druckersetup\".");
    throw StdError(meldung.toStdString());
  }
  QFont schrift = schrift_;
  for (const Befehl& b : befehle_) {
    switch (b.art) {
      case Befehl::Art::Schrift:
        schrift.setPointSize(b.a);
        maler.setFont(QFont(schrift, &drucker_));
        break;
      case Befehl::Art::Text:
        // Qt places a text by its baseline.
        maler.drawText(b.a, b.b + maler.fontMetrics().ascent(), b.text);
        break;
      case Befehl::Art::Eingepasst:
        maler.setFont(QFont(Eingepasst(schrift, b.text, b.c, &drucker_), &drucker_));
        maler.drawText(b.a, b.b + maler.fontMetrics().ascent(), b.text);
        maler.setFont(QFont(schrift, &drucker_));
        break;
      case Befehl::Art::Linie: maler.drawLine(b.a, b.b, b.c, b.d); break;
      case Befehl::Art::Seite: drucker_.newPage(); break;
    }
  }
  maler.end();
}

}  // namespace drucken
