// The ping before a network link connects: its packets, and the opens with each ping mode
// against 127.0.0.1 and an address behind a router that answers "destination unreachable"
// (in a private network namespace, where an address can also be made silent).
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "IcmpPaket.h"
#include "KommTestPeer.h"
#include "LogFolder.h"
#include "PrivateNetwork.h"
#include "YBR_KOMM.h"

namespace kommtest {
namespace {

using komm::IcmpReply;

Bytes ChecksumBytes(const Bytes& bytes) {
  const std::uint16_t value = komm::IcmpChecksum(bytes.data(), bytes.size());
  Bytes stored(2);
  std::memcpy(stored.data(), &value, 2);
  return stored;
}

TEST(IcmpChecksum, KnownPackets) {
  struct Case {
    Bytes data;
    Bytes checksum;  // as it stands on the line
  };
  const std::vector<Case> cases = {
      {{0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7}, {0x22, 0x0D}},  // the worked example of RFC 1071
      {{0x01}, {0xFE, 0xFF}},                                            // a last odd byte
      {{}, {0xFF, 0xFF}},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01}, {0xFF, 0xFE}},  // carries folded back
  };
  for (const Case& c : cases) EXPECT_EQ(ChecksumBytes(c.data), c.checksum) << c.data.size();
}

TEST(IcmpChecksum, TheEchoRequestOnTheLine) {
  const std::uint16_t identifier = 0x1234;
  const auto packet = komm::BuildEchoRequest(identifier, 0x01020304);
  Bytes bytes(packet.begin(), packet.end());
  ASSERT_EQ(bytes.size(), 24U);
  EXPECT_EQ(bytes[0], 8);  // echo request
  EXPECT_EQ(bytes[1], 0);
  std::uint16_t stored = 0;
  std::memcpy(&stored, &bytes[4], 2);
  EXPECT_EQ(stored, identifier);
  EXPECT_EQ(bytes[6], 0);  // sequence number 0
  EXPECT_EQ(bytes[7], 0);
  std::uint32_t tick = 0;
  std::memcpy(&tick, &bytes[8], 4);
  EXPECT_EQ(tick, 0x01020304U);
  EXPECT_EQ(std::string(bytes.begin() + 12, bytes.end()), "Qiv_DLL Test");
  const Bytes checksum = {bytes[2], bytes[3]};
  bytes[2] = bytes[3] = 0;
  const std::uint16_t expected = LineChecksum(bytes);
  EXPECT_EQ(checksum, (Bytes{static_cast<std::uint8_t>(expected >> 8), static_cast<std::uint8_t>(expected & 0xFF)}));

  const auto bare = komm::BuildBareEchoRequest(identifier);
  EXPECT_EQ(LineChecksum(Bytes(bare.begin(), bare.end())), 0);  // a right checksum sums to zero
}

constexpr std::uint16_t kOwn = 0x4D2A;
constexpr std::uint16_t kForeign = 0x1111;

Bytes IpHeader(std::uint8_t ttl, std::uint8_t firstByte = 0x45) {
  Bytes header(20, 0);
  header[0] = firstByte;
  header[8] = ttl;
  header[9] = 1;  // ICMP
  return header;
}

Bytes Icmp(std::uint8_t type, std::uint8_t code, std::uint16_t identifier, std::size_t size = 8) {
  Bytes message(size, 0);
  message[0] = type;
  message[1] = code;
  std::memcpy(&message[4], &identifier, 2);
  return message;
}

Bytes Cut(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

TEST(IcmpReply, OnlyOurEchoReplyOrOurUnreachableRequestCounts) {
  const Bytes ownRequest = [] {
    const auto request = komm::BuildEchoRequest(kOwn, 7);
    return Bytes(request.begin(), request.end());
  }();
  const Bytes quotedOwn = Concat({IpHeader(64), Icmp(8, 0, kOwn)});
  const Bytes quotedForeign = Concat({IpHeader(64), Icmp(8, 0, kForeign)});
  struct Case {
    std::string name;
    Bytes packet;
    bool withIpHeader;
    IcmpReply::Kind kind;
    int ttl;
  };
  const std::vector<Case> cases = {
      {"own request seen on loopback", Concat({IpHeader(64), ownRequest}), true, IcmpReply::Kind::Other, 64},
      {"reply to another process", Concat({IpHeader(64), Icmp(0, 0, kForeign, 24)}), true, IcmpReply::Kind::Other, 64},
      {"our reply", Concat({IpHeader(57), Icmp(0, 0, kOwn, 24)}), true, IcmpReply::Kind::EchoReply, 57},
      {"our reply behind a longer IP header", Concat({IpHeader(64, 0x46), Bytes(4, 0), Icmp(0, 0, kOwn)}), true,
       IcmpReply::Kind::EchoReply, 64},
      {"our reply on a datagram socket", Icmp(0, 0, kOwn), false, IcmpReply::Kind::EchoReply, -1},
      {"our identifier in another message", Concat({IpHeader(64), Icmp(13, 0, kOwn)}), true, IcmpReply::Kind::Other,
       64},
      {"unreachable host for our request", Concat({IpHeader(64), Icmp(3, 1, 0), quotedOwn}), true,
       IcmpReply::Kind::Unreachable, 64},
      {"unreachable network for our request", Concat({IpHeader(64), Icmp(3, 0, 0), quotedOwn}), true,
       IcmpReply::Kind::Unreachable, 64},
      {"unreachable port", Concat({IpHeader(64), Icmp(3, 3, 0), quotedOwn}), true, IcmpReply::Kind::Other, 64},
      {"unreachable for another request", Concat({IpHeader(64), Icmp(3, 1, 0), quotedForeign}), true,
       IcmpReply::Kind::Other, 64},
      {"unreachable with its quote cut", Concat({IpHeader(64), Icmp(3, 1, 0), Cut(quotedOwn, 24)}), true,
       IcmpReply::Kind::Other, 64},
      {"reply cut inside the ICMP header", Cut(Concat({IpHeader(64), Icmp(0, 0, kOwn)}), 27), true,
       IcmpReply::Kind::Other, 64},
      {"cut inside the IP header", Cut(Concat({IpHeader(64), Icmp(0, 0, kOwn)}), 19), true, IcmpReply::Kind::Other, -1},
      {"IP header longer than the packet", Concat({IpHeader(64, 0x4F), Icmp(0, 0, kOwn)}), true, IcmpReply::Kind::Other,
       -1},
      {"IP header length below 20", Concat({IpHeader(64, 0x44), Icmp(0, 0, kOwn)}), true, IcmpReply::Kind::Other, -1},
      {"not IPv4", Concat({IpHeader(64, 0x65), Icmp(0, 0, kOwn)}), true, IcmpReply::Kind::Other, -1},
      {"one byte", {0x45}, true, IcmpReply::Kind::Other, -1},
      {"empty", {}, true, IcmpReply::Kind::Other, -1},
      {"datagram cut inside the ICMP header", Cut(Icmp(0, 0, kOwn), 7), false, IcmpReply::Kind::Other, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The packet stands alone in a block of its own size: a read beyond it is reported.
    const std::unique_ptr<std::uint8_t[]> packet(new std::uint8_t[c.packet.size()]);
    std::copy(c.packet.begin(), c.packet.end(), packet.get());
    const IcmpReply reply = komm::ReadIcmpReply(packet.get(), c.packet.size(), c.withIpHeader, kOwn);
    EXPECT_EQ(reply.kind, c.kind);
    EXPECT_EQ(reply.ttl, c.ttl);
  }
}

TEST(IcmpReply, AnErrorReportCountsOnlyAsUnreachableForOurRequest) {
  // The datagram socket reports an ICMP error message by its type and code, and gives the
  // request it quotes from its ICMP header on.
  struct Case {
    std::string name;
    std::uint8_t type;
    std::uint8_t code;
    Bytes quoted;
    IcmpReply::Kind kind;
  };
  const std::vector<Case> cases = {
      {"host unreachable", 3, 1, Icmp(8, 0, kOwn), IcmpReply::Kind::Unreachable},
      {"network unreachable", 3, 0, Icmp(8, 0, kOwn, 24), IcmpReply::Kind::Unreachable},
      {"prohibited", 3, 13, Icmp(8, 0, kOwn), IcmpReply::Kind::Other},
      {"time exceeded", 11, 0, Icmp(8, 0, kOwn), IcmpReply::Kind::Other},
      {"another's request", 3, 1, Icmp(8, 0, kForeign), IcmpReply::Kind::Other},
      {"our identifier in another message", 3, 1, Icmp(13, 0, kOwn), IcmpReply::Kind::Other},
      {"quote cut inside the ICMP header", 3, 1, Cut(Icmp(8, 0, kOwn), 7), IcmpReply::Kind::Other},
      {"nothing quoted", 3, 1, {}, IcmpReply::Kind::Other},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The quote stands alone in a block of its own size: a read beyond it is reported.
    const std::unique_ptr<std::uint8_t[]> quoted(new std::uint8_t[c.quoted.size()]);
    std::copy(c.quoted.begin(), c.quoted.end(), quoted.get());
    const IcmpReply reply = komm::ReadIcmpError(c.type, c.code, quoted.get(), c.quoted.size(), kOwn);
    EXPECT_EQ(reply.kind, c.kind);
    EXPECT_EQ(reply.code, c.code);
    EXPECT_EQ(reply.ttl, -1);
  }
}

// --- Opens with a ping, in a private network namespace ---------------------------------

// Digits that differ from run to run: "T" time stamp (with its blank), "D" date and time,
// "N" milliseconds.
std::string Normalized(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\d\d:\d\d:\d\d\.\d\d\d )"), "T");
  text = std::regex_replace(text, std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)"), "D");
  text = std::regex_replace(text, std::regex(R"(Pingzeit= \d+ms)"), "Pingzeit= Nms");
  text = std::regex_replace(text, std::regex(R"(nach \d+ Millisekunden)"), "nach N Millisekunden");
  return std::regex_replace(text, std::regex(R"(Zeit=\d+ ms)"), "Zeit=N ms");
}

// The echo requests the observer saw, each described by its fields.
std::string EchoRequestsSeen(int observer) {
  std::string seen;
  std::uint8_t packet[2048];
  for (;;) {
    const ssize_t n = recv(observer, packet, sizeof packet, MSG_DONTWAIT);
    if (n <= 0) break;
    const std::size_t header = static_cast<std::size_t>(packet[0] & 0x0F) * 4;
    if (static_cast<std::size_t>(n) < header + 8 || packet[header] != 8) continue;
    const Bytes icmp(packet + header, packet + n);
    std::uint16_t identifier = 0;
    std::memcpy(&identifier, &icmp[4], 2);
    seen += "[" + std::to_string(icmp.size()) + " bytes, code " + std::to_string(icmp[1]) + ", sequence " +
            std::to_string((icmp[6] << 8) | icmp[7]) + ", checksum " + (LineChecksum(icmp) == 0 ? "right" : "wrong") +
            ", ttl " + std::to_string(packet[8]) +
            (identifier == static_cast<std::uint16_t>(getpid() & 0xFFFF) ? ", identifier of the process" : "") +
            (icmp.size() == 24 ? ", payload " + std::string(icmp.begin() + 12, icmp.end()) : "") + "]";
  }
  return seen;
}

// In the namespace: a listener on 127.0.0.1, then an open of the host with the ping mode at
// log level 1.
std::string OpenWithPing(int mode, const std::string& host, int observer) {
  const LogFolder folder;
  // Non-blocking: accepting afterwards tells whether a connection came, without waiting.
  Fd listener(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener.get(), 4) != 0 ||
      getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return "no listener";
  }
  const std::string port = std::to_string(ntohs(address.sin_port));
  _CloseKommunikation(1);  // nothing open: a known last failure text before the open
  _SetPing(mode);
  _SetParameter(0, 400);
  const int result = _OpenKommNet(ntohs(address.sin_port), host.c_str(), 1);
  const std::string text = _GetLastErrorMessage();
  Fd connection(accept4(listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
  if (result == 1) _CloseKommunikation(1);
  const std::vector<std::string> files = folder.Files();
  const std::string log = files.size() == 1 ? folder.Read(files[0]) : "(" + std::to_string(files.size()) + " logs)";
  const std::string report = "open " + std::to_string(result) +
                             (connection.get() >= 0 ? ", connected" : ", no connection") + "\nrequests " +
                             EchoRequestsSeen(observer) + "\ntext '" + text + "'\n" + log;
  return std::regex_replace(Normalized(report), std::regex(port), "P");
}

constexpr char kHeader[] = "======================\nBeginn: D DLL-Version: V 02.00.05\n";
constexpr char kFooter[] = "\nEnde: D\n======================\n";
constexpr char kOpened[] =
    "T Socket-Port P  von 127.0.0.1 offen\nSchliesse Socket-Port:P, von 127.0.0.1\nEnde: D\n"
    "======================\n";
constexpr char kRequest1[] =
    "[24 bytes, code 0, sequence 0, checksum right, ttl 64, identifier of the process, payload Qiv_DLL Test]";
constexpr char kRequest1Datagram[] = "[24 bytes, code 0, sequence 0, checksum right, ttl 64, payload Qiv_DLL Test]";
constexpr char kRequest2[] = "[8 bytes, code 0, sequence 0, checksum right, ttl 255, identifier of the process]";
constexpr char kRequest2Datagram[] = "[8 bytes, code 0, sequence 0, checksum right, ttl 255]";
constexpr char kNoSocket[] =
    "Fehler (create Socket)The requested address is a broadcast address, but the appropriate flag was not set.";

struct PingCase {
  std::string name;
  NetworkSetup setup;
  int mode;
  std::string expected;
  std::string host = "127.0.0.1";
};

void PrintTo(const PingCase& c, std::ostream* os) { *os << c.name; }

std::string Failed(const std::string& requests, const std::string& reason, const std::string& logged = "",
                   const std::string& host = "127.0.0.1") {
  const std::string text = "Fehler beim Oeffnen der Socketverbindung zum Port P von " + host + " (" + reason + ") ";
  return "open 0, no connection\nrequests " + requests + "\ntext '" + text + "'\n" + kHeader + logged + text + kFooter;
}

std::string Opened(const std::string& requests, const std::string& text, const std::string& logged = "") {
  return "open 1, connected\nrequests " + requests + "\ntext '" + text + "'\n" + kHeader + logged + kOpened;
}

const std::string kAnswer2 = "Ping an 127.0.0.1Antwort von 127.0.0.1: Zeit=N ms, TTL=64 ms\n";

class PingOpen : public ::testing::TestWithParam<PingCase> {};

TEST_P(PingOpen, ConnectsOnlyAfterAnAnswer) {
  const PingCase& c = GetParam();
  const NetworkRun run =
      InPrivateNetwork(c.setup, [&](int observer) { return OpenWithPing(c.mode, c.host, observer); });
  if (!run.ran) GTEST_SKIP() << run.skipped;
  EXPECT_EQ(run.report, c.expected);
}

const NetworkSetup kRaw{};
const NetworkSetup kDatagram{true, true, false};
const NetworkSetup kNeitherSocket{true, false, false};
const NetworkSetup kSilentRaw{false, false, true};
const NetworkSetup kSilentDatagram{false, true, false};
const NetworkSetup kHostUnreachableRaw{true, false, true, 1};
const NetworkSetup kHostUnreachableDatagram{true, true, false, 1};
const NetworkSetup kNetUnreachableRaw{true, false, true, 0};
const NetworkSetup kNetUnreachableDatagram{true, true, false, 0};
const NetworkSetup kProhibitedRaw{true, false, true, 13};
const NetworkSetup kProhibitedDatagram{true, true, false, 13};

// The router's answer as mode 2 logs it.
const std::string kRouterAnswer2 =
    std::string("Ping an ") + kUnreachableHost + "Antwort von " + kRouterAddress + ": Zeit=N ms, TTL=64 ms\n";

INSTANTIATE_TEST_SUITE_P(
    Modes, PingOpen,
    ::testing::Values(
        PingCase{"Mode1Raw", kRaw, 1, Opened(kRequest1, "Antwort von 127.0.0.1 Pingzeit= Nms")},
        PingCase{"Mode1Datagram", kDatagram, 1, Opened(kRequest1Datagram, "Antwort von 127.0.0.1 Pingzeit= Nms")},
        PingCase{"Mode2Raw", kRaw, 2, Opened(kRequest2, " ", kAnswer2)},
        PingCase{"Mode2Datagram", kDatagram, 2, Opened(kRequest2Datagram, " ", kAnswer2)},
        PingCase{"Mode1Silent", kSilentRaw, 1, Failed(kRequest1, "Timeout zu 127.0.0.1 nach N Millisekunden")},
        PingCase{"Mode1SilentDatagram", kSilentDatagram, 1,
                 Failed(kRequest1Datagram, "Timeout zu 127.0.0.1 nach N Millisekunden")},
        PingCase{"Mode2Silent", kSilentRaw, 2,
                 Failed(kRequest2, "Zielhost nicht erreichbar (ping)", "Ping an 127.0.0.1")},
        PingCase{"Mode1NoSocket", kNeitherSocket, 1, Failed("", kNoSocket)},
        PingCase{"Mode2NoSocket", kNeitherSocket, 2, Failed("", kNoSocket, "Ping an 127.0.0.1")},
        // The broadcast address is taken without a name look-up; with no broadcast option the
        // system refuses the request, so nothing goes out.
        PingCase{"Mode2Broadcast", kRaw, 2,
                 Failed("", "Zielhost nicht erreichbar (ping)", "Ping an 255.255.255.255", "255.255.255.255"),
                 "255.255.255.255"},
        // Behind the router: the request goes out to it, not to loopback, so the observer sees
        // none; its answer ends the ping at once. An answer that is no "network" or "host
        // unreachable" is not taken for one.
        PingCase{"Mode1UnreachableRaw", kHostUnreachableRaw, 1,
                 Failed("", "Zielhost nicht erreichbar", "", kUnreachableHost), kUnreachableHost},
        PingCase{"Mode1UnreachableDatagram", kHostUnreachableDatagram, 1,
                 Failed("", "Zielhost nicht erreichbar", "", kUnreachableHost), kUnreachableHost},
        PingCase{"Mode1NetUnreachableDatagram", kNetUnreachableDatagram, 1,
                 Failed("", "Zielhost nicht erreichbar", "", kUnreachableHost), kUnreachableHost},
        PingCase{"Mode2UnreachableRaw", kHostUnreachableRaw, 2,
                 Failed("", "Fehler: IcmpEcho-Status=11003", kRouterAnswer2, kUnreachableHost), kUnreachableHost},
        PingCase{"Mode2UnreachableDatagram", kHostUnreachableDatagram, 2,
                 Failed("", "Fehler: IcmpEcho-Status=11003", kRouterAnswer2, kUnreachableHost), kUnreachableHost},
        PingCase{"Mode2NetUnreachableRaw", kNetUnreachableRaw, 2,
                 Failed("", "Fehler: IcmpEcho-Status=11002", kRouterAnswer2, kUnreachableHost), kUnreachableHost},
        PingCase{"Mode2NetUnreachableDatagram", kNetUnreachableDatagram, 2,
                 Failed("", "Fehler: IcmpEcho-Status=11002", kRouterAnswer2, kUnreachableHost), kUnreachableHost},
        PingCase{
            "Mode1ProhibitedRaw", kProhibitedRaw, 1,
            Failed("", std::string("Timeout zu ") + kUnreachableHost + " nach N Millisekunden", "", kUnreachableHost),
            kUnreachableHost},
        PingCase{
            "Mode1ProhibitedDatagram", kProhibitedDatagram, 1,
            Failed("", std::string("Timeout zu ") + kUnreachableHost + " nach N Millisekunden", "", kUnreachableHost),
            kUnreachableHost},
        // Without the ping even a silent address is connected to, and nothing is sent.
        PingCase{"Mode0", kSilentRaw, 0, Opened("", "keine Schnittstelle offen.\n")}),
    [](const ::testing::TestParamInfo<PingCase>& info) { return info.param.name; });

// --- Opens with a ping on this machine's own network ------------------------------------

bool SomeIcmpSocketOpens() {
  for (const int type : {SOCK_DGRAM, SOCK_RAW}) {
    if (Fd(socket(AF_INET, type | SOCK_CLOEXEC, IPPROTO_ICMP)).get() >= 0) return true;
  }
  return false;
}

TEST(Ping, BothModesReach127001AndConnect) {
  if (!SomeIcmpSocketOpens()) GTEST_SKIP() << "this process may open neither an ICMP datagram nor a raw socket";
  _SetParameter(0, 2000);
  for (const int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    TcpPeer peer([](int) {});
    _SetPing(mode);
    ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 0), 1) << _GetLastErrorMessage();
    EXPECT_EQ(_CloseKommunikation(1), 0);
  }
  _SetPing(0);
}

TEST(Ping, AddressTextsAreCheckedBeforeAnyPacket) {
  // In the private network: a name that is not found is asked of nobody outside this machine.
  struct Case {
    int mode;
    const char* host;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {1, "10.0.0.300", "Fehler in der IPAdresse"},
      {1, "keinsolcherrechnerybr", "Fehler Zielhost nicht gefunden"},
      {2, "keinsolcherrechnerybr.invalid", "Fehler: Adresse 'keinsolcherrechnerybr.invalid' wurde nicht gefunden !"},
  };
  std::string expected;
  for (const Case& c : cases) {
    expected += "open 0: Fehler beim Oeffnen der Socketverbindung zum Port 10001 von " + std::string(c.host) + " (" +
                c.reason + ") \n";
  }
  const NetworkRun run = InPrivateNetwork(kRaw, [&](int observer) {
    std::string report;
    for (const Case& c : cases) {
      _SetPing(c.mode);
      const int result = _OpenKommNet(10001, c.host, 0);
      report += "open " + std::to_string(result) + ": " + _GetLastErrorMessage() + "\n";
    }
    return report + "requests " + EchoRequestsSeen(observer);
  });
  if (!run.ran) GTEST_SKIP() << run.skipped;
  EXPECT_EQ(run.report, expected + "requests ");
}

}  // namespace
}  // namespace kommtest
