#include "FuzzUmgebung.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "link/KommFunktionen.h"
#include "platform/Plattform.h"

namespace fuzz {
namespace {

class Balken final : public plattform::ProgressBar {
 public:
  int Max() const override { return max_; }
  void SetMax(int max) override { max_ = max; }
  int Position() const override { return position_; }
  void SetPosition(int position) override { position_ = std::clamp(position, 0, std::max(max_, 0)); }
  int Step() const override { return step_; }
  void SetStep(int step) override { step_ = step; }
  void StepIt() override { StepBy(step_); }
  void StepBy(int amount) override {
    SetPosition(static_cast<int>(std::clamp<long long>(static_cast<long long>(position_) + amount, 0, max_)));
  }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }

 private:
  int max_ = 100, position_ = 0, step_ = 10;
  bool visible_ = true;
};

class Fortschritt final : public plattform::ProgressWindow {
 public:
  void SetCaption(const std::string&) override {}
  void SetLabel1(const std::string&) override {}
  void SetLabel2(const std::string&) override {}
  plattform::ProgressBar& Item() override { return item_; }
  plattform::ProgressBar& Overall() override { return overall_; }
  void Show() override {}
  void Hide() override {}
  void Close() override {
    item_.SetPosition(0);
    overall_.SetPosition(0);
  }

 private:
  Balken item_, overall_;
};

class SchnellePlattform final : public plattform::Plattform {
 public:
  int MessageBox(const std::string&, const std::string&, int flags) override {
    switch (flags) {
      case plattform::MB_YESNOCANCEL_ASK:
      case plattform::MB_YESNO_ASK:
      case plattform::MB_YESNO_WARN: return plattform::ID_YES;
      default: return plattform::ID_OK;
    }
  }
  void ProcessMessages() override {}
  plattform::ProgressWindow& Progress() override { return fortschritt_; }
  std::uint32_t MilliClock() override { return uhr_ += 1000; }
  plattform::LocalTime Now() override { return {2026, 3, 7, 14, 5, 9, 6}; }

 private:
  Fortschritt fortschritt_;
  std::uint32_t uhr_ = 0;
};

// The answers of the controller in hand.
std::span<const std::uint8_t> g_antworten;

std::uint8_t Byte() {
  if (g_antworten.empty()) return 0;
  const std::uint8_t b = g_antworten[0];
  g_antworten = g_antworten.subspan(1);
  return b;
}

int Oeffne(int, int, int, int) { return 2; }
int OeffneNetz(int, const char*, int) { return 1; }
int Sende(int, int, int, int, const char*, int) { return 0; }
int Schliesse(int) { return 1; }
int Parameter(int, int ms) { return ms; }
const char* LetzterFehler() { return "Verbindung getrennt"; }

int Warte(int, int* sender, int eigeneAdresse, char* text, int) {
  const int code = Byte();
  const bool fremd = (Byte() & 1) != 0;
  std::size_t laenge = Byte();
  if (laenge == 255) laenge = Byte() | (static_cast<std::size_t>(Byte()) << 8);
  laenge = std::min({laenge, std::size_t{1023}, g_antworten.size()});
  std::memcpy(text, g_antworten.data(), laenge);
  text[laenge] = '\0';
  g_antworten = g_antworten.subspan(laenge);
  // The engine sends to the device address and expects it back; another device is any other.
  *sender = fremd ? 15 : eigeneAdresse == 0x300 ? 9 : eigeneAdresse;
  return code;
}

KommFunktionen g_vorher{};

// The process's folder, removed with everything in it when the process ends.
struct EigenerOrdner {
  EigenerOrdner() {
    std::string vorlage = (std::filesystem::temp_directory_path() / "ybr_fuzz_XXXXXX").string();
    if (mkdtemp(vorlage.data()) == nullptr) throw std::runtime_error("mkdtemp");
    pfad = vorlage + "/";
  }
  ~EigenerOrdner() {
    std::error_code fehler;
    std::filesystem::remove_all(pfad, fehler);
  }
  std::string pfad;
};

}  // namespace

void InstalliereSchnellePlattform() {
  static SchnellePlattform plattform;
  plattform::Install(&plattform);
}

const std::string& Ordner() {
  static const EigenerOrdner ordner;
  return ordner.pfad;
}

std::string SchreibeDatei(const std::string& name, std::span<const std::uint8_t> bytes) {
  const std::string pfad = Ordner() + name;
  const int fd = open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) throw std::runtime_error("open " + pfad);
  std::size_t geschrieben = 0;
  while (geschrieben < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + geschrieben, bytes.size() - geschrieben);
    if (n <= 0) {
      close(fd);
      throw std::runtime_error("write " + pfad);
    }
    geschrieben += static_cast<std::size_t>(n);
  }
  close(fd);
  return pfad;
}

SkriptSteuerung::SkriptSteuerung(std::span<const std::uint8_t> antworten) {
  g_antworten = antworten;
  g_vorher = TauscheKommTabelle({Oeffne, OeffneNetz, Sende, Warte, Schliesse, Parameter, LetzterFehler});
}

SkriptSteuerung::~SkriptSteuerung() {
  TauscheKommTabelle(g_vorher);
  g_antworten = {};
}

}  // namespace fuzz
