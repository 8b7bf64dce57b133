// What the user waits for in the bookings window, on Qt's offscreen platform: opening it
// (reading the bookings file and showing the list), a click on each sort head, a change of
// the door filter, deleting the bookings of one door and the export. Reading the bookings
// file alone is the measure the others are compared with.
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include "document/Steuerung.h"

#include "bookings/BuchungenDlg.h"
#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "windowing/Fenster.h"

#include "BenchUmgebung.h"
#include "Buchungsbestand.h"

namespace {

// The user: overwrites the export file, keeps the bookings after it, and chooses the export
// file; anything else ends the run.
class Benutzer final : public fenster::Benutzer {
 public:
  explicit Benutzer(QString exportdatei) : exportdatei_(std::move(exportdatei)) {}
  int MessageBox(const QString& text, const QString&, int) override {
    if (text == QStringLiteral("Datei überschreiben?")) return 6;
    if (text.startsWith(QStringLiteral("Exportierte Buchungen"))) return 7;
    throw std::runtime_error("unexpected box: " + text.toStdString());
  }
  std::optional<QString> DateiWaehlen(QWidget*, const fenster::DateiDialog&) override { return exportdatei_; }
  int Modal(QDialog&) override { throw std::runtime_error("unexpected window"); }
  QAction* Menue(QMenu&, const QPoint&) override { throw std::runtime_error("unexpected menu"); }
  bool DruckerEinrichten(QWidget*, QPrinter&) override { throw std::runtime_error("unexpected printer set-up"); }

 private:
  QString exportdatei_;
};

// The program's windows with a document whose bookings file holds n bookings in fetch order;
// the bookings window is open.
class Fenster {
 public:
  explicit Fenster(int n) : benutzer_(QString::fromStdString(ordner_.Pfad() + "export.txt")) {
    vorher_ = fenster::Installiere(&benutzer_);
    formulare_ = std::make_unique<TFormulare>();
    IDD_MAIN->SetzeOrdner(ordner_.Pfad());
    IDD_MAIN->show();
    s_ = IDD_MAIN->Dokument();
    bench::FuelleBuchungen(s_->Buchungen, n);
    s_->SaveBuchungen();
    Oeffne();
  }
  ~Fenster() {
    IDD_BUCHUNGEN->done(fenster::mrCancel);
    s_->BuchungenGespeichert = true;
    s_->DatenGespeichert = true;
    formulare_.reset();
    fenster::Installiere(vorher_);
  }
  // Reads the bookings file anew and shows the window with its list drawn.
  void Oeffne() {
    s_->Buchungen.Clear();
    s_->BuchungenGeladen = false;
    IDD_BUCHUNGEN->Init(s_);
    IDD_BUCHUNGEN->show();
    QApplication::processEvents();
  }
  void Schliesse() {
    IDD_BUCHUNGEN->done(fenster::mrCancel);
    QApplication::processEvents();
  }
  TSteuerung& S() { return *s_; }
  int Zeilen() const { return IDD_BUCHUNGEN->IDLB_SHOWBOOK->model()->rowCount(); }

 private:
  TempOrdner ordner_;
  Benutzer benutzer_;
  fenster::Benutzer* vorher_ = nullptr;
  std::unique_ptr<TFormulare> formulare_;
  TSteuerung* s_ = nullptr;
};

void Groessen(benchmark::internal::Benchmark* b) {
  b->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_BuchungsdateiLesen(benchmark::State& state) {
  Fenster f(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    f.S().Buchungen.Clear();
    f.S().BuchungenGeladen = false;
    state.ResumeTiming();
    f.S().LoadBuchungen();
  }
}

void BM_FensterOeffnen(benchmark::State& state) {
  Fenster f(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    f.Schliesse();
    state.ResumeTiming();
    f.Oeffne();
  }
}

// One click on a head; the clicks go on from the order the last one left, up and down.
template <int Kopf>
void BM_KopfKlick(benchmark::State& state) {
  Fenster f(static_cast<int>(state.range(0)));
  QPushButton* koepfe[] = {IDD_BUCHUNGEN->IDB_TIME, IDD_BUCHUNGEN->IDB_CARD, IDD_BUCHUNGEN->IDB_NAME};
  for (auto _ : state) {
    koepfe[Kopf]->click();
    QApplication::processEvents();
  }
}

// Between "Tür 2" and "alle Türen".
void BM_TuerWechseln(benchmark::State& state) {
  Fenster f(static_cast<int>(state.range(0)));
  int tuer = 0;
  for (auto _ : state) {
    tuer = tuer == 0 ? 2 : 0;
    IDD_BUCHUNGEN->IDCB_SELECT_DOOR->setCurrentIndex(tuer);
    emit IDD_BUCHUNGEN->IDCB_SELECT_DOOR->activated(tuer);
    QApplication::processEvents();
  }
}

// Deletes the bookings of door 1 (a third of them).
void BM_TuerLoeschen(benchmark::State& state) {
  Fenster f(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    f.Oeffne();
    IDD_BUCHUNGEN->IDCB_SELECT_DOOR->setCurrentIndex(1);
    emit IDD_BUCHUNGEN->IDCB_SELECT_DOOR->activated(1);
    QApplication::processEvents();
    state.ResumeTiming();
    IDD_BUCHUNGEN->IDB_DELETE->click();
    QApplication::processEvents();
  }
}

void BM_Exportieren(benchmark::State& state) {
  Fenster f(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    IDD_BUCHUNGEN->IDB_EXPORT_BKS->click();
    QApplication::processEvents();
  }
  if (f.S().Buchungen.Anzahl != state.range(0)) state.SkipWithError("the export cleared the list");
}

BENCHMARK(BM_BuchungsdateiLesen)->Apply(Groessen);
BENCHMARK(BM_FensterOeffnen)->Apply(Groessen);
BENCHMARK(BM_KopfKlick<0>)->Name("BM_KopfKlick/Zeit")->Apply(Groessen);
BENCHMARK(BM_KopfKlick<1>)->Name("BM_KopfKlick/Karte")->Apply(Groessen);
BENCHMARK(BM_KopfKlick<2>)->Name("BM_KopfKlick/Name")->Apply(Groessen);
BENCHMARK(BM_TuerWechseln)->Apply(Groessen);
BENCHMARK(BM_TuerLoeschen)->Apply(Groessen);
BENCHMARK(BM_Exportieren)->Apply(Groessen);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
