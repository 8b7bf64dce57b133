// The week graph as the access profile editor redraws it on every click: 18 lines on every
// day row with all three doors, the selected line marked; and the door data window's picture.
#include <stdlib.h>

#include <array>

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include "graphics/Wochengrafik.h"

namespace {

std::array<Zeitlinie, 18> VolleLinien(std::uint16_t tage, std::uint16_t tueren) {
  std::array<Zeitlinie, 18> linien{};
  for (std::size_t i = 0; i < linien.size(); ++i) {
    linien[i].VonStunde = static_cast<std::uint8_t>(i);
    linien[i].VonMinute = 30;
    linien[i].BisStunde = static_cast<std::uint8_t>(i + 6);
    linien[i].Tage = tage;
    linien[i].Tueren = tueren;
  }
  return linien;
}

void BM_ProfilGrafik(benchmark::State& state) {
  grafik::Anlage anlage{0x607, 1, "Eingang", "Hof", "Betriebsurlaub", "Inventur"};
  const auto linien = VolleLinien(0x17FF, 0x77);
  for (auto _ : state) {
    benchmark::DoNotOptimize(grafik::ZeichneWoche(grafik::Wochenbild::Profil, anlage, linien, 3));
  }
}
BENCHMARK(BM_ProfilGrafik)->Unit(benchmark::kMillisecond);

void BM_TuerGrafik(benchmark::State& state) {
  grafik::Anlage anlage{0x7, 1, "Eingang", "Hof", "Betriebsurlaub", "Inventur"};
  const auto linien = VolleLinien(0x0FFF, 0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(grafik::ZeichneWoche(grafik::Wochenbild::Tuer, anlage, std::span(linien).first(6), 2));
  }
}
BENCHMARK(BM_TuerGrafik)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
