// What the user waits for in a transfer: one transaction of the engine through the real
// library against controller_peer (over loopback TCP and a pseudo-terminal), as a ratio to the
// protocol's own pauses of 50 + 5 + 5 + 25 ms per transaction, and a fetch of 500 bookings
// with and without the acknowledgement of each one.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "document/Steuerung.h"
#include "link/SerialKomm.h"
#include "platform/Plattform.h"

extern char** environ;

namespace {

constexpr double kPausenMs = 50 + 5 + 5 + 25;
constexpr int kAdresse = 9;
constexpr int kPtyPort = 7;

// A platform without windows: bars and labels go nowhere, a message box counts as a failure.
class Balken : public plattform::ProgressBar {
 public:
  int Max() const override { return max_; }
  void SetMax(int max) override { max_ = max; }
  int Position() const override { return position_; }
  void SetPosition(int position) override { position_ = position; }
  int Step() const override { return step_; }
  void SetStep(int step) override { step_ = step; }
  void StepIt() override { position_ = std::min(max_, position_ + step_); }
  void StepBy(int amount) override { position_ = std::min(max_, position_ + amount); }
  bool Visible() const override { return true; }
  void SetVisible(bool) override {}

 private:
  int max_ = 100, position_ = 0, step_ = 1;
};

class Fenster : public plattform::ProgressWindow {
 public:
  void SetCaption(const std::string&) override {}
  void SetLabel1(const std::string&) override {}
  void SetLabel2(const std::string&) override {}
  plattform::ProgressBar& Item() override { return item_; }
  plattform::ProgressBar& Overall() override { return overall_; }
  void Show() override {}
  void Hide() override {}
  void Close() override {}

 private:
  Balken item_, overall_;
};

class StillePlattform : public plattform::Plattform {
 public:
  StillePlattform() { plattform::Install(this); }
  ~StillePlattform() override { plattform::Install(nullptr); }
  int MessageBox(const std::string& text, const std::string&, int) override {
    letzteMeldung = text;
    return plattform::ID_OK;
  }
  void ProcessMessages() override {}
  plattform::ProgressWindow& Progress() override { return fenster; }
  Fenster fenster;
  std::string letzteMeldung;
};

// controller_peer on a free loopback port and a pseudo-terminal, stopped on destruction.
class Peer {
 public:
  explicit Peer(const std::vector<std::string>& extra) {
    std::string vorlage = (std::filesystem::temp_directory_path() / "ybr_bench_XXXXXX").string();
    if (mkdtemp(vorlage.data()) == nullptr) throw std::runtime_error("mkdtemp");
    ordner_ = vorlage;
    pty_ = ordner_ + "/com";
    int rohr[2];
    if (pipe(rohr) != 0) throw std::runtime_error("pipe");
    std::vector<std::string> args = {std::string(YBR_BIN_DIR) + "/controller_peer",
                                     "--tcp",
                                     "127.0.0.1:0",
                                     "--pty",
                                     pty_,
                                     "--address",
                                     std::to_string(kAdresse)};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_adddup2(&aktionen, rohr[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&aktionen, rohr[0]);
    const int fehler = posix_spawn(&pid_, argv[0], &aktionen, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&aktionen);
    close(rohr[1]);
    if (fehler != 0) {
      close(rohr[0]);
      throw std::runtime_error("controller_peer does not start");
    }
    // "listening tcp 127.0.0.1:PORT", then "listening pty PATH".
    std::unique_ptr<FILE, int (*)(FILE*)> aus(fdopen(rohr[0], "r"), &fclose);
    char zeile[512];
    while (aus && std::fgets(zeile, sizeof zeile, aus.get()) != nullptr) {
      const std::string z = zeile;
      if (z.rfind("listening tcp ", 0) == 0) port_ = std::stoi(z.substr(z.rfind(':') + 1));
      if (z.rfind("listening pty ", 0) == 0) break;
    }
    if (port_ == 0) throw std::runtime_error("controller_peer is not listening");
  }
  ~Peer() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    std::error_code fehler;
    std::filesystem::remove_all(ordner_, fehler);
  }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;
  int Port() const { return port_; }
  const std::string& Pty() const { return pty_; }

 private:
  std::string ordner_, pty_;
  pid_t pid_ = -1;
  int port_ = 0;
};

// The document object in a fresh folder, connected to the peer over TCP (0) or the pty (1).
struct Dokument {
  Dokument(const Peer& peer, int weg) {
    std::string vorlage = (std::filesystem::temp_directory_path() / "ybr_bench_doc_XXXXXX").string();
    if (mkdtemp(vorlage.data()) == nullptr) throw std::runtime_error("mkdtemp");
    ordner = vorlage;
    s = std::make_unique<TSteuerung>(2026, ordner);
    s->SetAdresse(kAdresse);
    s->Kabel = false;
    if (weg == 0) {
      s->Page = 0;
      s->IP = "127.0.0.1";
      s->TCPPort = peer.Port();
    } else {
      setenv(("YBR_KOMM_COM" + std::to_string(kPtyPort)).c_str(), peer.Pty().c_str(), 1);
      s->Page = 1;
      s->ComPort = kPtyPort;
    }
  }
  ~Dokument() {
    s.reset();
    std::error_code fehler;
    std::filesystem::remove_all(ordner, fehler);
  }
  std::string ordner;
  std::unique_ptr<TSteuerung> s;
};

// One version query per iteration on an open link; arg 0: TCP (0) or pty (1).
void BM_Transaktion(benchmark::State& state) {
  StillePlattform p;
  Peer peer({});
  Dokument d(peer, static_cast<int>(state.range(0)));
  TSteuerung& s = *d.s;
  if (s.Komm->Open(s.Page, s.ComPort, s.TCPPort, s.IP) != 0) {
    state.SkipWithError("no link");
    return;
  }
  const auto anfang = std::chrono::steady_clock::now();
  for (auto _ : state) {
    if (s.Komm->Kommando(kAdresse, kPcAdresse, nullptr, 3, s.AntwortPuffer, befehl::Version, "",
                         befehl::VersionAbfrage) != kKommOk) {
      state.SkipWithError("transaction failed");
      break;
    }
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - anfang).count();
  s.Komm->Close();
  const double proTelegramm = ms / static_cast<double>(state.iterations());
  state.counters["ms_pro_Telegramm"] = proTelegramm;
  state.counters["Verhaeltnis_zu_85ms"] = proTelegramm / kPausenMs;
}
BENCHMARK(BM_Transaktion)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(40);

// HoleBuchungen of 500 bookings with its real 60 ms pauses; arg 0: firmware 300 (each booking
// acknowledged) or 299.
void BM_Buchungen500(benchmark::State& state) {
  StillePlattform p;
  const bool quittung = state.range(0) == 300;
  double ms = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Peer peer({"--bookings", "500", "--firmware", quittung ? "SIM VI20 V.03.00.00" : "SIM VI20 V.02.99.00"});
    Dokument d(peer, 0);
    state.ResumeTiming();
    const auto anfang = std::chrono::steady_clock::now();
    d.s->HoleBuchungen(p.fenster);
    ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - anfang).count();
    if (d.s->Buchungen.Anzahl != 500 || !p.letzteMeldung.empty()) {
      state.SkipWithError(("fetch failed: " + p.letzteMeldung).c_str());
      break;
    }
  }
  const double proBuchung = ms / static_cast<double>(state.iterations()) / 500.0;
  state.counters["ms_pro_Buchung"] = proBuchung;
  // Per booking: one transaction, the 60 ms pause and, from firmware 300 on, an acknowledgement
  // telegram with its 60 ms of send pauses.
  state.counters["Verhaeltnis_zu_Pausen"] = proBuchung / (kPausenMs + 60 + (quittung ? 60 : 0));
}
BENCHMARK(BM_Buchungen500)->Arg(300)->Arg(299)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
