// The telegram frame shared by the communication library and the controller peer:
// AA AA | src hi, src lo, dst hi, dst lo, number, command | text NUL | CRC lo, CRC hi
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace komm {

constexpr std::uint8_t kStartByte = 0xAA;
constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kMaxSendText = 1013;   // the assembled frame then fills 1024 bytes
constexpr std::size_t kMaxReplyText = 1023;  // plus its NUL: the text part of the reply buffer

// CRC-16/ARC: reflected polynomial 0xA001, initial value 0, no final XOR.
std::uint16_t CalcCRC(const std::uint8_t* bytes, std::size_t count);

struct Telegram {
  std::uint16_t source = 0;
  std::uint16_t dest = 0;
  std::uint8_t number = 0;
  std::uint8_t command = 0;
  std::string text;  // raw bytes, without the NUL
};

// The header bytes in line order (addresses high byte first).
std::array<std::uint8_t, kHeaderSize> BuildHeader(std::uint16_t source, std::uint16_t dest, std::uint8_t number,
                                                  std::uint8_t command);

// The whole frame of n + 11 bytes. The text ends at its first NUL, if it has one.
std::vector<std::uint8_t> BuildFrame(const Telegram& telegram);

// Reads a frame byte by byte in four phases: start bytes, header, text, CRC.
// Bytes other than 0xAA before the two start bytes are skipped (they need not be adjacent).
// The caller owns the timing (deadlines between bytes); this class only assembles.
class FrameReader {
 public:
  enum class Phase { Start, Header, Text, Crc };
  enum class Result {
    NeedMore,  // the byte was taken, the frame is not complete
    Complete,  // a frame with a correct CRC is ready in telegram()
    BadCrc,    // a complete frame whose CRC does not match; the reader starts anew
    Overflow,  // kMaxReplyText text bytes without a NUL; the reader starts anew
  };

  Result Feed(std::uint8_t byte);
  void Reset();

  Phase phase() const { return phase_; }
  // 0xAA bytes seen in the start phase, or bytes taken in the current phase.
  std::size_t count() const { return count_; }
  // The text bytes read so far in the text phase (without the NUL).
  const std::string& text() const { return text_; }
  const Telegram& telegram() const { return telegram_; }
  const std::array<std::uint8_t, kHeaderSize>& header() const { return header_; }
  std::uint16_t receivedCrc() const { return receivedCrc_; }
  std::uint16_t computedCrc() const { return computedCrc_; }

 private:
  void FinishFrame();

  Phase phase_ = Phase::Start;
  std::size_t count_ = 0;
  std::array<std::uint8_t, kHeaderSize> header_{};
  std::string text_;
  std::uint8_t crcLow_ = 0;
  std::uint16_t receivedCrc_ = 0;
  std::uint16_t computedCrc_ = 0;
  Telegram telegram_;
};

}  // namespace komm
