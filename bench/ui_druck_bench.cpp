// Printing 10,000 bookings into a PDF file at the program's resolution: the whole job and the
// time per page, which the user waits for after "Drucken".
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QPrinter>
#include <benchmark/benchmark.h>

#include "document/Steuerung.h"
#include "platform/Plattform.h"

#include "printing/Druckbericht.h"
#include "printing/QtDruckziel.h"

#include "BenchUmgebung.h"
#include "Buchungsbestand.h"

namespace {

// No box is expected; one would end the run.
// Counts the pages on their way to the printer.
class Seitenzaehler final : public drucken::Druckziel {
 public:
  explicit Seitenzaehler(drucken::Druckziel& ziel) : ziel_(ziel) {}
  int seiten = 0;
  void Beginne(const QString& titel, const QString& abschnitt) override {
    seiten = 1;
    ziel_.Beginne(titel, abschnitt);
  }
  void NeueSeite() override {
    ++seiten;
    ziel_.NeueSeite();
  }
  void Ende() override { ziel_.Ende(); }
  void Abbrechen() noexcept override { ziel_.Abbrechen(); }
  void Schriftgroesse(int punkte) override { ziel_.Schriftgroesse(punkte); }
  void Text(int x, int y, const QString& text) override { ziel_.Text(x, y, text); }
  void EingepassterText(int x, int y, const QString& text, int breite) override {
    ziel_.EingepassterText(x, y, text, breite);
  }
  void Linie(int x1, int y1, int x2, int y2) override { ziel_.Linie(x1, y1, x2, y2); }
  int Textbreite(const QString& text) const override { return ziel_.Textbreite(text); }
  int Texthoehe(const QString& text) const override { return ziel_.Texthoehe(text); }
  int Seitenbreite() const override { return ziel_.Seitenbreite(); }
  int Seitenhoehe() const override { return ziel_.Seitenhoehe(); }
  int Seitennummer() const override { return ziel_.Seitennummer(); }

 private:
  drucken::Druckziel& ziel_;
};

void BM_BuchungenAlsPdf(benchmark::State& state) {
  const TempOrdner temp;
  const std::string& ordner = temp.Pfad();
  bench::StillePlattform stille;
  plattform::Plattform* vorher = plattform::Install(&stille);
  {
    TSteuerung s(2026, ordner);
    bench::FuelleBuchungen(s.Buchungen, static_cast<int>(state.range(0)));
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFileName(QString::fromStdString(ordner + "druck.pdf"));
    drucken::QtDruckziel ziel(drucker);
    Seitenzaehler zaehler(ziel);
    const plattform::LocalTime jetzt{.year = 2026, .month = 12, .day = 9, .hour = 8, .minute = 21};
    for (auto _ : state) {
      TDruckbericht(s, zaehler, jetzt).DruckeBuchungen(2);
    }
    state.counters["Seiten"] = zaehler.seiten;
    state.counters["s/Seite"] =
        benchmark::Counter(zaehler.seiten, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["PDF-Bytes"] = static_cast<double>(std::filesystem::file_size(ordner + "druck_Buchungen.pdf"));
    s.ClearLists();
  }
  plattform::Install(vorher);
}
BENCHMARK(BM_BuchungenAlsPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
