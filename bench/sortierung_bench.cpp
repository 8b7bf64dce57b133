// Sorting the bookings list by each key and removing the bookings of one door, measured
// against loading the bookings file, which the user waits for when the bookings window opens.
// The exchange sort that the list's order is defined by runs at 10,000 for comparison.
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "document/Steuerung.h"
#include "model/Vergleiche.h"
#include "platform/Plattform.h"

#include "BenchUmgebung.h"
#include "Buchungsbestand.h"

namespace {

// A document whose bookings file holds n bookings in the order the controller gave them.
struct Bestand {
  explicit Bestand(int n) : vorher(plattform::Install(&stille)), s(2026, ordner.Pfad()) {
    bench::FuelleBuchungen(s.Buchungen, n);
    s.BuchungsDateiname = ordner.Pfad() + "buchungen.bks";
    s.SaveBuchungen();
    Merke();
  }
  ~Bestand() {
    s.ClearLists();
    plattform::Install(vorher);
  }
  // The list as it stands is the fetch order.
  void Merke() {
    wieGeholt.clear();
    for (auto* k = s.Buchungen.Kopf; k != nullptr; k = k->Next) wieGeholt.push_back(k->Daten);
  }
  // The list back in fetch order, without moving a record.
  void WieGeholt() {
    std::size_t i = 0;
    for (auto* k = s.Buchungen.Kopf; k != nullptr; k = k->Next) k->Daten = wieGeholt[i++];
  }

  bench::StillePlattform stille;
  plattform::Plattform* vorher;
  TempOrdner ordner;
  TSteuerung s;
  std::vector<books*> wieGeholt;
};

void BM_LoadBuchungen(benchmark::State& state) {
  Bestand bestand(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    bestand.s.Buchungen.Clear();
    bestand.s.BuchungenGeladen = false;
    state.ResumeTiming();
    bestand.s.LoadBuchungen();
  }
  bestand.Merke();  // the list was loaded anew: the kept pointers are gone
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Key (0 name, 1 card, 2 time) and direction as the heads of the bookings window pass them,
// each time from the fetch order.
void BM_SortiereBuchungen(benchmark::State& state) {
  Bestand bestand(static_cast<int>(state.range(0)));
  const int schluessel = static_cast<int>(state.range(1));
  const int richtung = static_cast<int>(state.range(2));
  for (auto _ : state) {
    state.PauseTiming();
    bestand.WieGeholt();
    state.ResumeTiming();
    bestand.s.SortiereBuchungen(schluessel, richtung);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The exchange sort itself, by name.
void BM_Tauschsortierung(benchmark::State& state) {
  Bestand bestand(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    bestand.WieGeholt();
    state.ResumeTiming();
    for (auto* p = bestand.s.Buchungen.Kopf; p != nullptr; p = p->Next) {
      for (auto* q = p->Next; q != nullptr; q = q->Next) {
        if (VergleicheBuchungName(p->Daten, q->Daten) > 0) std::swap(p->Daten, q->Daten);
      }
    }
  }
}

// Removes the bookings of door 1 (a third) in one pass.
void BM_RemoveIfTuer1(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Array<books*> liste;
    bench::FuelleBuchungen(liste, n);
    state.ResumeTiming();
    benchmark::DoNotOptimize(liste.RemoveIf([](const books& b) { return (b.Ereignis1 & EREIGNIS1_TUER1) != 0; }));
    state.PauseTiming();
    liste.Clear();
    state.ResumeTiming();
  }
}

void Groessen(benchmark::internal::Benchmark* b) {
  b->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

void SchluesselUndRichtungen(benchmark::internal::Benchmark* b) {
  for (int n : {10000, 100000, 1000000}) {
    for (int schluessel : {0, 1, 2}) {
      for (int richtung : {0, 1}) b->Args({n, schluessel, richtung});
    }
  }
  b->ArgNames({"n", "key", "dir"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LoadBuchungen)->Apply(Groessen);
BENCHMARK(BM_SortiereBuchungen)->Apply(SchluesselUndRichtungen);
BENCHMARK(BM_Tauschsortierung)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveIfTuer1)->Apply(Groessen);

}  // namespace

BENCHMARK_MAIN();
