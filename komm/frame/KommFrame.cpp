#include "KommFrame.h"

#include <cstring>

namespace komm {
namespace {

constexpr std::array<std::uint16_t, 256> MakeCrcTable() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    std::uint16_t reg = static_cast<std::uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit) {
      reg = (reg & 1U) ? static_cast<std::uint16_t>((reg >> 1) ^ 0xA001U) : static_cast<std::uint16_t>(reg >> 1);
    }
    table[i] = reg;
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

std::uint16_t CalcCRC(const std::uint8_t* bytes, std::size_t count) {
  std::uint16_t reg = 0;
  for (std::size_t i = 0; i < count; ++i) {
    reg = static_cast<std::uint16_t>(kCrcTable[(reg ^ bytes[i]) & 0xFFU] ^ (reg >> 8));
  }
  return reg;
}

std::array<std::uint8_t, kHeaderSize> BuildHeader(std::uint16_t source, std::uint16_t dest, std::uint8_t number,
                                                  std::uint8_t command) {
  return {static_cast<std::uint8_t>(source >> 8),
          static_cast<std::uint8_t>(source & 0xFF),
          static_cast<std::uint8_t>(dest >> 8),
          static_cast<std::uint8_t>(dest & 0xFF),
          number,
          command};
}

std::vector<std::uint8_t> BuildFrame(const Telegram& telegram) {
  const std::string_view text(telegram.text.data(), strnlen(telegram.text.data(), telegram.text.size()));
  const auto header = BuildHeader(telegram.source, telegram.dest, telegram.number, telegram.command);
  std::vector<std::uint8_t> frame;
  frame.reserve(text.size() + 11);
  frame.push_back(kStartByte);
  frame.push_back(kStartByte);
  frame.insert(frame.end(), header.begin(), header.end());
  frame.insert(frame.end(), text.begin(), text.end());
  frame.push_back(0);
  const std::uint16_t crc = CalcCRC(frame.data() + 2, frame.size() - 2);
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  return frame;
}

void FrameReader::Reset() {
  phase_ = Phase::Start;
  count_ = 0;
  text_.clear();
}

FrameReader::Result FrameReader::Feed(std::uint8_t byte) {
  switch (phase_) {
    case Phase::Start:
      if (byte == kStartByte && ++count_ == 2) {
        phase_ = Phase::Header;
        count_ = 0;
      }
      return Result::NeedMore;
    case Phase::Header:
      header_[count_++] = byte;
      if (count_ == kHeaderSize) {
        phase_ = Phase::Text;
        count_ = 0;
        text_.clear();
      }
      return Result::NeedMore;
    case Phase::Text:
      ++count_;
      if (byte == 0) {
        phase_ = Phase::Crc;
        count_ = 0;
        return Result::NeedMore;
      }
      if (text_.size() == kMaxReplyText) {
        Reset();
        return Result::Overflow;
      }
      text_.push_back(static_cast<char>(byte));
      return Result::NeedMore;
    case Phase::Crc:
      if (count_++ == 0) {
        crcLow_ = byte;
        return Result::NeedMore;
      }
      receivedCrc_ = static_cast<std::uint16_t>(crcLow_ | (byte << 8));
      FinishFrame();
      return receivedCrc_ == computedCrc_ ? Result::Complete : Result::BadCrc;
  }
  return Result::NeedMore;
}

void FrameReader::FinishFrame() {
  std::vector<std::uint8_t> covered(header_.begin(), header_.end());
  covered.insert(covered.end(), text_.begin(), text_.end());
  covered.push_back(0);
  computedCrc_ = CalcCRC(covered.data(), covered.size());
  telegram_.source = static_cast<std::uint16_t>((header_[0] << 8) | header_[1]);
  telegram_.dest = static_cast<std::uint16_t>((header_[2] << 8) | header_[3]);
  telegram_.number = header_[4];
  telegram_.command = header_[5];
  telegram_.text = text_;
  Reset();
}

}  // namespace komm
