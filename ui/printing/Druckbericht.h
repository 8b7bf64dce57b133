// The printed reports of a document: access profiles with their time lines, persons, device
// and door data, the holidays of a range of years, and bookings. Each report is a job of its
// own, every page with the header (title, date and time of printing) and the footer (rule,
// page number, the document's path). Coordinates follow the page: W its width, H its height,
// the margin m = W / 16, the line height lh and the character width cw of "W" at 10 points;
// lines start at y = 200 below the header.
//
// A text that would reach the next text of its line is cut with "…" where it leaves a blank's
// width before that one; a card code, which tells cards apart, is never cut but narrowed just
// as far as it needs to fit that room.
//
// A block (a profile with its lines, a door with its lines, a person, holiday or booking line)
// that would cross the footer rule at H - 5 lh goes to a new page; a page is begun only for a
// block that follows, so no empty page ends a job.
#pragma once

#include <vector>

#include <QString>

#include "model/Records.h"
#include "platform/Plattform.h"

#include "printing/Druckziel.h"

class TSteuerung;

class TDruckbericht {
 public:
  // Prints on `drucker`; every page header carries the date and time `druckzeit`.
  TDruckbericht(TSteuerung& steuerung, drucken::Druckziel& drucker, const plattform::LocalTime& druckzeit);

  // Nothing without profiles.
  void DruckeProfile();
  // Sorts the document's persons by `schluessel` (0 name, 1 card, 2 profile) first; nothing
  // without persons.
  void DruckePersonen(int schluessel);
  // Always one job.
  void DruckeGeraetedaten();
  // The entries of the holiday table from 1 January `vonJahr` to 31 December `bisJahr`;
  // always one job.
  void DruckeFeiertage(int vonJahr, int bisJahr);
  // Sorts the document's bookings by `schluessel` (0 name, 1 card, 2 date and time) first;
  // nothing without bookings.
  void DruckeBuchungen(int schluessel);

 private:
  enum class Kopf { Ohne, Personen, Feiertage, Buchungen };
  // A text of a line and where it begins; a `kennung` (a card code) is narrowed, not cut.
  struct Spalte {
    int x;
    QString text;
    bool kennung = false;
  };

  // Begins the job of a section: its title, the 10-point measures and the margin.
  void BeginneAbschnitt(const char* abschnitt, Kopf kopf);
  // Makes room for a block `hoehe` high at ZeileY: a new page when it would cross the footer
  // of a page that holds something already; the page header where the page has none yet.
  void Platz(int hoehe);
  void DruckeSeitenkopf();
  // The texts of one line at `y`, in this order, each cut (an identifier narrowed) before the
  // next one to its right.
  void DruckeZeile(int y, const std::vector<Spalte>& spalten);
  // The column heads of the section below the page header.
  void DruckeSpaltenkoepfe();
  // "von" at `von`, "bis" at `bis`, day head k at `tage` + (k + 1) `c`.
  static std::vector<Spalte> Tageskoepfe(int von, int bis, int tage, int c);
  // The from- and to-time of `linie` at `von` and `bis`, an "x" for each of its days at
  // `tage` + (k + 1) `c`.
  static std::vector<Spalte> Zeitspalten(const Zeitlinie& linie, int von, int bis, int tage, int c);
  void DruckeZeitlinie(const Zeitlinie& linie, int spalte);
  void DruckeTuerzeitlinien(const TUERPROFIL& tuer);
  // The line height and a half after every fifth line of a page.
  void NaechsteZeileImBlock();
  int Fusslinie() const;

  TSteuerung& Steuerung;
  drucken::Druckziel& Drucker;
  plattform::LocalTime Druckzeit;
  QString Titel;
  QString Abschnitt;
  Kopf Seitenkopf = Kopf::Ohne;
  int ZeileY = 0;
  int Zeilenhoehe = 0;
  int Zeichenbreite = 0;
  int Rand = 0;
  int ZeilenAufSeite = 0;
  bool KopfGedruckt = false;
};
