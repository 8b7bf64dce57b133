// The print target on a QPrinter: a real printer through the system, or a PDF file. A job is
// collected page by page and painted onto the printer with QPainter when it ends, so a job
// dropped in the middle reaches neither printer nor file. When the printer writes to a file,
// each job writes a file of its own: the chosen name with the job's section added
// ("druck.pdf" -> "druck_Personendaten.pdf"); Qt would write every job into the one file.
#pragma once

#include <vector>

#include <QFont>
#include <QString>

#include "printing/Druckziel.h"

class QPrinter;

namespace drucken {

// The resolution the program prints at, in dots per inch, whatever the printer offers.
inline constexpr int kAufloesung = 300;

// The file a job of section `abschnitt` writes when the printer writes into `gewaehlt`.
QString DateiFuerAbschnitt(const QString& gewaehlt, const QString& abschnitt);

class QtDruckziel final : public Druckziel {
 public:
  explicit QtDruckziel(QPrinter& drucker);

  void Beginne(const QString& titel, const QString& abschnitt) override;
  void NeueSeite() override;
  void Ende() override;
  void Abbrechen() noexcept override;
  void Schriftgroesse(int punkte) override;
  void Text(int x, int y, const QString& text) override;
  void EingepassterText(int x, int y, const QString& text, int breite) override;
  void Linie(int x1, int y1, int x2, int y2) override;
  int Textbreite(const QString& text) const override;
  int Texthoehe(const QString& text) const override;
  int Seitenbreite() const override;
  int Seitenhoehe() const override;
  int Seitennummer() const override { return seite_; }

 private:
  struct Befehl {
    enum class Art { Schrift, Text, Eingepasst, Linie, Seite } art;
    int a = 0, b = 0, c = 0, d = 0;  // point size; x, y (and the width to fit); x1, y1, x2, y2
    QString text{};
  };
  // Paints the collected job on the printer.
  void Male();

  QPrinter& drucker_;
  QFont schrift_;
  QString titel_;
  QString abschnitt_;
  std::vector<Befehl> befehle_;
  int seite_ = 0;
};

}  // namespace drucken
