#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "KommFrame.h"

namespace {

using komm::FrameReader;

TEST(Crc, CheckValueOfTheDigits) {
  const std::string digits = "123456789";
  EXPECT_EQ(komm::CalcCRC(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()), 0xBB3D);
}

struct FrameCase {
  komm::Telegram telegram;
  std::vector<std::uint8_t> bytes;
};

TEST(Frame, BytesOnTheLine) {
  const std::vector<FrameCase> cases = {
      {{768, 3, 5, 75, ""}, {0xAA, 0xAA, 0x03, 0x00, 0x00, 0x03, 0x05, 0x4B, 0x00, 0x15, 0xB5}},
      {{0x4080, 0x4000, 0x7F, 0xFF, "A"}, {0xAA, 0xAA, 0x40, 0x80, 0x40, 0x00, 0x7F, 0xFF, 'A', 0x00, 0x92, 0x8C}},
  };
  for (const auto& c : cases) EXPECT_EQ(komm::BuildFrame(c.telegram), c.bytes);
}

FrameReader::Result FeedAll(FrameReader& reader, const std::vector<std::uint8_t>& bytes) {
  FrameReader::Result r = FrameReader::Result::NeedMore;
  for (auto b : bytes) r = reader.Feed(b);
  return r;
}

TEST(FrameReader, SkipsNoiseAndReadsTheTelegram) {
  auto frame = komm::BuildFrame({9, 768, 3, 77, "SIM VI20 V.03.01.07"});
  std::vector<std::uint8_t> line = {0x17, 0xAA, 0x17};
  line.insert(line.end(), frame.begin() + 1, frame.end());  // AA 17 AA: the 17 is skipped
  FrameReader reader;
  ASSERT_EQ(FeedAll(reader, line), FrameReader::Result::Complete);
  EXPECT_EQ(reader.telegram().source, 9);
  EXPECT_EQ(reader.telegram().dest, 768);
  EXPECT_EQ(reader.telegram().number, 3);
  EXPECT_EQ(reader.telegram().command, 77);
  EXPECT_EQ(reader.telegram().text, "SIM VI20 V.03.01.07");
  EXPECT_EQ(reader.phase(), FrameReader::Phase::Start);
}

TEST(FrameReader, ReversedCrcIsRefused) {
  auto frame = komm::BuildFrame({9, 768, 1, 3, "x"});
  std::swap(frame[frame.size() - 1], frame[frame.size() - 2]);
  FrameReader reader;
  EXPECT_EQ(FeedAll(reader, frame), FrameReader::Result::BadCrc);
  EXPECT_NE(reader.receivedCrc(), reader.computedCrc());
}

TEST(FrameReader, OverlongTextEndsTheFrame) {
  std::vector<std::uint8_t> line = {0xAA, 0xAA, 0, 9, 3, 0, 1, 3};
  FrameReader reader;
  ASSERT_EQ(FeedAll(reader, line), FrameReader::Result::NeedMore);
  for (std::size_t i = 0; i < komm::kMaxReplyText; ++i) ASSERT_EQ(reader.Feed('a'), FrameReader::Result::NeedMore);
  EXPECT_EQ(reader.Feed('a'), FrameReader::Result::Overflow);
  EXPECT_EQ(reader.phase(), FrameReader::Phase::Start);
}

}  // namespace
