#include "link/SerialKomm.h"

#include <chrono>
#include <cstring>
#include <string_view>
#include <thread>

#include "link/KommFunktionen.h"
#include "platform/Plattform.h"
#include "text/Codec1252.h"

namespace {

constexpr int kBaudRate = 9600;
constexpr int kNummernBereich = 64;
constexpr int kWiederholung = 0x40;  // marks a repeat after a missing or unusable answer

// The answer text in the reply buffer, read no further than the buffer reaches, for the log
// (telegram texts are Windows-1252, the log is UTF-8).
std::string AntwortText(AntwortPufferRef reply) {
  return Cp1252NachUtf8(std::string_view(reply.data(), strnlen(reply.data(), reply.size())));
}

}  // namespace

TSerialKomm::TSerialKomm(int reserve, bool fake) : Fake(fake), Reservewert(reserve) {}

TSerialKomm::~TSerialKomm() {
  if (Offen) Close();
}

int TSerialKomm::Open(int kind, int comPort, int tcpPort, const std::string& ip) {
  if (Fake) return 0;
  int handle = 0;
  if (kind == 0) {
    handle = KommTabelle().OpenKommNet(tcpPort, ip.c_str(), LogModus);
  } else if (kind == 1) {
    handle = KommTabelle().OpenKommSer(comPort, kBaudRate, 0, LogModus);
  }
  // A failed open keeps the handle of a link still open, so that it can be closed.
  if (handle == 0) return 1;
  Handle = handle;
  Offen = true;
  return 0;
}

int TSerialKomm::Close() {
  if (Offen) {
    Offen = false;
    return KommTabelle().CloseKommunikation(Handle);
  }
  return Fake ? 1 : 0;
}

int TSerialKomm::SendeTele(int dest, int source, int command, const std::string& text, int number) {
  return KommTabelle().SendeTele(Handle, dest, source, command, text.c_str(), number);
}

int TSerialKomm::WarteAufTele(int* sender, int ownAddress, char* reply, int tries) {
  return KommTabelle().WarteAufTele(Handle, sender, ownAddress, reply, tries);
}

void TSerialKomm::SetParameter(int milliseconds) {
  KommTabelle().SetParameter(Handle, milliseconds);
  if (milliseconds > 0) AntwortzeitMs = milliseconds;
}

void TSerialKomm::SetFake(bool fake) { Fake = fake; }

void TSerialKomm::SetLogMode(bool on) { LogModus = on ? 2 : 0; }

int TSerialKomm::Kommando(int dest, int source, std::FILE* log, int attempts, AntwortPufferRef reply, int expected,
                          const std::string& text, int command) {
  return Transaktion(Form::Kommando, dest, source, log, attempts, reply, expected, text, command);
}

bool TSerialKomm::KommandoOk(int dest, int source, std::FILE* log, int attempts, AntwortPufferRef reply, int expected,
                             const std::string& text, int command) {
  return Transaktion(Form::KommandoOk, dest, source, log, attempts, reply, expected, text, command) == kKommOk;
}

int TSerialKomm::Transaktion(Form form, int dest, int source, std::FILE* log, int attempts, AntwortPufferRef reply,
                             int expected, const std::string& text, int command) {
  if (Fake) return kKommOk;
  Folgenummer = (Folgenummer + 1) % kNummernBereich;
  int nummer = Folgenummer;
  const KommFunktionen& bibliothek = KommTabelle();
  const std::string logText = log != nullptr ? Cp1252NachUtf8(text.c_str()) : std::string();
  for (int versuch = 1; versuch <= attempts; ++versuch) {
    if (log != nullptr) {
      std::fprintf(log,
                   form == Form::Kommando ? "Versuch %d : von %d an %d Kommando %d \n '%s' \r\n"
                                          : "Versuch %d :von %d an %d Kommando %d \n '%s'\n",
                   versuch, source, dest, command, logText.c_str());
    }
    if (bibliothek.SendeTele(Handle, dest, source, command, text.c_str(), nummer) < 0) return kKommKeineAntwort;

    int sender = 0;
    const int code = bibliothek.WarteAufTele(Handle, &sender, source, reply.data(), 1);
    if (code == 0) {
      if (log != nullptr) std::fputs("Keine Antwort erhalten\r\n", log);
      nummer |= kWiederholung;
      continue;
    }
    if (sender != dest) {
      // Another device answered: the same telegram goes out again unchanged.
      if (log != nullptr) {
        std::fprintf(log, "Telegramm von %d statt von %d '%s'\r\n", sender, dest, AntwortText(reply).c_str());
      }
      continue;
    }
    if (code == expected) {
      if (log != nullptr) std::fprintf(log, "Kommando %d '%s' empfangen\r\n", code, AntwortText(reply).c_str());
      Folgenummer = 0;
      return kKommOk;
    }
    if (code == kAntwortNumNa) {
      if (log != nullptr) std::fputs("NUM_NA empfangen\r\n", log);
      return kKommNumNa;
    }
    if (code == kAntwortUnbekannt) {
      if (log != nullptr) std::fputs("SLAVE_RECEIVED_UNKNOWN_COMMAND empfangen Flashversion ueberpruefen\n", log);
      return kKommUnbekannt;
    }
    if (code == kAntwortNak && log != nullptr) std::fputs("NAK empfangen\r\n", log);
    nummer |= kWiederholung;
  }
  return kKommKeineAntwort;
}

void Warte(unsigned ms) {
  plattform::Plattform& p = plattform::Current();
  const std::uint32_t start = p.MilliClock();
  for (;;) {
    const std::uint32_t vergangen = p.MilliClock() - start;
    if (vergangen >= ms) return;
    p.ProcessMessages();
    // Yield the processor briefly instead of spinning; windows stay responsive.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}
