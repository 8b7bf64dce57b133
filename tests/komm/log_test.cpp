// The library's dated protocol and debug logs, over both transports, read back from real files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "LinkFixture.h"
#include "LogFolder.h"

namespace kommtest {
namespace {

constexpr char kLine[] = "======================\n";
constexpr char kHeader[] = "======================\nBeginn: D DLL-Version: V 02.00.05\n";
constexpr char kFooter[] = "\nEnde: D\n======================\n";

// Stamps and elapsed times differ from run to run: "T" for a debug time stamp (with its
// trailing blank, so that "%s Zeit" reads "T Zeit" and "%s%s" "TFehler"), "D" for a
// date and time, "N" for milliseconds, "K" for the number of a network interface object.
std::string Normalized(const std::string& text) {
  std::string out = std::regex_replace(text, std::regex(R"(\d\d:\d\d:\d\d\.\d\d\d )"), "T");
  out = std::regex_replace(out, std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)"), "D");
  out = std::regex_replace(out, std::regex(R"(Zeit : \d+)"), "Zeit : N");
  out = std::regex_replace(out, std::regex(R"(Zeit: \d+ms)"), "Zeit: Nms");
  return std::regex_replace(out, std::regex(R"(NetzInterface: \d+)"), "NetzInterface: K");
}

struct Names {
  std::string protocol;
  std::string debug;
};

Names LogNames(Transport transport) {
  const std::string date = LogDate();
  if (transport == Transport::Tcp) return {date + "_YBR_Netz.log", date + "_YBRdeb_n.log"};
  return {date + "_YBR_Ser.log", date + "_YBRdeb_s.log"};
}

// The frame of the tests' request: command 75 without text from 768 to 3, number 5.
constexpr char kRequestDump[] = "<aa> <aa> <03> <00> <00> <03> <05> <4b> <00> <15> <b5> ";

class LogTest : public LinkTest {
 protected:
  // One link at the level: the request, the answer "ok" (command 42), the close.
  void Exchange(int logLevel) {
    ASSERT_NO_FATAL_FAILURE(Open(
        [](int fd) {
          if (!ReadFrameBytes(fd).empty()) WriteAll(fd, Frame(3, 768, 42, "ok"));
        },
        0, logLevel));
    port_ = tcp_ ? tcp_->port() : 0;
    EXPECT_EQ(_SendeTele(type_, 3, 768, 75, "", 5), 0);
    char text[1024] = {};
    int source = 0;
    EXPECT_EQ(_WarteAufTele(type_, &source, 768, text, 1), 42);
    JoinPeer();
    EXPECT_EQ(_CloseKommunikation(type_), 0);
    type_ = 0;
    tcp_.reset();
    pty_.reset();
  }

  std::string OpenLine() const {
    if (GetParam() == Transport::Tcp) return "T Socket-Port " + std::to_string(port_) + "  von 127.0.0.1 offen\n";
    return "Öffne com5 \n";
  }

  std::string ProtocolCloseLine() const {
    if (GetParam() == Transport::Tcp) return "Schliesse Socket-Port:" + std::to_string(port_) + ", von 127.0.0.1\n";
    return "Schliesse Schnittstelle Com:5\n";
  }

  // The protocol log's section of one Exchange.
  std::string ProtocolSection() const {
    return kHeader + OpenLine() +
           "\nKommando: 75 <0x4b> an Steuerung 0x0003 gesendet:\n ''\n"
           "warte auf Telegramm mit 3 Versuchen: \nTelegramm Inhalt 'ok'\n" +
           ProtocolCloseLine() + "Ende: D\n" + kLine;
  }

  // The debug log's section of one Exchange (the serial open writes no line of its own).
  std::string DebugSection() const {
    const std::string open = GetParam() == Transport::Tcp ? OpenLine() : "";
    return kHeader + open +
           "\nT Zeit : N, Kommando: <0x4b> an 3 \n"
           "T Sende Telegramm:\n" +
           kRequestDump +
           "T Bufferlaenge:0 'len' : 7, CRC: 0xb515\n"
           "T Zeit : N Telegramm gesendet. \n"
           "T warte auf Telegramm von 0 an 768 mit 3 Versuchen: \n"
           "T Zeit : N, Telegramm lesen:\n"
           "T Startkennung,  Anzahl (0xAA):2, TimeOut: nein\n"
           "T Frame, Anzahl :6, TimeOut: nein \n"
           "T Frame:  <0x00> <0x03> <0x03> <0x00> <0x01> <0x2a>TimeOut: nein\n"
           "\nT Daten fertig: 3 (9), Timeout:nein\n"
           "<0x6f><0x6b><0x00>\n"
           "\nT Zeit : N Telegramm Inhalt: 'ok' 3 Bytes\n"
           "T Telegramm (0x2a) von  Steuerung 3 erhalten\n\n"
           "T Zeit: Nms, " +
           ProtocolCloseLine() + "Ende: D\n" + kLine;
  }

  int port_ = 0;
};

TEST_P(LogTest, TheLevelDecidesWhichLogsAreWritten) {
  const Names names = LogNames(GetParam());
  const std::vector<std::pair<int, std::vector<std::string>>> levels = {
      {0, {}}, {1, {names.protocol}}, {2, {names.protocol, names.debug}}, {3, {names.protocol, names.debug}}, {4, {}}};
  for (const auto& [level, files] : levels) {
    SCOPED_TRACE(level);
    LogFolder folder;
    ASSERT_TRUE(folder.accepted());
    ASSERT_NO_FATAL_FAILURE(Exchange(level));
    EXPECT_EQ(folder.Files(), files);
    for (const std::string& file : files) EXPECT_EQ(Normalized(folder.Read(file)).rfind(kHeader, 0), 0U) << file;
  }
}

TEST_P(LogTest, EachOpenAppendsItsSectionToTheDatedFiles) {
  LogFolder folder;
  ASSERT_NO_FATAL_FAILURE(Exchange(3));
  const std::string protocol = ProtocolSection();
  const std::string debug = DebugSection();
  ASSERT_NO_FATAL_FAILURE(Exchange(3));
  const Names names = LogNames(GetParam());
  EXPECT_EQ(Normalized(folder.Read(names.protocol)), protocol + ProtocolSection());
  EXPECT_EQ(Normalized(folder.Read(names.debug)), debug + DebugSection());
}

TEST_P(LogTest, NothingIsWrittenAfterTheClose) {
  LogFolder folder;
  ASSERT_NO_FATAL_FAILURE(Exchange(3));
  const Names names = LogNames(GetParam());
  const std::string protocol = folder.Read(names.protocol);
  const std::string debug = folder.Read(names.debug);
  _SetParameter(0, 100);
  EXPECT_EQ(_SendeTele(1, 3, 768, 75, "", 5), -1);
  EXPECT_EQ(_WarteAufTele(1, nullptr, 768, nullptr, 1), 0);
  EXPECT_EQ(_CloseKommunikation(GetParam() == Transport::Tcp ? 1 : 2), -1);
  _SetParameter(0, 2000);
  EXPECT_EQ(folder.Read(names.protocol), protocol);
  EXPECT_EQ(folder.Read(names.debug), debug);
}

TEST_P(LogTest, EveryEndOfAReadAttemptIsLogged) {
  // Attempt 1 gets a frame cut after 4 header bytes, attempt 2 a frame with its CRC bytes
  // reversed, attempt 3 nothing at all.
  Bytes reversed = Frame(3, 768, 42, "ok");
  std::swap(reversed[reversed.size() - 1], reversed[reversed.size() - 2]);
  LogFolder folder;
  _SetParameter(0, 1000);
  ASSERT_NO_FATAL_FAILURE(Open(
      [&](int fd) {
        if (ReadFrameBytes(fd).empty()) return;
        WriteAll(fd, {0xAA, 0xAA, 0x00, 0x03, 0x03, 0x00});
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        WriteAll(fd, reversed);
      },
      0, 3));
  ASSERT_EQ(_SendeTele(type_, 3, 768, 75, "", 5), 0);
  EXPECT_EQ(_WarteAufTele(type_, nullptr, 768, nullptr, 3), 0);
  JoinPeer();
  EXPECT_EQ(_CloseKommunikation(type_), 0);
  type_ = 0;
  _SetParameter(0, 2000);

  const Names names = LogNames(GetParam());
  const std::string protocol = Normalized(folder.Read(names.protocol));
  EXPECT_NE(protocol.find("warte auf Telegramm mit 3 Versuchen: . CRC falsch! \n. . beendet nach 3 Versuchen\n"),
            std::string::npos)
      << protocol;
  char crcLine[80];
  std::snprintf(crcLine, sizeof crcLine, "T CRC falsch! gelesen: %02x%02x berechnet: %02x%02x\n",
                reversed[reversed.size() - 1], reversed[reversed.size() - 2], reversed[reversed.size() - 2],
                reversed[reversed.size() - 1]);
  const std::string debug = Normalized(folder.Read(names.debug));
  const std::string expected = std::string("T Zeit : N, Telegramm lesen:\n") +
                               "T Startkennung,  Anzahl (0xAA):2, TimeOut: nein\n"
                               "T Frame, Anzahl :4, TimeOut: Byte \n"
                               "\nT Zeit : N, Telegramm lesen:\n"
                               "T Startkennung,  Anzahl (0xAA):2, TimeOut: nein\n"
                               "T Frame, Anzahl :6, TimeOut: nein \n"
                               "T Frame:  <0x00> <0x03> <0x03> <0x00> <0x01> <0x2a>TimeOut: nein\n"
                               "\nT Daten fertig: 3 (9), Timeout:nein\n"
                               "<0x6f><0x6b><0x00>\n" +
                               crcLine +
                               "\nT Zeit : N, Telegramm lesen:\n"
                               "T Startkennung,  Anzahl (0xAA):0, TimeOut: ja\n"
                               "T Zeit: Nms, ";
  EXPECT_NE(debug.find(expected), std::string::npos) << debug;
}

TEST_P(LogTest, HeadersOpenResultsAndSendLinesStandInTheFilesWhileTheLinkIsOpen) {
  LogFolder folder;
  ASSERT_NO_FATAL_FAILURE(Open([](int fd) { ReadFrameBytes(fd); }, 0, 3));
  port_ = tcp_ ? tcp_->port() : 0;
  const Names names = LogNames(GetParam());
  const std::string open = GetParam() == Transport::Tcp ? OpenLine() : "";
  EXPECT_EQ(Normalized(folder.Read(names.protocol)), kHeader + OpenLine());
  EXPECT_EQ(Normalized(folder.Read(names.debug)), kHeader + open);
  ASSERT_EQ(_SendeTele(type_, 3, 768, 75, "", 5), 0);
  EXPECT_EQ(Normalized(folder.Read(names.debug)), kHeader + open +
                                                      "\nT Zeit : N, Kommando: <0x4b> an 3 \n"
                                                      "T Sende Telegramm:\n" +
                                                      kRequestDump +
                                                      "T Bufferlaenge:0 'len' : 7, CRC: 0xb515\n"
                                                      "T Zeit : N Telegramm gesendet. \n");
  JoinPeer();
}

// Every line reaches its file as it is written: a user can watch a link as it runs.
TEST_P(LogTest, EveryLineStandsInTheFilesWhileTheLinkIsOpen) {
  LogFolder folder;
  ASSERT_NO_FATAL_FAILURE(Open(
      [](int fd) {
        if (!ReadFrameBytes(fd).empty()) WriteAll(fd, Frame(3, 768, 42, "ok"));
      },
      0, 3));
  port_ = tcp_ ? tcp_->port() : 0;
  ASSERT_EQ(_SendeTele(type_, 3, 768, 75, "", 5), 0);
  ASSERT_EQ(_WarteAufTele(type_, nullptr, 768, nullptr, 1), 42);
  JoinPeer();
  const Names names = LogNames(GetParam());
  const std::string protocol = ProtocolSection();
  const std::string debug = DebugSection();
  const std::string protocolClose = ProtocolCloseLine() + "Ende: D\n" + kLine;
  const std::string debugClose = "T Zeit: Nms, " + protocolClose;
  EXPECT_EQ(Normalized(folder.Read(names.protocol)), protocol.substr(0, protocol.size() - protocolClose.size()));
  EXPECT_EQ(Normalized(folder.Read(names.debug)), debug.substr(0, debug.size() - debugClose.size()));
}

// A named pipe in place of a log is refused (nothing is written into it, so a pipe nobody
// reads never blocks the link); a character device such as /dev/null serves as a log.
TEST_P(LogTest, ANamedPipeIsNoLogAndACharacterDeviceIs) {
  LogFolder folder;
  const Names names = LogNames(GetParam());
  ASSERT_EQ(mkfifo(folder.Path(names.protocol).c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/null", folder.Path(names.debug));
  const int reader = open(folder.Path(names.protocol).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  const auto nullDescriptors = [] {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code error;
      if (std::filesystem::read_symlink(entry.path(), error) == "/dev/null") ++count;
    }
    return count;
  };
  const int before = nullDescriptors();
  ASSERT_NO_FATAL_FAILURE(Open([](int fd) { ReadFrameBytes(fd); }, 0, 3));
  EXPECT_EQ(nullDescriptors(), before + 1);  // the debug log
  EXPECT_EQ(_SendeTele(type_, 3, 768, 75, "", 5), 0);
  char byte = 0;
  EXPECT_LE(read(reader, &byte, 1), 0);
  JoinPeer();
  EXPECT_EQ(_CloseKommunikation(type_), 0);
  type_ = 0;
  close(reader);
  EXPECT_TRUE(std::filesystem::is_fifo(folder.Path(names.protocol)));
}

TEST_P(LogTest, TheLogFilesAreClosedOnExec) {
  // A program that the caller starts while the link is open inherits no log file.
  LogFolder folder;
  ASSERT_NO_FATAL_FAILURE(Open([](int) {}, 0, 3));
  const Names names = LogNames(GetParam());
  std::vector<std::string> logs;  // each open log file with what an exec does to it
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::string name = std::filesystem::read_symlink(entry.path(), error).filename().string();
    if (error || (name != names.protocol && name != names.debug)) continue;
    const int flags = fcntl(std::stoi(entry.path().filename().string()), F_GETFD);
    logs.push_back(name + ((flags & FD_CLOEXEC) != 0 ? ": closed on exec" : ": inherited"));
  }
  std::sort(logs.begin(), logs.end());
  EXPECT_EQ(logs, (std::vector<std::string>{names.protocol + ": closed on exec", names.debug + ": closed on exec"}));
}

TEST_P(LogTest, ANetworkOpenOverAnOpenLinkClosesItsSectionFirst) {
  LogFolder folder;
  ASSERT_NO_FATAL_FAILURE(Open([](int) {}, 0, 3));
  const int first = tcp_ ? tcp_->port() : 0;
  TcpPeer second([](int) {});
  const int result = _OpenKommNet(second.port(), "127.0.0.1", 3);
  const std::string secondOpen = "T Socket-Port " + std::to_string(second.port()) + "  von 127.0.0.1 offen\n";
  const std::string secondClose = "Schliesse Socket-Port:" + std::to_string(second.port()) + ", von 127.0.0.1\n";
  if (GetParam() == Transport::Tcp) {
    EXPECT_EQ(result, 1);
    EXPECT_EQ(_CloseKommunikation(1), 0);
  } else {
    // The close for the network type finds no network link: the serial link ends with that
    // failure in its own logs, and the new open fails in a section of its own.
    EXPECT_EQ(result, 0);
  }
  type_ = 0;
  const Names serial = LogNames(Transport::Serial);
  const Names netz = LogNames(Transport::Tcp);
  const std::string reopen = "Schnittstelle bereits offen, versuche neu zu öffnen...\n";
  const std::string reopenDebug = "Schnittstelle (NetzInterface: K) bereits offen, versuche neu zu öffnen...\n";
  if (GetParam() == Transport::Tcp) {
    EXPECT_EQ(Normalized(folder.Read(netz.protocol)),
              kHeader + ("T Socket-Port " + std::to_string(first) + "  von 127.0.0.1 offen\n") + reopen +
                  "Schliesse Socket-Port:" + std::to_string(first) + ", von 127.0.0.1\nEnde: D\n" + kLine + kHeader +
                  secondOpen + secondClose + "Ende: D\n" + kLine);
    EXPECT_EQ(Normalized(folder.Read(netz.debug)),
              kHeader + ("T Socket-Port " + std::to_string(first) + "  von 127.0.0.1 offen\n") + reopenDebug +
                  "T Zeit: Nms, Schliesse Socket-Port:" + std::to_string(first) + ", von 127.0.0.1\nEnde: D\n" + kLine +
                  kHeader + secondOpen + "T Zeit: Nms, " + secondClose + "Ende: D\n" + kLine);
  } else {
    const std::string failure = "Schnittstelle ist bereits offen, Fehler beim schliessen der Schnittstelle \n";
    EXPECT_EQ(Normalized(folder.Read(serial.protocol)),
              kHeader + std::string("Öffne com5 \n") + reopen +
                  "Fehler Klasse fuer Schnittstelle(Netz) existiert nicht(NULL)\n");
    EXPECT_EQ(Normalized(folder.Read(serial.debug)),
              kHeader + reopenDebug + "T Fehler Klasse fuer Schnittstelle(Netz) existiert nicht(NULL)\n" + kLine);
    EXPECT_EQ(Normalized(folder.Read(netz.protocol)), kHeader + ("Fehler: " + failure + " ") + kFooter);
    EXPECT_EQ(Normalized(folder.Read(netz.debug)),
              kHeader + ("T " + failure) + "T Loesche (NetzInterface: K)\n" + kFooter);
  }
}

INSTANTIATE_TEST_SUITE_P(Transports, LogTest, ::testing::Values(Transport::Tcp, Transport::Serial), TransportName);

TEST(Logs, ARefusedSecondOpenLeavesTheOpenLinksLogsAlone) {
  LogFolder folder;
  PtyPeer pty(kTestComPort);
  ASSERT_EQ(_OpenKommSer(kTestComPort, 9600, 0, 3), 2);
  EXPECT_EQ(_OpenKommSer(kTestComPort, 9600, 0, 3), 0);
  EXPECT_EQ(_OpenKommSer(100, 9600, 0, 3), 0);
  EXPECT_EQ(_CloseKommunikation(2), 0);
  const Names names = LogNames(Transport::Serial);
  EXPECT_EQ(Normalized(folder.Read(names.protocol)),
            kHeader + std::string("Öffne com5 \nSchliesse Schnittstelle Com:5\nEnde: D\n") + kLine);
  EXPECT_EQ(Normalized(folder.Read(names.debug)),
            kHeader + std::string("T Zeit: Nms, Schliesse Schnittstelle Com:5\nEnde: D\n") + kLine);
}

TEST(Logs, ACloseOfAnyTypeEndsTheOpenLinksSection) {
  // Every close releases the open link; a type that names no link writes the open link's
  // closing lines, the other link's type its failure line.
  const std::vector<std::pair<int, std::string>> cases = {
      {1, "Schliesse Socket-Port:P, von 127.0.0.1\nEnde: D\n======================\n"},
      {0, "Schliesse Socket-Port:P, von 127.0.0.1\nEnde: D\n======================\n"},
      {9, "Schliesse Socket-Port:P, von 127.0.0.1\nEnde: D\n======================\n"},
      {2, "Fehler Klasse fuer serielle Schnittstelle existiert nicht(NULL)\n"},
  };
  for (const auto& [type, closing] : cases) {
    SCOPED_TRACE(type);
    LogFolder folder;
    TcpPeer peer([](int) {});
    ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 1), 1);
    _CloseKommunikation(type);
    EXPECT_EQ(_CloseKommunikation(1), -1);  // nothing open, nothing written
    const std::string port = std::to_string(peer.port());
    EXPECT_EQ(std::regex_replace(Normalized(folder.Read(LogNames(Transport::Tcp).protocol)), std::regex(port), "P"),
              kHeader + std::string("T Socket-Port P  von 127.0.0.1 offen\n") + closing);
  }
}

TEST(Logs, AFailedOpenWritesHeaderFailureAndFooter) {
  const std::string portText = "ungültiger Port!\nPort<0 oder Port>99? \n";
  const int refused = RefusedPort();
  const std::string netText = "Fehler beim Oeffnen der Socketverbindung zum Port " + std::to_string(refused) +
                              " von 127.0.0.1 (Fehler Verbindung nicht hergestellt. ) ";
  struct Case {
    std::function<int()> open;
    Transport transport;
    std::string protocol;
    std::string debug;
  };
  const std::vector<Case> cases = {
      {[] { return _OpenKommSer(100, 9600, 0, 3); }, Transport::Serial, "Fehler: " + portText + " ", portText},
      {[refused] { return _OpenKommNet(refused, "127.0.0.1", 3); }, Transport::Tcp, netText,
       "T" + netText + "T Loesche (NetzInterface: K)\n"},
  };
  for (const Case& c : cases) {
    LogFolder folder;
    EXPECT_EQ(c.open(), 0);
    const Names names = LogNames(c.transport);
    EXPECT_EQ(Normalized(folder.Read(names.protocol)), kHeader + c.protocol + kFooter);
    EXPECT_EQ(Normalized(folder.Read(names.debug)), kHeader + c.debug + kFooter);
  }
}

TEST(Logs, AHostTextIsWrittenAsItStands) {
  LogFolder folder;
  EXPECT_EQ(_OpenKommNet(10001, "%n%s%x", 3), 0);
  const std::string failure =
      "Fehler beim Oeffnen der Socketverbindung zum Port 10001 von %n%s%x (Fehler Zielhost nicht gefunden) ";
  const Names names = LogNames(Transport::Tcp);
  EXPECT_EQ(Normalized(folder.Read(names.protocol)), kHeader + failure + kFooter);
  EXPECT_EQ(Normalized(folder.Read(names.debug)),
            kHeader + ("T" + failure) + "T Loesche (NetzInterface: K)\n" + kFooter);
}

TEST(Logs, TheFolderIsUsedWithAndWithoutItsSeparator) {
  for (const bool withSeparator : {false, true}) {
    LogFolder folder(withSeparator);
    ASSERT_TRUE(folder.accepted());
    EXPECT_EQ(_OpenKommSer(100, 9600, 0, 1), 0);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{LogNames(Transport::Serial).protocol}) << withSeparator;
  }
}

TEST(Logs, AFolderOfOneCharacterIsUsed) {
  TempOrdner work;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(work.Pfad());
  std::filesystem::create_directory("l");
  EXPECT_EQ(_SetLogDirectory("l"), 0);
  EXPECT_EQ(_OpenKommSer(100, 9600, 0, 1), 0);
  std::filesystem::current_path(previous);
  _SetLogDirectory("");  // refused: no folder, as before the test
  EXPECT_EQ(Inhalt(work / "l"), std::vector<std::string>{LogNames(Transport::Serial).protocol});
}

}  // namespace
}  // namespace kommtest
