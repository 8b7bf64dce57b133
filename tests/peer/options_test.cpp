#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PeerOptions.h"

namespace {

using peer::FaultKind;
using peer::ParseOptions;

TEST(PeerOptions, ReadsTheWholeCommandLine) {
  const auto r =
      ParseOptions({"--tcp",   "127.0.0.1:10001", "--pty",   "/tmp/x/com", "--address",     "3",       "--type",
                    "ZO 10",   "--firmware",      "ALT 1.2", "--bookings", "500",           "--fault", "75:silent",
                    "--fault", "5:bad-crc:2",     "--trace", "/tmp/x/t",   "--erase-delay", "50",      "--reply-delay",
                    "400"});
  ASSERT_EQ(r.error, "");
  const auto& o = r.options;
  EXPECT_EQ(o.tcpHost, "127.0.0.1");
  EXPECT_EQ(o.tcpPort, 10001);
  EXPECT_EQ(o.ptyPath, "/tmp/x/com");
  EXPECT_EQ(o.address, 3);
  EXPECT_EQ(o.type, peer::DeviceType::ZO10);
  EXPECT_EQ(o.firmware, "ALT 1.2");
  EXPECT_EQ(o.bookings, 500u);
  ASSERT_EQ(o.faults.size(), 2u);
  EXPECT_EQ(o.faults[0].command, 75);
  EXPECT_EQ(o.faults[0].kind, FaultKind::Silent);
  EXPECT_EQ(o.faults[0].count, -1);
  EXPECT_EQ(o.faults[1].kind, FaultKind::BadCrc);
  EXPECT_EQ(o.faults[1].count, 2);
  EXPECT_EQ(o.tracePath, "/tmp/x/t");
  EXPECT_EQ(o.eraseDelayMs, 50u);
  EXPECT_EQ(o.replyDelayMs, 400u);
}

TEST(PeerOptions, Defaults) {
  const auto r = ParseOptions({"--pty", "/tmp/com"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.address, 9);
  EXPECT_EQ(r.options.type, peer::DeviceType::RA20);
  EXPECT_FALSE(r.options.tcpHost);
  EXPECT_EQ(r.options.eraseDelayMs, 700u);
  EXPECT_EQ(r.options.replyDelayMs, 0u);
  EXPECT_EQ(peer::DefaultFirmware(peer::DeviceType::RA20), "SIM VI20 V.03.01.07");
  EXPECT_EQ(peer::DefaultFirmware(peer::DeviceType::ZO10).find("VI20"), std::string::npos);
  EXPECT_NE(peer::DefaultFirmware(peer::DeviceType::ZO10).find("V.0"), std::string::npos);
  EXPECT_EQ(ParseOptions({"--tcp", "[::1]:0"}).options.tcpHost, "::1");
  EXPECT_TRUE(ParseOptions({"--help"}).options.help);
}

TEST(PeerOptions, RefusesWhatItCannotUse) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--tcp", "127.0.0.1"},
      {"--tcp", "127.0.0.1:65536"},
      {"--tcp", ":5"},
      {"--pty"},
      {"--pty", "/x", "--address", "768"},
      {"--pty", "/x", "--address", "-1"},
      {"--pty", "/x", "--type", "ZO10"},
      {"--pty", "/x", "--bookings", "many"},
      {"--pty", "/x", "--fault", "75"},
      {"--pty", "/x", "--fault", "75:loud"},
      {"--pty", "/x", "--fault", "256:nak"},
      {"--pty", "/x", "--fault", "75:nak:0"},
      {"--pty", "/x", "--fault", "75:nak:2:3"},
      {"--pty", "/x", "--firmware", std::string(1014, 'V')},
      {"--pty", "/x", "--erase-delay", "-5"},
      {"--pty", "/x", "--reply-delay", "x"},
      {"--pty", "/x", "--verbose"},
      {"--pty", "/x", "extra"},
  };
  for (const auto& args : bad) {
    std::string joined;
    for (const auto& a : args) joined += a.substr(0, 20) + " ";
    EXPECT_NE(ParseOptions(args).error, "") << joined;
  }
}

}  // namespace
