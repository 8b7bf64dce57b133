#include "model/Datum.h"

namespace datum {

int Monatslaenge(int jahr, int monat) {
  static constexpr int kLaengen[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (monat < 1 || monat > 12) return 0;
  return monat == 2 && IstSchaltjahr(jahr) ? 29 : kLaengen[monat - 1];
}

bool IstDatum(int jahr, int monat, int tag) { return tag >= 1 && tag <= Monatslaenge(jahr, monat); }

// Counted in eras of 400 years from 1 March of year 0, so that the leap day ends each era's
// year; the month term runs March = 0 .. February = 11.
std::int64_t Tage(int jahr, int monat, int tag) {
  const std::int64_t j = static_cast<std::int64_t>(jahr) - (monat <= 2 ? 1 : 0);
  const std::int64_t aera = (j >= 0 ? j : j - 399) / 400;
  const std::int64_t jahrDerAera = j - aera * 400;
  const std::int64_t tagDesJahres = (153 * (monat > 2 ? monat - 3 : monat + 9) + 2) / 5 + tag - 1;
  const std::int64_t tagDerAera = jahrDerAera * 365 + jahrDerAera / 4 - jahrDerAera / 100 + tagDesJahres;
  return aera * 146097 + tagDerAera - 719468;
}

std::int64_t Tage(const Datum& d) { return Tage(d.Jahr, d.Monat, d.Tag); }

Datum AusTagen(std::int64_t tage) {
  const std::int64_t z = tage + 719468;
  const std::int64_t aera = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t tagDerAera = z - aera * 146097;
  const std::int64_t jahrDerAera = (tagDerAera - tagDerAera / 1460 + tagDerAera / 36524 - tagDerAera / 146096) / 365;
  const std::int64_t tagDesJahres = tagDerAera - (365 * jahrDerAera + jahrDerAera / 4 - jahrDerAera / 100);
  const std::int64_t m = (5 * tagDesJahres + 2) / 153;
  const int tag = static_cast<int>(tagDesJahres - (153 * m + 2) / 5 + 1);
  const int monat = static_cast<int>(m < 10 ? m + 3 : m - 9);
  const int jahr = static_cast<int>(jahrDerAera + aera * 400 + (monat <= 2 ? 1 : 0));
  return Datum{jahr, monat, tag};
}

// 1 January 1970 was a Thursday (5).
int Wochentag(std::int64_t tage) {
  const std::int64_t rest = (tage + 4) % 7;
  return static_cast<int>(rest < 0 ? rest + 7 : rest) + 1;
}

int Wochentag(int jahr, int monat, int tag) { return Wochentag(Tage(jahr, monat, tag)); }

std::int64_t Tagesnummer(int bezugsjahr, int jahr, int monat, int tag) {
  return Tage(jahr, monat, tag) - Tage(bezugsjahr - 1, 12, 31);
}

Datum AusTagesnummer(int bezugsjahr, std::int64_t nummer) { return AusTagen(Tage(bezugsjahr - 1, 12, 31) + nummer); }

}  // namespace datum
