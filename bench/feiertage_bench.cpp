// What the user of the holiday calendar waits for: generating the widest range of years with
// every box ticked, filling a year's grid from a full table, and the switch pairs built from
// a full table on closing and before every holiday send.
#include <benchmark/benchmark.h>

#include "model/Feiertagsgenerator.h"
#include "model/Kalenderjahr.h"
#include "model/Umschaltpaare.h"

namespace {

Feiertagsauswahl Alles() {
  Feiertagsauswahl a;
  a.HeiligeDreiKoenige = a.Fronleichnam = a.MariaeHimmelfahrt = a.Reformationstag = a.Allerheiligen = a.BussUndBettag =
      true;
  return a;
}

// 4095 entries over 19 years, every fifth a switch day.
Feiertagstabelle VolleTabelle() {
  Feiertagstabelle t;
  for (std::size_t i = 0; i + 1 < FEIERTAGE_MAX; ++i) {
    t[i] = static_cast<Feiertagseintrag>((i % 5 == 0 ? FT_UMSCHALTTAG : FT_FEIERTAG) | (1 + i * 6939 / 4095));
  }
  t[FEIERTAGE_MAX - 1] = FT_ENDE;
  return t;
}

void BM_NineteenYearsEveryBox(benchmark::State& state) {
  Feiertagstabelle t{};
  const Feiertagsauswahl auswahl = Alles();
  for (auto _ : state) {
    ErzeugeFeiertage(t, 2025, 2025, 2043, auswahl);
    benchmark::DoNotOptimize(t.data());
  }
}
BENCHMARK(BM_NineteenYearsEveryBox)->Unit(benchmark::kMicrosecond);

void BM_YearGridFromAFullTable(benchmark::State& state) {
  const Feiertagstabelle t = VolleTabelle();
  CJulian k(2034);
  k.SetBezugsjahr(2025);
  for (auto _ : state) {
    k.SetJahr(2034);
    const std::int32_t erster = k.Tagesnummer(1, 1);
    const std::int32_t letzter = k.Tagesnummer(12, 31);
    for (const Feiertagseintrag e : t) {
      if (IstEndeMarke(e)) break;
      if (Tagnummer(e) < erster || Tagnummer(e) > letzter) continue;
      int monat = 0, tag = 0;
      k.MonatTag(Tagnummer(e), monat, tag);
      k.SetTagesart(monat, tag, Tagesart(e));
    }
    benchmark::DoNotOptimize(k.Raster);
  }
}
BENCHMARK(BM_YearGridFromAFullTable)->Unit(benchmark::kMicrosecond);

void BM_SwitchPairsOfAFullTable(benchmark::State& state) {
  const Feiertagstabelle t = VolleTabelle();
  for (auto _ : state) benchmark::DoNotOptimize(Umschaltpaare(t, 2025));
}
BENCHMARK(BM_SwitchPairsOfAFullTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
