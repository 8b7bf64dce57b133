#include "printing/Druckbericht.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/Steuerung.h"
#include "model/Datum.h"
#include "model/ListenZugriff.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "fields/Feldtext.h"

namespace {

// "<label>: <text>"
QString MitDoppelpunkt(const char* label, const QString& text) { return T(label) + QStringLiteral(": ") + text; }

QString Uhrzeit(int stunde, int minute) { return QString::asprintf("%02d:%02d", stunde, minute); }

template <std::size_t N>
int BenutzteLinien(const Zeitlinie (&linien)[N]) {
  return static_cast<int>(std::count_if(linien, linien + N, [](const Zeitlinie& l) { return l.Tage != 0; }));
}

// `text` where it fits into `platz` pixels of `drucker`: whole, or as much of its beginning as
// fits with "…" after it, without blanks before the dots.
QString Gekuerzt(const drucken::Druckziel& drucker, const QString& text, int platz) {
  if (drucker.Textbreite(text) <= platz) return text;
  const auto mitPunkten = [&text](qsizetype laenge) {
    QString anfang = text.left(laenge);
    while (anfang.endsWith(u' ')) anfang.chop(1);
    return anfang + QChar(0x2026);
  };
  // The beginning of `passt` characters fits (or is none at all), that of `zuLang` does not.
  qsizetype passt = 0;
  qsizetype zuLang = text.size();
  while (zuLang - passt > 1) {
    const qsizetype mitte = (passt + zuLang) / 2;
    (drucker.Textbreite(mitPunkten(mitte)) <= platz ? passt : zuLang) = mitte;
  }
  return mitPunkten(passt);
}

constexpr int kTagesbits = 11;  // Monday..Sunday, half holiday, holiday, special days 1 and 2
constexpr int kErsteZeile = 200;
constexpr int kKopfY = 40;
constexpr int kFeiertagslinieY = 120;

}  // namespace

TDruckbericht::TDruckbericht(TSteuerung& steuerung, drucken::Druckziel& drucker, const plattform::LocalTime& druckzeit)
    : Steuerung(steuerung), Drucker(drucker), Druckzeit(druckzeit) {}

void TDruckbericht::BeginneAbschnitt(const char* abschnitt, Kopf kopf) {
  Abschnitt = T(abschnitt);
  Titel = T(Texte::DruckTexte[Texte::druck::Zutrittskontrolle]) + u' ' + Abschnitt;
  Seitenkopf = kopf;
  KopfGedruckt = false;
}

int TDruckbericht::Fusslinie() const { return Drucker.Seitenhoehe() - 5 * Zeilenhoehe; }

void TDruckbericht::Platz(int zeilen) {
  if (KopfGedruckt && ZeileY + zeilen * Zeilenhoehe > Fusslinie()) {
    Drucker.NeueSeite();
    KopfGedruckt = false;
  }
  if (KopfGedruckt) return;
  DruckeSeitenkopf();
  ZeileY = kErsteZeile;
  ZeilenAufSeite = 0;
  DruckeSpaltenkoepfe();
  KopfGedruckt = true;
}

void TDruckbericht::DruckeSeitenkopf() {
  const int w = Drucker.Seitenbreite();
  const int h = Drucker.Seitenhoehe();
  Rand = w / 16;
  ZeileY = kKopfY;
  Drucker.Schriftgroesse(14);
  // Centred by its length in characters, and never left of the margin.
  const int titelX = (w - static_cast<int>(Titel.length()) * Drucker.Textbreite(QStringLiteral("W"))) / 2;
  Drucker.Text(std::max(Rand, titelX), kKopfY, Titel);
  Drucker.Schriftgroesse(10);
  Zeilenhoehe = Drucker.Texthoehe(QStringLiteral("W"));
  Zeichenbreite = Drucker.Textbreite(QStringLiteral("W"));
  const QString zeit = QString::asprintf("%02d.%02d.%d, %02d:%02d ", Druckzeit.day, Druckzeit.month, Druckzeit.year,
                                         Druckzeit.hour, Druckzeit.minute) +
                       T(Texte::Stundenleiste[Texte::stundenleiste::Uhr]);
  Drucker.Text(w - 16 * Zeichenbreite, kKopfY, zeit);
  Drucker.Linie(Rand, h - 5 * Zeilenhoehe, w - Rand, h - 5 * Zeilenhoehe);
  DruckeZeile(h - 4 * Zeilenhoehe, {{w - 9 * Zeichenbreite, T(Texte::DruckTexte[Texte::druck::Seite]) + u' ' +
                                                                QString::number(Drucker.Seitennummer())},
                                    {Rand, QString::fromStdString(Steuerung.Dateiname)}});
}

void TDruckbericht::DruckeZeile(int y, const std::vector<Spalte>& spalten) {
  const int leer = Drucker.Textbreite(QStringLiteral(" "));
  for (const Spalte& spalte : spalten) {
    int naechste = 0;
    for (const Spalte& rechts : spalten) {
      if (rechts.x > spalte.x && (naechste == 0 || rechts.x < naechste)) naechste = rechts.x;
    }
    const int platz = naechste - spalte.x - leer;
    if (naechste == 0) {
      Drucker.Text(spalte.x, y, spalte.text);
    } else if (spalte.kennung) {
      Drucker.EingepassterText(spalte.x, y, spalte.text, platz);
    } else {
      Drucker.Text(spalte.x, y, Gekuerzt(Drucker, spalte.text, platz));
    }
  }
}

void TDruckbericht::DruckeSpaltenkoepfe() {
  const int w = Drucker.Seitenbreite();
  const int m = Rand;
  switch (Seitenkopf) {
    case Kopf::Ohne: return;
    case Kopf::Feiertage: Drucker.Linie(m, kFeiertagslinieY, w - m, kFeiertagslinieY); return;
    case Kopf::Personen: {
      const int c3 = (w - 2 * m) / 3;
      DruckeZeile(ZeileY, {{m, T(Texte::Beschriftungen[Texte::beschriftung::NameAufdruck])},
                           {m + c3, T(Texte::Beschriftungen[Texte::beschriftung::Kartencodierung])},
                           {m + 2 * c3, T(Texte::Beschriftungen[Texte::beschriftung::Zutrittsprofil])}});
      break;
    }
    case Kopf::Buchungen: {
      const int c4 = (w - 2 * m) / 4;
      DruckeZeile(ZeileY, {{m, T(Texte::Beschriftungen[Texte::beschriftung::DatumUhrzeit])},
                           {m + c4, T(Texte::Beschriftungen[Texte::beschriftung::Kartencodierung])},
                           {m + 2 * c4, T(Texte::Beschriftungen[Texte::beschriftung::NameAufdruck])},
                           {m + 3 * c4, T(Texte::Beschriftungen[Texte::beschriftung::Tuerstandorte])}});
      break;
    }
  }
  ZeileY += Zeilenhoehe;
  Drucker.Linie(m, ZeileY, w - m, ZeileY);
  ZeileY += Zeilenhoehe;
}

void TDruckbericht::NaechsteZeileImBlock() {
  ZeileY += Zeilenhoehe;
  if (++ZeilenAufSeite % 5 == 0) ZeileY += Zeilenhoehe / 2;
}

std::vector<TDruckbericht::Spalte> TDruckbericht::Tageskoepfe(int von, int bis, int tage, int c) {
  std::vector<Spalte> spalten{{von, T(Texte::DruckTexte[Texte::druck::Von])},
                              {bis, T(Texte::DruckTexte[Texte::druck::Bis])}};
  for (int k = 0; k < kTagesbits; ++k) {
    spalten.push_back({tage + (k + 1) * c, T(Texte::DruckTexte[Texte::druck::Montag + static_cast<std::size_t>(k)])});
  }
  return spalten;
}

std::vector<TDruckbericht::Spalte> TDruckbericht::Zeitspalten(const Zeitlinie& linie, int von, int bis, int tage,
                                                              int c) {
  std::vector<Spalte> spalten{{von, Uhrzeit(linie.VonStunde, linie.VonMinute)},
                              {bis, Uhrzeit(linie.BisStunde, linie.BisMinute)}};
  for (int k = 0; k < kTagesbits; ++k) {
    if ((linie.Tage >> k) & 1) spalten.push_back({tage + (k + 1) * c, QStringLiteral("x")});
  }
  return spalten;
}

void TDruckbericht::DruckeZeitlinie(const Zeitlinie& linie, int spalte) {
  if (linie.Tage == 0) return;
  const int m = Rand;
  DruckeZeile(ZeileY, Zeitspalten(linie, 2 * m, 3 * m, 4 * m, spalte));
  ZeileY += Zeilenhoehe;
}

void TDruckbericht::DruckeProfile() {
  if (Steuerung.Profile.Anzahl == 0) return;
  BeginneAbschnitt(Texte::Beschriftungen[Texte::beschriftung::Zutrittsprofile], Kopf::Ohne);
  drucken::Auftrag auftrag(Drucker, Titel, Abschnitt);
  for (int i = 0; i < Steuerung.Profile.Anzahl; ++i) {
    const PROFIL& profil = Element(Steuerung.Profile, i);
    Platz(5 + BenutzteLinien(profil.Zeitlinien));
    const int w = Drucker.Seitenbreite();
    const int m = Rand;
    const int lh = Zeilenhoehe;
    Drucker.Text(m, ZeileY,
                 MitDoppelpunkt(Texte::Beschriftungen[Texte::beschriftung::Zutrittsprofil], feld::Lies(profil.Name)));
    ZeileY += lh;
    Drucker.Linie(m, ZeileY, w - 2 * m, ZeileY);
    ZeileY += lh;
    Drucker.Text(2 * m, ZeileY, T(Texte::DruckTexte[Texte::druck::Zeitlinien]) + u':');
    ZeileY += lh;
    Drucker.Linie(2 * m, ZeileY, w - 2 * m, ZeileY);
    ZeileY += lh;
    const int c = (w - 8 * m) / 11;
    DruckeZeile(ZeileY, Tageskoepfe(2 * m, 3 * m, 4 * m, c));
    ZeileY += lh;
    for (const Zeitlinie& linie : profil.Zeitlinien) DruckeZeitlinie(linie, c);
    ZeileY += 2 * lh;
  }
  auftrag.Ende();
}

void TDruckbericht::DruckePersonen(int schluessel) {
  if (Steuerung.Personen.Anzahl == 0) return;
  BeginneAbschnitt(Texte::Beschriftungen[Texte::beschriftung::Personendaten], Kopf::Personen);
  drucken::Auftrag auftrag(Drucker, Titel, Abschnitt);
  Steuerung.SortierePersonen(schluessel, 0);
  for (int i = 0; i < Steuerung.Personen.Anzahl; ++i) {
    const PERSON& person = Element(Steuerung.Personen, i);
    Platz(1);
    const int c3 = (Drucker.Seitenbreite() - 2 * Rand) / 3;
    DruckeZeile(ZeileY, {{Rand, feld::Lies(person.Name)},
                         {Rand + c3, feld::Lies(person.Karte), true},
                         {Rand + 2 * c3, feld::Lies(person.Profil)}});
    NaechsteZeileImBlock();
  }
  auftrag.Ende();
}

void TDruckbericht::DruckeTuerzeitlinien(const TUERPROFIL& tuer) {
  if (BenutzteLinien(tuer.Zeitlinien) == 0) return;
  const int m = Rand;
  const int c = (Drucker.Seitenbreite() - 8 * m) / 11;
  const int q = m / 4;
  DruckeZeile(ZeileY, Tageskoepfe(4 * m + q, 5 * m + q, 6 * m, c));
  ZeileY += Zeilenhoehe;
  for (const Zeitlinie& linie : tuer.Zeitlinien) {
    if (linie.Tage == 0) continue;
    std::vector<Spalte> spalten;
    if (linie.Tage & TAG_DAUEROFFEN) {
      spalten.push_back({2 * m + q, T(Texte::Beschriftungen[Texte::beschriftung::Daueroffen])});
    }
    if (linie.Tage & TAG_DAUERGESPERRT) {
      spalten.push_back({2 * m + q, T(Texte::Beschriftungen[Texte::beschriftung::Dauergesperrt])});
    }
    const std::vector<Spalte> zeit = Zeitspalten(linie, 4 * m + q, 5 * m + q, 6 * m, c);
    spalten.insert(spalten.end(), zeit.begin(), zeit.end());
    DruckeZeile(ZeileY, spalten);
    ZeileY += Zeilenhoehe;
  }
  ZeileY += 2 * Zeilenhoehe;
}

void TDruckbericht::DruckeGeraetedaten() {
  BeginneAbschnitt(Texte::Beschriftungen[Texte::beschriftung::Geraetedaten], Kopf::Ohne);
  drucken::Auftrag auftrag(Drucker, Titel, Abschnitt);
  Platz(0);
  const GERAETEDATEN& daten = Steuerung.Geraetedaten;
  const int w = Drucker.Seitenbreite();
  const int m = Rand;
  const int c3 = (w - 2 * m) / 3;
  const auto zustand = [](bool an) { return T(Texte::DruckTexte[an ? Texte::druck::Aktiv : Texte::druck::Inaktiv]); };
  DruckeZeile(ZeileY, {{m, T(Texte::Beschriftungen[Texte::beschriftung::Geraetetyp]) + u' ' +
                               T(Texte::Geraetetypname(Steuerung.Geraetetyp))},
                       {m + c3, MitDoppelpunkt(Texte::Beschriftungen[Texte::beschriftung::DoppeltenZutrittPruefen],
                                               zustand((daten.Flags & GD_ANTIPASSBACK) != 0))},
                       {m + 2 * c3, MitDoppelpunkt(Texte::Tagesarten[Texte::tagesart::Sondertage],
                                                   zustand((daten.Flags & (GD_SONDERTAG1 | GD_SONDERTAG2)) != 0))}});
  ZeileY += Zeilenhoehe;
  Drucker.Linie(m, ZeileY, w - m, ZeileY);
  ZeileY += 2 * Zeilenhoehe;
  Drucker.Text(2 * m, ZeileY, T(Texte::Beschriftungen[Texte::beschriftung::Tuerstandorte]));
  ZeileY += Zeilenhoehe;
  Drucker.Linie(2 * m, ZeileY, w - 2 * m, ZeileY);
  ZeileY += Zeilenhoehe;

  const QString tueren[3] = {
      MitDoppelpunkt(Texte::Beschriftungen[Texte::beschriftung::Tuer1], feld::Lies(daten.NameTuer1)),
      MitDoppelpunkt(Texte::Beschriftungen[Texte::beschriftung::Tuer2], feld::Lies(daten.NameTuer2)),
      MitDoppelpunkt(Texte::DruckTexte[Texte::druck::Tuer3],
                     T(Texte::Beschriftungen[Texte::beschriftung::Meldekontakt])),
  };
  const bool benutzt[3] = {true, (daten.Flags & GD_TUER2) != 0, (daten.Flags & GD_TUER3) != 0};
  for (int t = 0; t < 3; ++t) {
    if (!benutzt[t]) continue;
    const TUERPROFIL& tuer = Element(Steuerung.Tuerprofile, t);
    const int linien = BenutzteLinien(tuer.Zeitlinien);
    Platz(linien == 0 ? 1 : 3 + linien);
    DruckeZeile(ZeileY, {{2 * m, tueren[t]},
                         {m + c3, T(Texte::Beschriftungen[Texte::beschriftung::Freigabezeit]) +
                                      QString::asprintf(" %ds", tuer.Freigabezeit)},
                         {m + 2 * c3, T(Texte::Beschriftungen[Texte::beschriftung::Ueberwachungszeit]) +
                                          QString::asprintf(" %ds", tuer.Ueberwachungszeit)}});
    ZeileY += 2 * Zeilenhoehe;
    DruckeTuerzeitlinien(tuer);
  }
  auftrag.Ende();
}

void TDruckbericht::DruckeFeiertage(int vonJahr, int bisJahr) {
  BeginneAbschnitt(Texte::DruckTexte[Texte::druck::Feiertage], Kopf::Feiertage);
  drucken::Auftrag auftrag(Drucker, Titel, Abschnitt);
  Platz(0);
  const int bezugsjahr = Steuerung.Geraetedaten.Bezugsjahr;
  const std::int64_t erster = datum::Tagesnummer(bezugsjahr, vonJahr, 1, 1);
  const std::int64_t letzter = datum::Tagesnummer(bezugsjahr, bisJahr, 12, 31);
  for (const Feiertagseintrag eintrag : Steuerung.Feiertagstabelle) {
    if (IstEndeMarke(eintrag)) break;
    const std::int64_t tag = Tagnummer(eintrag);
    if (tag < erster || tag > letzter) continue;
    QString art;
    switch (Tagesart(eintrag)) {
      case FT_FEIERTAG: art = T(Texte::Titel[Texte::titel::Feiertag]); break;
      case FT_HALBER_FEIERTAG: art = T(Texte::Titel[Texte::titel::HalberFeiertag]); break;
      case FT_SONDERTAG1: art = feld::Text(Steuerung.NameSondertag1); break;
      case FT_SONDERTAG2: art = feld::Text(Steuerung.NameSondertag2); break;
      case FT_UMSCHALTTAG: art = T(Texte::Titel[Texte::titel::SommerWinterUmschaltung]); break;
      default: break;  // an unknown kind: the date and its blank alone
    }
    Platz(1);
    const datum::Datum d = datum::AusTagesnummer(bezugsjahr, tag);
    Drucker.Text(Rand, ZeileY, QString::asprintf("%02d.%02d.%04d ", d.Tag, d.Monat, d.Jahr) + art);
    ZeileY += Zeilenhoehe;
  }
  auftrag.Ende();
}

void TDruckbericht::DruckeBuchungen(int schluessel) {
  if (Steuerung.Buchungen.Anzahl == 0) return;
  BeginneAbschnitt(Texte::DruckTexte[Texte::druck::Buchungen], Kopf::Buchungen);
  drucken::Auftrag auftrag(Drucker, Titel, Abschnitt);
  Steuerung.SortiereBuchungen(schluessel, 0);
  for (int i = 0; i < Steuerung.Buchungen.Anzahl; ++i) {
    const books& buchung = Element(Steuerung.Buchungen, i);
    Platz(1);
    const int c4 = (Drucker.Seitenbreite() - 2 * Rand) / 4;
    // The last door bit set names the door.
    QString tuer = QStringLiteral(" ");
    if (buchung.Ereignis1 & EREIGNIS1_TUER1) tuer = T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]);
    if (buchung.Ereignis1 & EREIGNIS1_TUER2) tuer = T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]);
    if (buchung.Ereignis1 & EREIGNIS1_TUER3) tuer = T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]);
    DruckeZeile(ZeileY, {{Rand, QString::asprintf("%02d.%02d.%04d, %02d:%02d:%02d", buchung.Tag, buchung.Monat,
                                                  buchung.Jahr, buchung.Stunde, buchung.Minute, buchung.Sekunde)},
                         {Rand + c4, feld::Lies(buchung.Karte), true},
                         {Rand + 2 * c4, feld::Lies(buchung.Name)},
                         {Rand + 3 * c4, tuer}});
    NaechsteZeileImBlock();
  }
  auftrag.Ende();
}
