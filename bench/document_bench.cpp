// Loading and saving a document with its bookings file, as the user waits for it when opening
// and saving. The counters give the time per record, which should stay flat as the document
// grows (persons 1,000 .. 10,000; bookings 10,000 .. 100,000).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "model/ListenZugriff.h"
#include "platform/Plattform.h"
#include "document/Steuerung.h"

namespace {

// No box is expected while documents load and save; one would end the run.
class StillePlattform : public plattform::Plattform {
 public:
  int MessageBox(const std::string& text, const std::string&, int) override { throw std::runtime_error(text); }
  void ProcessMessages() override {}
  plattform::ProgressWindow& Progress() override { throw std::logic_error("no progress window"); }
};

class Ordner {
 public:
  Ordner() {
    std::string vorlage = (std::filesystem::temp_directory_path() / "ybr_bench_XXXXXX").string();
    if (mkdtemp(vorlage.data()) == nullptr) throw std::runtime_error("mkdtemp");
    pfad_ = vorlage + "/";
  }
  ~Ordner() {
    std::error_code fehler;
    std::filesystem::remove_all(pfad_, fehler);
  }
  const std::string& Pfad() const { return pfad_; }

 private:
  std::string pfad_;
};

std::unique_ptr<TSteuerung> Dokument(const Ordner& ordner, int personen, int buchungen) {
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
  state.counters["ns_per_record"] = benchmark::Counter(static_cast<double>(saetze) * 1e-9,
                                                       benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
}

void BM_Save(benchmark::State& state) {
  StillePlattform stille;
  plattform::Plattform* vorher = plattform::Install(&stille);
  const Ordner ordner;
  const int personen = static_cast<int>(state.range(0));
  const int buchungen = static_cast<int>(state.range(1));
  auto s = Dokument(ordner, personen, buchungen);
  for (auto _ : state) benchmark::DoNotOptimize(s->Save(ordner.Pfad() + "dokument.wuz"));
  Satzzahl(state, personen, buchungen);
  s.reset();
  plattform::Install(vorher);
}

void BM_Load(benchmark::State& state) {
  StillePlattform stille;
  plattform::Plattform* vorher = plattform::Install(&stille);
  const Ordner ordner;
  const int personen = static_cast<int>(state.range(0));
  const int buchungen = static_cast<int>(state.range(1));
  Dokument(ordner, personen, buchungen)->Save(ordner.Pfad() + "dokument.wuz");
  TSteuerung s(2026, ordner.Pfad());
  for (auto _ : state) benchmark::DoNotOptimize(s.Load(ordner.Pfad() + "dokument.wuz"));
  Satzzahl(state, personen, buchungen);
  plattform::Install(vorher);
}

BENCHMARK(BM_Save)->Args({1000, 10000})->Args({3000, 30000})->Args({10000, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Args({1000, 10000})->Args({3000, 30000})->Args({10000, 100000})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
