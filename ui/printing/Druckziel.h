// What the reports print on: one job after the other, each with its title, its pages, texts
// and lines. Coordinates are device pixels of the page; a text is placed by the top-left
// corner of its box. The program prints on a QPrinter (QtDruckziel); tests record the calls.
#pragma once

#include <QString>

namespace drucken {

class Druckziel {
 public:
  virtual ~Druckziel() = default;

  // Begins a job titled `titel`; `abschnitt` names what it prints (a job that goes into a
  // file gets a file of its own named with it). StdError when no job can begin (no printer).
  virtual void Beginne(const QString& titel, const QString& abschnitt) = 0;
  virtual void NeueSeite() = 0;
  // Ends the job and hands it to the printer; StdError when the printer refuses it.
  virtual void Ende() = 0;
  // Drops the job begun: nothing of it is printed.
  virtual void Abbrechen() noexcept = 0;

  // The font size in points for what follows.
  virtual void Schriftgroesse(int punkte) = 0;
  virtual void Text(int x, int y, const QString& text) = 0;
  // `text` whole at (x, y), narrowed just as far as it needs to be at most `breite` wide; as
  // Text where it fits.
  virtual void EingepassterText(int x, int y, const QString& text, int breite) = 0;
  virtual void Linie(int x1, int y1, int x2, int y2) = 0;
  // Measures of a text in the current font.
  virtual int Textbreite(const QString& text) const = 0;
  virtual int Texthoehe(const QString& text) const = 0;

  virtual int Seitenbreite() const = 0;
  virtual int Seitenhoehe() const = 0;
  // The page of the job being printed, from 1.
  virtual int Seitennummer() const = 0;
};

// A job for its lifetime: begun when it is made, dropped when it is left without Ende (an
// exception in the middle of a report prints nothing of that job).
class Auftrag {
 public:
  Auftrag(Druckziel& ziel, const QString& titel, const QString& abschnitt) : ziel_(ziel) {
    ziel_.Beginne(titel, abschnitt);
  }
  ~Auftrag() {
    if (offen_) ziel_.Abbrechen();
  }
  Auftrag(const Auftrag&) = delete;
  Auftrag& operator=(const Auftrag&) = delete;

  void Ende() {
    offen_ = false;
    ziel_.Ende();
  }

 private:
  Druckziel& ziel_;
  bool offen_ = true;
};

}  // namespace drucken
