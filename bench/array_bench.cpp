// The document's lists at the size of a large bookings file: appending, walking by position
// (as the loops over all elements do), walking along the links, and removing.
#include <benchmark/benchmark.h>

#include "model/Array.h"
#include "model/Records.h"

namespace {

void Fuelle(Array<books*>& liste, int anzahl) {
  for (int i = 0; i < anzahl; ++i) {
    auto* b = new books;
    b->Sekunde = static_cast<std::uint16_t>(i % 60);
    liste.Append(b);
  }
}

void BM_Append(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Array<books*> liste;
    Fuelle(liste, n);
    benchmark::DoNotOptimize(liste.Kopf);
  }
  state.SetComplexityN(n);
}

void BM_WalkByFind(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Array<books*> liste;
  Fuelle(liste, n);
  for (auto _ : state) {
    unsigned summe = 0;
    for (int i = 0; i < liste.Anzahl; ++i) summe += liste.Find(i)->Daten->Sekunde;
    benchmark::DoNotOptimize(summe);
  }
  state.SetComplexityN(n);
}

void BM_WalkByNext(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Array<books*> liste;
  Fuelle(liste, n);
  for (auto _ : state) {
    unsigned summe = 0;
    for (auto* k = liste.Kopf; k != nullptr; k = k->Next) summe += k->Daten->Sekunde;
    benchmark::DoNotOptimize(summe);
  }
  state.SetComplexityN(n);
}

// Empties a list of n from its tail, one Remove per element.
void BM_RemoveAllFromTail(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Array<books*> liste;
    Fuelle(liste, n);
    state.ResumeTiming();
    while (liste.Anzahl > 0) liste.Remove(liste.Anzahl - 1);
    benchmark::DoNotOptimize(liste.Kopf);
  }
  state.SetComplexityN(n);
}

// One Remove in the middle of a list of n: the positions after it are renumbered.
void BM_RemoveOneInMiddle(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Array<books*> liste;
  Fuelle(liste, n);
  for (auto _ : state) {
    liste.Remove(liste.Anzahl / 2);
    state.PauseTiming();
    liste.Append(new books);
    state.ResumeTiming();
  }
  state.SetComplexityN(n);
}

constexpr int kKlein = 1 << 10;
constexpr int kGross = 1 << 17;  // beyond 100,000

BENCHMARK(BM_Append)->RangeMultiplier(4)->Range(kKlein, kGross)->Complexity(benchmark::oN);
BENCHMARK(BM_WalkByFind)->RangeMultiplier(4)->Range(kKlein, kGross)->Complexity(benchmark::oN);
BENCHMARK(BM_WalkByNext)->RangeMultiplier(4)->Range(kKlein, kGross)->Complexity(benchmark::oN);
BENCHMARK(BM_RemoveAllFromTail)->RangeMultiplier(4)->Range(kKlein, kGross)->Complexity(benchmark::oN);
BENCHMARK(BM_RemoveOneInMiddle)->RangeMultiplier(4)->Range(kKlein, kGross)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
