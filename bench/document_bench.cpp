// Loading and saving a document with its bookings file, as the user waits for it when opening
// and saving. The counters give the time per record, which should stay flat as the document
// grows (persons 1,000 .. 10,000; bookings 10,000 .. 100,000).
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include <benchmark/benchmark.h>

#include "document/Steuerung.h"
#include "model/ListenZugriff.h"
#include "platform/Plattform.h"

#include "BenchUmgebung.h"

namespace {

std::unique_ptr<TSteuerung> Dokument(const TempOrdner& ordner, int personen, int buchungen) {
  auto s = std::make_unique<TSteuerung>(2026, ordner.Pfad());
  for (int i = 0; i < personen; ++i) {
    auto p = std::make_unique<PERSON>();
    SchreibeText(p->Karte, "CARD" + std::to_string(i));
    SchreibeText(p->Name, "Person " + std::to_string(i));
    HaengeAn(s->Personen, std::move(p));
  }
  for (int i = 0; i < buchungen; ++i) {
    auto b = std::make_unique<books>();
    b->Jahr = 2026;
    b->Monat = static_cast<std::uint16_t>(1 + i % 12);
    b->Tag = static_cast<std::uint16_t>(1 + i % 28);
    SchreibeText(b->Karte, "CARD" + std::to_string(i % 1000));
    HaengeAn(s->Buchungen, std::move(b));
  }
  return s;
}

void Satzzahl(benchmark::State& state, int personen, int buchungen) {
  const auto saetze = static_cast<std::int64_t>(personen + buchungen);
  state.SetItemsProcessed(state.iterations() * saetze);
  state.counters["ns_per_record"] = benchmark::Counter(
      static_cast<double>(saetze) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Save(benchmark::State& state) {
  bench::StillePlattform stille;
  plattform::Plattform* vorher = plattform::Install(&stille);
  const TempOrdner ordner;
  const int personen = static_cast<int>(state.range(0));
  const int buchungen = static_cast<int>(state.range(1));
  auto s = Dokument(ordner, personen, buchungen);
  for (auto _ : state) benchmark::DoNotOptimize(s->Save(ordner.Pfad() + "dokument.wuz"));
  Satzzahl(state, personen, buchungen);
  s.reset();
  plattform::Install(vorher);
}

void BM_Load(benchmark::State& state) {
  bench::StillePlattform stille;
  plattform::Plattform* vorher = plattform::Install(&stille);
  const TempOrdner ordner;
  const int personen = static_cast<int>(state.range(0));
  const int buchungen = static_cast<int>(state.range(1));
  Dokument(ordner, personen, buchungen)->Save(ordner.Pfad() + "dokument.wuz");
  TSteuerung s(2026, ordner.Pfad());
  for (auto _ : state) benchmark::DoNotOptimize(s.Load(ordner.Pfad() + "dokument.wuz"));
  Satzzahl(state, personen, buchungen);
  plattform::Install(vorher);
}

// A value in kB from /proc/self/status ("VmRSS", "VmHWM").
double StatusKb(const char* feld) {
  std::ifstream status("/proc/self/status");
  std::string zeile;
  while (std::getline(status, zeile)) {
    if (zeile.rfind(feld, 0) == 0) return std::stod(zeile.substr(zeile.find(':') + 1));
  }
  return 0;
}

// Loading a bookings file of range(0) bookings: the time, and the memory it needs at its
// peak beside the file's size and beside what the loaded list itself holds (the peak
// resident size is reset before the load; one load, so that no memory freed by an earlier one
// is counted).
void BM_LoadBuchungenSpeicher(benchmark::State& state) {
  bench::StillePlattform stille;
  plattform::Plattform* vorher = plattform::Install(&stille);
  const TempOrdner ordner;
  const auto anzahl = static_cast<std::size_t>(state.range(0));
  Dokument(ordner, 0, 0)->Save(ordner.Pfad() + "dokument.wuz");
  {
    std::ofstream datei(ordner.Pfad() + "dokument.bks", std::ios::binary | std::ios::trunc);
    std::array<std::uint8_t, books::Groesse> satz{};
    books b;
    b.Jahr = 2026;
    for (std::size_t i = 0; i < anzahl; ++i) {
      b.Tag = static_cast<std::uint16_t>(1 + i % 28);
      SchreibeBytes(b, std::span<std::uint8_t, books::Groesse>(satz));
      datei.write(reinterpret_cast<const char*>(satz.data()), satz.size());
    }
  }
  double spitze = 0;
  double gehalten = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<TSteuerung>(2026, ordner.Pfad());
    std::ofstream("/proc/self/clear_refs") << "5";
    const double basis = StatusKb("VmRSS:");
    state.ResumeTiming();
    s->Load(ordner.Pfad() + "dokument.wuz");
    state.PauseTiming();
    if (s->Buchungen.Anzahl != static_cast<int>(anzahl)) {
      state.SkipWithError("the bookings did not load");
      break;
    }
    spitze = StatusKb("VmHWM:") - basis;
    gehalten = StatusKb("VmRSS:") - basis;
    s.reset();
    state.ResumeTiming();
  }
  const double dateiMiB = static_cast<double>(anzahl * books::Groesse) / (1024.0 * 1024.0);
  state.counters["file_MiB"] = dateiMiB;
  state.counters["peak_MiB"] = spitze / 1024.0;
  state.counters["held_MiB"] = gehalten / 1024.0;
  state.counters["peak_per_file"] = spitze / 1024.0 / dateiMiB;
  plattform::Install(vorher);
}

BENCHMARK(BM_Save)->Args({1000, 10000})->Args({3000, 30000})->Args({10000, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Args({1000, 10000})->Args({3000, 30000})->Args({10000, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBuchungenSpeicher)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
