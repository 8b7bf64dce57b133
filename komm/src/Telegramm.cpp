#include "Telegramm.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "KommFrame.h"
#include "KommGlobals.h"
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
    const std::vector<std::uint8_t> frame = BuildFrame(telegram);

    Pause(kPauseBeforeSend);
    RtsEin();
    Pause(kPauseAroundRts);
    // Start bytes, then header, text and NUL in one write, then the CRC.
    const std::size_t dataLength = frame.size() - 4;
    if (SchreibeDaten(frame.data(), 2) != 2 ||
        SchreibeDaten(frame.data() + 2, dataLength) != static_cast<int>(dataLength) ||
        SchreibeDaten(frame.data() + 2 + dataLength, 2) != 2) {
      RtsAus();
      return -1;
    }
    Pause(kPauseAroundRts);
    RtsAus();
    return 0;
  } catch (...) {
    SetLastError("unerwartete Exception in Funktion 'SendTele(...)!\n");
    return -1;
  }
}

int ReadTelegramm(std::uint8_t* buffer) {
  try {
    Pause(kPauseBeforeRead);
    const std::uint32_t overallDeadline = MsClock() + static_cast<std::uint32_t>(Globals().replyTimeoutMs);
    std::uint32_t byteDeadline = MsClock() + kByteDeadline;
    FrameReader reader;
    for (;;) {
      // One pass: note the limits, then read at most one byte. A byte that completes its
      // phase still counts even when a limit was noted in the same pass.
      const std::uint32_t now = MsClock();
      const FrameReader::Phase phase = reader.phase();
      bool limit = phase != FrameReader::Phase::Start && Passed(now, byteDeadline);
      limit = Passed(now, overallDeadline) || limit;
      std::uint8_t byte = 0;
      const int n = LeseDaten(&byte, 1);
      if (n == 1) {
        byteDeadline = now + kByteDeadline;
        const FrameReader::Result result = reader.Feed(byte);
        if (result == FrameReader::Result::Complete || result == FrameReader::Result::BadCrc) {
          const Telegram& t = reader.telegram();
          const auto& header = reader.header();
          std::copy(header.begin(), header.end(), buffer);
          std::memcpy(buffer + kHeaderSize, t.text.data(), t.text.size());
          buffer[kHeaderSize + t.text.size()] = 0;
          return result == FrameReader::Result::Complete ? 1 : 0;
        }
        if (result == FrameReader::Result::Overflow) return 0;
        if (reader.phase() != phase) continue;
      } else if (n < 0) {
        // No transport: do not spin while the deadline runs.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      if (limit) return 0;
    }
  } catch (...) {
    SetLastError("unerwartete Exception in Funktion 'ReadTelegramm(...)!\n");
    return 0;
  }
}

int WarteAufTele(int* srcOut, int ownAddr, char* textOut, int tries) {
  try {
    if (tries < 2) tries = 3;
    KommGlobals& g = Globals();
    g.replyBuffer.fill(0);
    for (int attempt = 0; attempt < tries; ++attempt) {
      if (ReadTelegramm(g.replyBuffer.data()) != 1) continue;
      const int dest = (g.replyBuffer[2] << 8) | g.replyBuffer[3];
      if (dest != ownAddr) continue;
      if (textOut != nullptr) {
        const auto* text = reinterpret_cast<const char*>(g.replyBuffer.data() + kHeaderSize);
        const std::size_t length = strnlen(text, kMaxReplyText);
        std::memcpy(textOut, text, length);
        textOut[length] = '\0';
      }
      if (srcOut != nullptr) *srcOut = (g.replyBuffer[0] << 8) | g.replyBuffer[1];
      return g.replyBuffer[5];
    }
    return 0;
  } catch (...) {
    SetLastError("unerwartete Exception in Funktion 'WarteAufTele()!\n");
    return 0;
  }
}

}  // namespace komm
