#include "Telegramm.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "KommFrame.h"
#include "KommGlobals.h"
#include "KommLog.h"
#include "KommQt.h"
#include "NetzInterface.h"
#include "SerialInterface.h"

namespace komm {
namespace {

constexpr std::uint32_t kPauseBeforeSend = 50;
constexpr std::uint32_t kPauseAroundRts = 5;
constexpr std::uint32_t kPauseBeforeRead = 25;
constexpr std::uint32_t kByteDeadline = 80;
constexpr std::uint8_t kCounterMask = 0x1F;

}  // namespace

int SchreibeDaten(const std::uint8_t* bytes, std::size_t count) {
  KommGlobals& g = Globals();
  if (g.interfaceType == kInterfaceNetz && g.netz) return g.netz->Write(bytes, count);
  if (g.interfaceType == kInterfaceSerial && g.serial) {
    const std::shared_ptr<T_Serial_Interface> serial = g.serial;
    return serial->Write(bytes, count);
  }
  return -1;
}

int LeseDaten(std::uint8_t* byte, std::size_t count) {
  KommGlobals& g = Globals();
  if (g.interfaceType == kInterfaceNetz && g.netz) return g.netz->Read(byte, count);
  if (g.interfaceType == kInterfaceSerial && g.serial) return g.serial->Read(byte, count);
  return -1;
}

void RtsEin() {
  KommGlobals& g = Globals();
  if (g.interfaceType == kInterfaceSerial && g.serial) g.serial->SetRTS();
}

void RtsAus() {
  KommGlobals& g = Globals();
  if (g.interfaceType == kInterfaceSerial && g.serial) g.serial->ClearRTS();
}

int SendeTele(int destAddr, int srcAddr, int command, const char* text, int number) {
  try {
    KommGlobals& g = Globals();
    const std::size_t length = text != nullptr ? std::strlen(text) : 0;
    if (length > kMaxSendText) {
      SetLastError("Telegrammtext zu lang: " + std::to_string(length) + " Zeichen, höchstens " +
                   std::to_string(kMaxSendText) + " erlaubt\n");
      DebugLog().Write("%s %s", LogZeit().c_str(), g.lastError.c_str());
      DebugLog().Flush();
      return -1;
    }
    std::uint8_t telegramNumber = static_cast<std::uint8_t>(number);
    if (number < 0) telegramNumber = g.telegramCounter++;
    if (g.telegramCounter > kCounterMask) g.telegramCounter &= kCounterMask;

    Telegram telegram;
    telegram.source = static_cast<std::uint16_t>(srcAddr);
    telegram.dest = static_cast<std::uint16_t>(destAddr);
    telegram.number = telegramNumber;
    telegram.command = static_cast<std::uint8_t>(command);
    telegram.text.assign(text != nullptr ? text : "", length);

    DebugLog().Write("\n%s Zeit : %d, Kommando: <0x%02x> an %d \n", LogZeit().c_str(), SinceLastEvent(),
                     telegram.command, telegram.dest);
    DebugLog().Flush();
    RenewLastEvent();
    ProtocolLog().Write("\nKommando: %d <0x%02x> an Steuerung 0x%04x ", telegram.command, telegram.command,
                        telegram.dest);

    const std::vector<std::uint8_t> frame = BuildFrame(telegram);
    const std::size_t dataLength = frame.size() - 4;  // header, text and NUL
    const auto crc = static_cast<std::uint16_t>(frame[frame.size() - 2] | (frame[frame.size() - 1] << 8));

    Pause(kPauseBeforeSend);
    DebugLog().Write("%s Sende Telegramm:\n", LogZeit().c_str());
    for (const std::uint8_t byte : frame) DebugLog().Write("<%02x> ", byte);
    DebugLog().Write("%s Bufferlaenge:%d 'len' : %d, CRC: 0x%04x\n", LogZeit().c_str(),
                     static_cast<int>(frame.size() - 11), static_cast<int>(dataLength), crc);
    DebugLog().Flush();
    ProtocolLog().Write("gesendet:\n '%s'\n", telegram.text.c_str());

    RtsEin();
    Pause(kPauseAroundRts);
    // Start bytes, then header, text and NUL in one write, then the CRC.
    const char* failedPart = nullptr;
    if (SchreibeDaten(frame.data(), 2) != 2) {
      failedPart = "Start";
    } else if (SchreibeDaten(frame.data() + 2, dataLength) != static_cast<int>(dataLength)) {
      failedPart = "DATEN";
    } else if (SchreibeDaten(frame.data() + 2 + dataLength, 2) != 2) {
      failedPart = "CRC";
    }
    if (failedPart != nullptr) {
      RtsAus();
      DebugLog().Write("%s FEHLER: Senden %s\n", LogZeit().c_str(), failedPart);
      DebugLog().Flush();
      return -1;
    }
    Pause(kPauseAroundRts);
    RtsAus();
    DebugLog().Write("%s Zeit : %d Telegramm gesendet. \n", LogZeit().c_str(), SinceLastEvent());
    DebugLog().Flush();
    RenewLastEvent();
    return 0;
  } catch (...) {
    SetLastError("unerwartete Exception in Funktion 'SendTele(...)!\n");
    DebugLog().Write("%s %s", LogZeit().c_str(), Globals().lastError.c_str());
    DebugLog().Flush();
    return -1;
  }
}

namespace {

// The end states of a read phase, by their number, as the debug log names them.
constexpr std::array<const char*, 5> kStateLabels = {"NA", "ja", "nein", "Byte", "NA"};
constexpr int kOverallTimeout = 1;
constexpr int kComplete = 2;
constexpr int kByteTimeout = 3;

// The debug lines at the end of a read phase; count is what the phase took.
void LogPhaseEnd(const FrameReader& reader, FrameReader::Phase phase, std::size_t count, int state) {
  LogFile& log = DebugLog();
  const char* label = kStateLabels[static_cast<std::size_t>(state)];
  const int taken = static_cast<int>(count);
  switch (phase) {
    case FrameReader::Phase::Start:
      log.Write("%s Startkennung,  Anzahl (0xAA):%d, TimeOut: %s\n", LogZeit().c_str(), taken, label);
      break;
    case FrameReader::Phase::Header:
      log.Write("%s Frame, Anzahl :%d, TimeOut: %s \n", LogZeit().c_str(), taken, label);
      if (state != kComplete) break;
      log.Write("%s Frame: ", LogZeit().c_str());
      for (const std::uint8_t byte : reader.header()) log.Write(" <0x%02x>", byte);
      log.Write("TimeOut: %s\n", label);
      break;
    case FrameReader::Phase::Text:
      if (state != kComplete) break;
      log.Write("\n%s Daten fertig: %d (%d), Timeout:%s\n", LogZeit().c_str(), taken,
                static_cast<int>(kHeaderSize) + taken, label);
      for (const char byte : reader.text()) log.Write("<0x%02x>", static_cast<std::uint8_t>(byte));
      log.Write("<0x%02x>\n", 0);
      break;
    case FrameReader::Phase::Crc: break;
  }
}

// What a phase has taken so far (the start phase counts its 0xAA bytes).
std::size_t Taken(const FrameReader& reader, FrameReader::Phase phase) {
  return phase == FrameReader::Phase::Text ? reader.text().size() : reader.count();
}

// The end of an attempt whose frame came whole: the telegram stands in buffer; 1 when its
// CRC is right.
int FinishAttempt(const FrameReader& reader, FrameReader::Result result, std::uint8_t* buffer) {
  const Telegram& t = reader.telegram();
  const auto& header = reader.header();
  std::copy(header.begin(), header.end(), buffer);
  std::memcpy(buffer + kHeaderSize, t.text.data(), t.text.size());
  buffer[kHeaderSize + t.text.size()] = 0;
  if (result == FrameReader::Result::BadCrc) {
    DebugLog().Write("%s CRC falsch! gelesen: %04x berechnet: %04x\n", LogZeit().c_str(), reader.receivedCrc(),
                     reader.computedCrc());
    ProtocolLog().Write("CRC falsch! \n");
    return 0;
  }
  DebugLog().Write("\n%s Zeit : %d Telegramm Inhalt: '%s' %d Bytes\n", LogZeit().c_str(), SinceLastEvent(),
                   t.text.c_str(), static_cast<int>(t.text.size() + 1));
  RenewLastEvent();
  ProtocolLog().Write("\nTelegramm Inhalt '%s'\n", t.text.c_str());
  return 1;
}

}  // namespace

int ReadTelegramm(std::uint8_t* buffer) {
  try {
    Pause(kPauseBeforeRead);
    const std::uint32_t overallDeadline = MsClock() + static_cast<std::uint32_t>(Globals().replyTimeoutMs);
    DebugLog().Write("\n%s Zeit : %d, Telegramm lesen:\n", LogZeit().c_str(), SinceLastEvent());
    RenewLastEvent();
    std::uint32_t byteDeadline = MsClock() + kByteDeadline;
    FrameReader reader;
    for (;;) {
      // One pass: note the limits, then read at most one byte. A byte that completes its
      // phase still counts even when a limit was noted in the same pass.
      const std::uint32_t now = MsClock();
      const FrameReader::Phase phase = reader.phase();
      int state = 0;
      if (phase != FrameReader::Phase::Start && Passed(now, byteDeadline)) state = kByteTimeout;
      if (Passed(now, overallDeadline)) state = kOverallTimeout;
      std::uint8_t byte = 0;
      const int n = LeseDaten(&byte, 1);
      if (n == 1) {
        byteDeadline = now + kByteDeadline;
        // The bytes the phase has taken with this one, should it complete the phase.
        const std::size_t taken = phase == FrameReader::Phase::Text ? reader.text().size() + 1 : reader.count() + 1;
        const FrameReader::Result result = reader.Feed(byte);
        if (result == FrameReader::Result::Overflow) return 0;
        if (result != FrameReader::Result::NeedMore) return FinishAttempt(reader, result, buffer);
        if (reader.phase() != phase) {
          LogPhaseEnd(reader, phase, taken, kComplete);
          continue;
        }
      }
      if (n < 0) {
        // No transport: do not spin while the deadline runs.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      if (state != 0) {
        LogPhaseEnd(reader, phase, Taken(reader, phase), state);
        return 0;
      }
    }
  } catch (...) {
    SetLastError("unerwartete Exception in Funktion 'ReadTelegramm(...)!\n");
    DebugLog().Write("%s %s", LogZeit().c_str(), Globals().lastError.c_str());
    DebugLog().Flush();
    return 0;
  }
}

int WarteAufTele(int* srcOut, int ownAddr, char* textOut, int tries) {
  try {
    if (tries < 2) tries = 3;
    KommGlobals& g = Globals();
    ProtocolLog().Write("warte auf Telegramm mit %d Versuchen: ", tries);
    DebugLog().Write("%s warte auf Telegramm von %d an %d mit %d Versuchen: ", LogZeit().c_str(),
                     srcOut != nullptr ? *srcOut : 0, ownAddr, tries);
    g.replyBuffer.fill(0);
    for (int attempt = 0; attempt < tries; ++attempt) {
      if (ReadTelegramm(g.replyBuffer.data()) != 1 || ((g.replyBuffer[2] << 8) | g.replyBuffer[3]) != ownAddr) {
        ProtocolLog().Write(". ");
        continue;
      }
      if (textOut != nullptr) {
        const auto* text = reinterpret_cast<const char*>(g.replyBuffer.data() + kHeaderSize);
        const std::size_t length = strnlen(text, kMaxReplyText);
        std::memcpy(textOut, text, length);
        textOut[length] = '\0';
      }
      const int source = (g.replyBuffer[0] << 8) | g.replyBuffer[1];
      if (srcOut != nullptr) *srcOut = source;
      DebugLog().Write("%s Telegramm (0x%02x) von  Steuerung %d erhalten\n\n", LogZeit().c_str(), g.replyBuffer[5],
                       source);
      return g.replyBuffer[5];
    }
    ProtocolLog().Write("beendet nach %d Versuchen\n", tries);
    return 0;
  } catch (...) {
    SetLastError("unerwartete Exception in Funktion 'WarteAufTele()!\n");
    DebugLog().Write("%s %s", LogZeit().c_str(), Globals().lastError.c_str());
    DebugLog().Flush();
    return 0;
  }
}

}  // namespace komm
