#include "model/Feiertagsgenerator.h"

#include <algorithm>

namespace {

// Inserts the day `tage` (days since 1970) in front of the first entry whose day number is
// not smaller. The table was emptied and takes at most 19 entries a year for 19 years, so
// it always has room.
void FuegeEin(Feiertagstabelle& tabelle, int bezugsjahr, std::int64_t tage, Feiertagseintrag art) {
  const auto nummer = static_cast<Feiertagseintrag>(tage - datum::Tage(bezugsjahr - 1, 12, 31));
  const auto stelle =
      std::find_if(tabelle.begin(), tabelle.end(), [nummer](Feiertagseintrag e) { return Tagnummer(e) >= nummer; });
  FuegeFeiertagEin(tabelle, static_cast<std::size_t>(stelle - tabelle.begin()),
                   static_cast<Feiertagseintrag>(nummer | art));
}

}  // namespace

datum::Datum Osterdatum(int jahr) {
  const int a = jahr % 19;
  const int b = jahr % 4;
  const int c = jahr % 7;
  const int k = jahr / 100;
  const int p = (8 * k + 13) / 25;
  const int q = jahr / 400;
  const int m = (15 + k - p - q) % 30;
  const int n = (4 + k - q) % 7;
  int d = (19 * a + m) % 30;
  if (d == 29) {
    d = 28;
  } else if (d == 28 && a > 10) {
    d = 27;
  }
  const int e = (2 * b + 4 * c + 6 * d + n) % 7;
  const int tag = 22 + d + e;
  return tag > 31 ? datum::Datum{jahr, 4, tag - 31} : datum::Datum{jahr, 3, tag};
}

datum::Datum BussUndBettag(int jahr) {
  const std::int64_t heiligabend = datum::Tage(jahr, 12, 24);
  return datum::AusTagen(heiligabend - (datum::Wochentag(heiligabend) + 31));
}

datum::Datum LetzterSonntag(int jahr, int monat) {
  std::int64_t tage = datum::Tage(jahr, monat, datum::Monatslaenge(jahr, monat));
  while (datum::Wochentag(tage) != 1) --tage;
  return datum::AusTagen(tage);
}

Jahrespruefung PruefeJahre(int bezugsjahr, int von, int bis) {
  if (von > bis) return Jahrespruefung::VonNachBis;
  if (datum::Tagesnummer(bezugsjahr, von, 1, 1) < 1 || datum::Tagesnummer(bezugsjahr, bis, 12, 31) > FT_TAGMASKE) {
    return Jahrespruefung::AusserBereich;
  }
  return Jahrespruefung::Ok;
}

Jahrespruefung ErzeugeFeiertage(Feiertagstabelle& tabelle, int bezugsjahr, int von, int bis,
                                const Feiertagsauswahl& auswahl) {
  const Jahrespruefung pruefung = PruefeJahre(bezugsjahr, von, bis);
  if (pruefung != Jahrespruefung::Ok) return pruefung;
  LeereFeiertagstabelle(tabelle);
  for (int jahr = von; jahr <= bis; ++jahr) {
    const auto tag = [jahr](int monat, int t) { return datum::Tage(jahr, monat, t); };
    const auto setze = [&](bool gewaehlt, std::int64_t tage, Feiertagseintrag art) {
      if (gewaehlt) FuegeEin(tabelle, bezugsjahr, tage, art);
    };
    const std::int64_t ostern = datum::Tage(Osterdatum(jahr));
    setze(auswahl.SilvesterNeujahr, tag(1, 1), FT_FEIERTAG);
    setze(auswahl.SilvesterNeujahr, tag(12, 31), FT_HALBER_FEIERTAG);
    setze(auswahl.HeiligeDreiKoenige, tag(1, 6), FT_FEIERTAG);
    setze(auswahl.Maifeiertag, tag(5, 1), FT_FEIERTAG);
    setze(auswahl.MariaeHimmelfahrt, tag(8, 15), FT_FEIERTAG);
    setze(auswahl.DeutscheEinheit, tag(10, 3), FT_FEIERTAG);
    setze(auswahl.Reformationstag, tag(10, 31), FT_FEIERTAG);
    setze(auswahl.Allerheiligen, tag(11, 1), FT_FEIERTAG);
    setze(auswahl.Weihnachten, tag(12, 24), FT_HALBER_FEIERTAG);
    setze(auswahl.Weihnachten, tag(12, 25), FT_FEIERTAG);
    setze(auswahl.Weihnachten, tag(12, 26), FT_FEIERTAG);
    setze(auswahl.BussUndBettag, datum::Tage(BussUndBettag(jahr)), FT_FEIERTAG);
    setze(auswahl.OsternPfingsten, ostern - 2, FT_FEIERTAG);
    setze(auswahl.OsternPfingsten, ostern + 1, FT_FEIERTAG);
    setze(auswahl.ChristiHimmelfahrt, ostern + 39, FT_FEIERTAG);
    setze(auswahl.OsternPfingsten, ostern + 50, FT_FEIERTAG);
    setze(auswahl.Fronleichnam, ostern + 60, FT_FEIERTAG);
    setze(auswahl.SommerWinter, datum::Tage(LetzterSonntag(jahr, 3)), FT_UMSCHALTTAG);
    setze(auswahl.SommerWinter, datum::Tage(LetzterSonntag(jahr, 10)), FT_UMSCHALTTAG);
  }
  return Jahrespruefung::Ok;
}
