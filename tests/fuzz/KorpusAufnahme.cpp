// Makes the seed corpus of the fuzz targets (tools/fuzz --korpus writes it into corpus/): a
// new and a filled document, a bookings file, configuration files, and for every fetch the
// controller's answers as the simulated controller gives them, recorded in the form the
// transfer target reads (FuzzUmgebung.h).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/Steuerung.h"
#include "link/KommFunktionen.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"
#include "model/Records.h"

#include "ControllerModel.h"
#include "FuzzUmgebung.h"
#include "KommFrame.h"
#include "PeerController.h"

namespace {

std::unique_ptr<peer::PeerController> g_steuerung;
std::optional<komm::Telegram> g_antwort;
std::vector<std::uint8_t> g_aufnahme;

int Oeffne(int, int, int, int) { return 2; }
int OeffneNetz(int, const char*, int) { return 1; }
int Schliesse(int) { return 1; }
int Parameter(int, int ms) { return ms; }
const char* LetzterFehler() { return ""; }

int Sende(int, int ziel, int quelle, int befehl, const char* text, int nummer) {
  komm::Telegram t{static_cast<std::uint16_t>(quelle), static_cast<std::uint16_t>(ziel),
                   static_cast<std::uint8_t>(nummer), static_cast<std::uint8_t>(befehl), text};
  const auto aus = g_steuerung->Handle(t);
  g_antwort = aus ? std::optional(aus->telegram) : std::nullopt;
  return 0;
}

int Warte(int, int* sender, int, char* text, int) {
  const komm::Telegram t = g_antwort.value_or(komm::Telegram{});
  g_antwort.reset();
  *sender = t.source;
  std::snprintf(text, komm::kMaxReplyText + 1, "%s", t.text.c_str());
  g_aufnahme.push_back(t.command);
  g_aufnahme.push_back(0);
  if (t.text.size() < 255) {
    g_aufnahme.push_back(static_cast<std::uint8_t>(t.text.size()));
  } else {
    g_aufnahme.insert(g_aufnahme.end(),
                      {255, static_cast<std::uint8_t>(t.text.size()), static_cast<std::uint8_t>(t.text.size() >> 8)});
  }
  g_aufnahme.insert(g_aufnahme.end(), t.text.begin(), t.text.end());
  return t.command;
}

void Schreibe(const std::filesystem::path& pfad, const std::vector<std::uint8_t>& bytes) {
  std::filesystem::create_directories(pfad.parent_path());
  std::ofstream(pfad, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Lies(const std::string& pfad) {
  std::ifstream ein(pfad, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

// A document with a few persons whose names carry blanks and umlauts, and the defaults.
void Fuelle(TSteuerung& s) {
  const char* const namen[] = {"M\xFCller Hans", "J\xFCrgen Gro\xDF", "Kai"};
  for (int i = 0; i < 3; ++i) {
    auto p = NeuerDatensatz<PERSON>();
    SchreibeText(p->Name, namen[i]);
    SchreibeText(p->Karte, "04A1" + std::to_string(1000 + i));
    SchreibeText(p->Profil, "immer");
    SchreibeText(p->Code, "AAAA");
    p->Status1 = 1;
    p->Status2 = 1;
    HaengeAn(s.Personen, std::move(p));
  }
  SchreibeText(s.Geraetedaten.NameTuer1, "Haupt T\xFCr");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: fuzz_korpus <corpus folder>\n", stderr);
    return 2;
  }
  using namespace std::string_literals;
  const std::filesystem::path korpus = argv[1];
  fuzz::InstalliereSchnellePlattform();
  TauscheKommTabelle({Oeffne, OeffneNetz, Sende, Warte, Schliesse, Parameter, LetzterFehler});
  peer::ControllerModel modell(peer::DefaultFirmware(peer::DeviceType::RA20), [] { return std::int64_t{1772892309}; });
  modell.AddGeneratedBookings(3);
  g_steuerung = std::make_unique<peer::PeerController>(std::move(modell), 9, std::vector<peer::FaultSpec>{});

  // Files.
  TSteuerung neu(2026, fuzz::Ordner());
  neu.Save(fuzz::Ordner() + "neu.wuz");
  Schreibe(korpus / "dokument" / "neu.wuz", Lies(fuzz::Ordner() + "neu.wuz"));
  TSteuerung s(2026, fuzz::Ordner());
  s.Page = 0;
  Fuelle(s);
  s.Save(fuzz::Ordner() + "gefuellt.wuz");
  Schreibe(korpus / "dokument" / "gefuellt.wuz", Lies(fuzz::Ordner() + "gefuellt.wuz"));

  // The controller gets the filled document, then every fetch is recorded.
  if (!s.SendeAlleDaten(plattform::Current().Progress())) {
    std::fputs("the simulated controller did not take the document\n", stderr);
    return 1;
  }
  struct Abruf {
    std::uint8_t operation;
    const char* name;
  };
  for (const Abruf a : {Abruf{0, "version"}, Abruf{1, "personen"}, Abruf{2, "profile"}, Abruf{3, "feiertage"},
                        Abruf{5, "verbindungstest"}, Abruf{7, "alles"}, Abruf{4, "buchungen"}, Abruf{6, "loeschen"}}) {
    TSteuerung abrufer(2026, fuzz::Ordner());
    abrufer.Page = 0;
    g_aufnahme.assign(1, a.operation);
    try {
      switch (a.operation) {
        case 0: abrufer.GetVersion(); break;
        case 1: abrufer.HolePersonen(plattform::Current().Progress()); break;
        case 2: abrufer.HoleProfile(plattform::Current().Progress()); break;
        case 3: abrufer.HoleFeiertage(plattform::Current().Progress()); break;
        case 4:
          abrufer.HoleBuchungen(plattform::Current().Progress());
          abrufer.Save(fuzz::Ordner() + "buchungen.wuz");
          Schreibe(korpus / "buchungen" / "drei.bks", Lies(fuzz::Ordner() + "buchungen.bks"));
          break;
        case 5: abrufer.Verbindungstest(plattform::Current().Progress()); break;
        case 6: abrufer.LoescheFlash(plattform::Current().Progress()); break;
        default: abrufer.HoleAlleDaten(plattform::Current().Progress()); break;
      }
    } catch (const IoError& e) {
      std::fprintf(stderr, "%s: %s\n", a.name, e.Meldung.c_str());
      return 1;
    }
    Schreibe(korpus / "transfer" / a.name, g_aufnahme);
  }

  auto text = [](const std::string& t) { return std::vector<std::uint8_t>(t.begin(), t.end()); };
  Schreibe(korpus / "ini" / "crlf.ini",
           text("[Global]\r\nPage=0\r\nLOG=1\r\n[Network]\r\nIP=192.168.100.200\r\nTCPPort=10001\r\n"
                "[Comm]\r\nport=2\r\nAdress=13\r\nCable=0\r\n"));
  Schreibe(korpus / "ini" / "lf.ini", text("; Kommentar\n[comm]\nPORT=5\n[Andere]\nx=y\n"));
  Schreibe(korpus / "ini" / "bom_cr.ini", text("\xEF\xBB\xBF[Global]\rPage=1\r[Network]\rIP=\" host \"\r"));
  Schreibe(korpus / "antworten" / "buchung", text("\x01\x00"
                                                  "2026.03.07.14.05.09.04A1002468 M&ller!Hans 2305"s));
  Schreibe(korpus / "antworten" / "geraetedaten", text("\x00\x2D"
                                                       "37123 Haupt!T&r Gro$e!Halle"s));
  Schreibe(korpus / "antworten" / "zahlen", text("\x02\x04"
                                                 "2026.3.7 -12 99999"s));
  Schreibe(korpus / "frame" / "quittung", {0xAA, 0xAA, 0x03, 0x00, 0x00, 0x03, 0x05, 0x4B, 0x00, 0x15, 0xB5});
  return 0;
}
