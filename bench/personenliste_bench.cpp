// The person list as the user waits for it: a click on a sort head (sorting the document's
// persons and refilling the list) and the refill alone, with 10,000 and 65,535 persons (the most
// a document holds). Through the real window on Qt's offscreen platform.
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include "document/Steuerung.h"
#include "model/ListenZugriff.h"
#include "platform/Plattform.h"

#include "persons/PersonendatenDlg.h"

#include "BenchUmgebung.h"

namespace {

// A document with n persons in the order they were entered: names from 400 surnames and 60
// first names, distinct cards in random order, one of five profiles.
struct Bestand {
  explicit Bestand(int n) : vorher(plattform::Install(&stille)), s(2026, ordner.Pfad()) {
    std::mt19937 zufall(2026);
    const char* const vornamen[] = {"Anna", "Bernd", "Clara", "Dieter", "Eva", "Frank"};
    const char* const profile[] = {"nie", "immer", "werktags", "Spaet", "Nacht"};
    for (int i = 0; i < n; ++i) {
      auto p = std::make_unique<PERSON>();
      SchreibeText(p->Name, std::string(vornamen[zufall() % 6]) + " Nachname" + std::to_string(zufall() % 400));
      SchreibeText(p->Karte, std::to_string(10000000 + (zufall() % 80000000)) + std::to_string(i));
      SchreibeText(p->Profil, profile[zufall() % 5]);
      HaengeAn(s.Personen, std::move(p));
    }
    for (auto* k = s.Personen.Kopf; k != nullptr; k = k->Next) wieEingegeben.push_back(k->Daten);
    liste.Init(&s);
  }
  ~Bestand() {
    s.ClearLists();
    plattform::Install(vorher);
  }
  // The list back in the order of entry, without moving a record.
  void WieEingegeben() {
    std::size_t i = 0;
    for (auto* k = s.Personen.Kopf; k != nullptr; k = k->Next) k->Daten = wieEingegeben[i++];
  }

  bench::StillePlattform stille;
  plattform::Plattform* vorher;
  TempOrdner ordner;
  TSteuerung s;
  std::vector<PERSON*> wieEingegeben;
  TIDD_PERSONEN liste;
};

// A click on a head (0 name, 1 card, 2 profile), each time from the order of entry.
void BM_KopfKlick(benchmark::State& state) {
  Bestand bestand(static_cast<int>(state.range(0)));
  QPushButton* koepfe[] = {bestand.liste.IDB_NAME, bestand.liste.IDB_CARD, bestand.liste.IDB_PROFIL};
  QPushButton* kopf = koepfe[state.range(1)];
  for (auto _ : state) {
    state.PauseTiming();
    bestand.WieEingegeben();
    state.ResumeTiming();
    kopf->click();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ZeigePersonen(benchmark::State& state) {
  Bestand bestand(static_cast<int>(state.range(0)));
  for (auto _ : state) bestand.liste.ZeigePersonen();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Koepfe(benchmark::internal::Benchmark* b) {
  for (int n : {10000, 65535}) {
    for (int kopf : {0, 1, 2}) b->Args({n, kopf});
  }
  b->ArgNames({"n", "head"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_KopfKlick)->Apply(Koepfe);
BENCHMARK(BM_ZeigePersonen)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
