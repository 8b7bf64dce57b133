// Temporary folders, whole-file reads and writes, and file-system conditions (permission bits
// enforced for root, a file-size limit, a bound on a call that may block) for the tests of
// every layer.
#pragma once

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempOrdner {
 public:
  TempOrdner() {
    std::string vorlage = (std::filesystem::temp_directory_path() / "ybr_test_XXXXXX").string();
    if (mkdtemp(vorlage.data()) == nullptr) throw std::runtime_error("mkdtemp");
    pfad_ = vorlage + "/";
  }
  ~TempOrdner() {
    std::error_code fehler;
    std::filesystem::permissions(pfad_, std::filesystem::perms::owner_all, fehler);
    std::filesystem::remove_all(pfad_, fehler);
  }
  TempOrdner(const TempOrdner&) = delete;
  TempOrdner& operator=(const TempOrdner&) = delete;
  // The folder, ending in '/'.
  const std::string& Pfad() const { return pfad_; }
  std::string operator/(const std::string& name) const { return pfad_ + name; }

 private:
  std::string pfad_;
};

inline std::string LiesDatei(const std::string& pfad) {
  std::ifstream datei(pfad, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(datei)), std::istreambuf_iterator<char>());
}

inline void SchreibeDatei(const std::string& pfad, const std::string& inhalt) {
  std::ofstream datei(pfad, std::ios::binary | std::ios::trunc);
  datei.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

inline bool Existiert(const std::string& pfad) { return std::filesystem::exists(pfad); }

// Names in a folder (to see that no temporary file was left behind).
inline std::vector<std::string> Inhalt(const std::string& ordner) {
  std::vector<std::string> namen;
  for (const auto& e : std::filesystem::directory_iterator(ordner)) namen.push_back(e.path().filename().string());
  std::sort(namen.begin(), namen.end());
  return namen;
}

// While it exists, the process's permission bits are enforced even for root: it takes
// CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH out of the effective set and puts them back after.
class OhneDateiRechteUebergehen {
 public:
  OhneDateiRechteUebergehen() {
    __user_cap_header_struct kopf{_LINUX_CAPABILITY_VERSION_3, 0};
    if (syscall(SYS_capget, &kopf, daten_) != 0) return;
    vorher_[0] = daten_[0];
    vorher_[1] = daten_[1];
    daten_[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
    aktiv_ = syscall(SYS_capset, &kopf, daten_) == 0;
  }
  ~OhneDateiRechteUebergehen() {
    if (!aktiv_) return;
    __user_cap_header_struct kopf{_LINUX_CAPABILITY_VERSION_3, 0};
    syscall(SYS_capset, &kopf, vorher_);
  }
  OhneDateiRechteUebergehen(const OhneDateiRechteUebergehen&) = delete;
  OhneDateiRechteUebergehen& operator=(const OhneDateiRechteUebergehen&) = delete;

 private:
  __user_cap_data_struct daten_[2] = {};
  __user_cap_data_struct vorher_[2] = {};
  bool aktiv_ = false;
};

// While it exists, a call that blocks for `sekunden` (an open() that waits for the other end of
// a named pipe) ends the test program with a message and status 1: it fails, never hangs.
class Wecker {
 public:
  explicit Wecker(unsigned sekunden) : signal_(std::signal(SIGALRM, Abbruch)) { alarm(sekunden); }
  ~Wecker() {
    alarm(0);
    std::signal(SIGALRM, signal_);
  }
  Wecker(const Wecker&) = delete;
  Wecker& operator=(const Wecker&) = delete;

 private:
  static void Abbruch(int) {
    static const char kText[] = "\nblocked: a file operation did not return\n";
    if (write(STDERR_FILENO, kText, sizeof kText - 1) < 0) _exit(1);
    _exit(1);
  }
  void (*signal_)(int);
};

// While it exists, no file of the process may grow past `bytes`: a write beyond fails
// (EFBIG) as on a full disk. SIGXFSZ is ignored meanwhile, as the program and the peer ignore
// it from their start; tests of the engine alone have no program start that would.
class DateiGroessenGrenze {
 public:
  explicit DateiGroessenGrenze(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &vorher_);
    signal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit grenze = vorher_;
    grenze.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &grenze);
  }
  ~DateiGroessenGrenze() {
    setrlimit(RLIMIT_FSIZE, &vorher_);
    std::signal(SIGXFSZ, signal_);
  }
  DateiGroessenGrenze(const DateiGroessenGrenze&) = delete;
  DateiGroessenGrenze& operator=(const DateiGroessenGrenze&) = delete;

 private:
  rlimit vorher_{};
  void (*signal_)(int) = SIG_DFL;
};
