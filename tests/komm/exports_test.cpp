// The library's state, results and texts at its ten exports, without and with a link.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "KommTestPeer.h"
#include "LogFolder.h"
#include "PrivateNetwork.h"
#include "YBR_KOMM.h"
#include "common/TempOrdner.h"

namespace kommtest {
namespace {

// A fresh process has no failure to report yet; the library cannot be brought back to that
// state, so the case asks it in a test program started anew for it (the threadsafe style).
TEST(Exports, LastErrorBeforeAnyFailure) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::fputs(_GetLastErrorMessage(), stderr);
        std::_Exit(0);
      },
      testing::ExitedWithCode(0), "^kein Fehler angegeben$");
}

TEST(Exports, OnlyTheTenFunctionsAreExported) {
  const std::string command = "nm -D --defined-only " YBR_BIN_DIR "/libYBR_KOMM.so";
  std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
    std::string text(line);
    const auto blank = text.find_last_of(' ');
    names.insert(text.substr(blank + 1, text.find_last_not_of("\n") - blank));
  }
  const std::set<std::string> expected = {
      "_OpenKommSer",  "_OpenKommNet",     "_SendeTele",           "_WarteAufTele", "_CloseKommunikation",
      "_SetParameter", "_SetLogDirectory", "_GetLastErrorMessage", "_SetPing",      "_GetDLLVersion"};
  EXPECT_EQ(names, expected);
}

TEST(Exports, VersionPingAndParameter) {
  EXPECT_STREQ(_GetDLLVersion(), "V 02.00.05");
  const std::vector<std::pair<int, int>> ping = {
      {0, -2}, {1, 0}, {2, 0}, {3, 1}, {-5, -7}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX - 2}};
  for (const auto& [mode, result] : ping) EXPECT_EQ(_SetPing(mode), result) << mode;
  for (int value : {0, 350, 2000, -40}) EXPECT_EQ(_SetParameter(0, value), value);
}

TEST(Exports, LogDirectoryMustExist) {
  const TempOrdner ordner;
  const std::string dir = ordner.Pfad().substr(0, ordner.Pfad().size() - 1);  // without its "/"
  EXPECT_EQ(_SetLogDirectory(dir.c_str()), 0);
  const std::string missing = dir + "/fehlt";
  EXPECT_EQ(_SetLogDirectory(missing.c_str()), -1);
  EXPECT_EQ(std::string(_GetLastErrorMessage()), "Directory existiert nicht: '" + missing + "'!");
  const std::string file = dir + "/datei";
  std::ofstream(file) << "x";
  EXPECT_EQ(_SetLogDirectory(file.c_str()), -1);
  EXPECT_EQ(_SetLogDirectory(nullptr), -1);
  EXPECT_STREQ(_GetLastErrorMessage(), "Directory existiert nicht: ''!");
}

TEST(Exports, CloseWithoutLink) {
  for (int type : {0, 1, 2, 7}) {
    EXPECT_EQ(_CloseKommunikation(type), -1);
    EXPECT_STREQ(_GetLastErrorMessage(), "keine Schnittstelle offen.\n");
  }
}

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A wait that cannot read anything runs its attempts out without keeping a core busy.
void ExpectIdleFruitlessWait() {
  _SetParameter(0, 150);
  int source = -3;
  char text[1024] = "unverändert";
  const double cpu = CpuSeconds();
  const double wall = WallSeconds();
  EXPECT_EQ(_WarteAufTele(1, &source, 768, text, 0), 0);
  const double waited = WallSeconds() - wall;
  EXPECT_GE(waited, 3 * 0.150);
  EXPECT_LT(CpuSeconds() - cpu, waited / 2);
  EXPECT_EQ(source, -3);
  EXPECT_STREQ(text, "unverändert");
}

TEST(Exports, SendAndWaitWithoutLink) {
  EXPECT_EQ(_SendeTele(1, 3, 768, 1, "x", 1), -1);
  ExpectIdleFruitlessWait();
}

TEST(Exports, WaitAfterThePeerClosed) {
  TcpPeer peer([](int fd) { shutdown(fd, SHUT_RDWR); });
  ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 0), 1);
  peer.Join();
  ExpectIdleFruitlessWait();
  EXPECT_EQ(_CloseKommunikation(1), 0);
}

TEST(Exports, ConnectIsBoundedAtFiveSeconds) {
  // A listener whose queue is full takes no further connection: the connect would hang.
  Fd listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener.get(), 0), 0);
  ASSERT_EQ(getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &length), 0);
  Fd queued(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  ASSERT_EQ(connect(queued.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const int port = ntohs(address.sin_port);
  const double start = WallSeconds();
  EXPECT_EQ(_OpenKommNet(port, "127.0.0.1", 0), 0);
  EXPECT_GE(WallSeconds() - start, 4.9);
  EXPECT_EQ(std::string(_GetLastErrorMessage()), "Fehler beim Oeffnen der Socketverbindung zum Port " +
                                                     std::to_string(port) +
                                                     " von 127.0.0.1 (Fehler Verbindung nicht hergestellt. ) ");
}

struct FailedOpen {
  std::string name;
  std::function<int()> open;
  std::string lastError;
};

// Each kind of failed open, with its exact last-error text. The serial devices are set up
// by the caller through YBR_KOMM_COM<n>.
std::vector<FailedOpen> FailedOpens(const std::string& dir) {
  const int refused = RefusedPort();
  const std::string net = "Fehler beim Oeffnen der Socketverbindung zum Port ";
  setenv("YBR_KOMM_COM7", (dir + "/fehlt").c_str(), 1);
  setenv("YBR_KOMM_COM8", (dir + "/keinport").c_str(), 1);
  std::ofstream(dir + "/keinport") << "kein Terminal";
  return {
      {"PortAbove99", [] { return _OpenKommSer(100, 9600, 0, 0); }, "ungültiger Port!\nPort<0 oder Port>99? \n"},
      {"NegativePort", [] { return _OpenKommSer(-1, 9600, 0, 2); }, "ungültiger Port!\nPort<0 oder Port>99? \n"},
      {"PortZero",
       [] {
         unsetenv("YBR_KOMM_COM0");
         return _OpenKommSer(0, 9600, 0, 0);
       },
       "Fehler beim Öffnen der Schnittstelle com0\n"},
      {"PortAbove32", [] { return _OpenKommSer(33, 9600, 0, 0); }, "Fehler beim Öffnen der Schnittstelle com33\n"},
      {"MissingDevice", [] { return _OpenKommSer(7, 9600, 0, 0); }, "Fehler beim Öffnen der Schnittstelle com7\n"},
      {"NotASerialLine", [] { return _OpenKommSer(8, 9600, 0, 3); }, "Fehler beim Öffnen der Schnittstelle com8\n"},
      {"BadAddress", [] { return _OpenKommNet(10001, "10.0.0.300", 0); },
       net + "10001 von 10.0.0.300 (Fehler in der IPAdresse) "},
      {"NoHost", [] { return _OpenKommNet(10001, nullptr, 0); }, net + "10001 von  (Fehler Zielhost nicht gefunden) "},
      {"Refused", [refused] { return _OpenKommNet(refused, "127.0.0.1", 0); },
       net + std::to_string(refused) + " von 127.0.0.1 (Fehler Verbindung nicht hergestellt. ) "},
      {"PortZero", [] { return _OpenKommNet(0, "127.0.0.1", 0); },
       net + "0 von 127.0.0.1 (Fehler Verbindung nicht hergestellt. ) "},
      {"PortAbove65535", [] { return _OpenKommNet(65536 + 80, "127.0.0.1", 3); },
       net + "65616 von 127.0.0.1 (Fehler Verbindung nicht hergestellt. ) "},
  };
}

TEST(Exports, FailedOpensSayWhyAndLeakNoDescriptor) {
  const LogFolder logs;
  const TempOrdner ordner;
  const std::string dir = ordner.Pfad().substr(0, ordner.Pfad().size() - 1);  // without its "/"
  for (const FailedOpen& c : FailedOpens(dir)) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.open(), 0);
    EXPECT_EQ(std::string(_GetLastErrorMessage()), c.lastError);
    const int before = OpenDescriptorCount();
    for (int i = 0; i < 50; ++i) c.open();
    EXPECT_EQ(OpenDescriptorCount(), before);
    EXPECT_EQ(_CloseKommunikation(1), -1);  // nothing is open after a failed open
  }
}

TEST(Exports, NoSocketSaysWhy) {
  // With every further descriptor number refused, no socket can be made.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &old), 0);
  const int lowestFree = open("/dev/null", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(lowestFree, 0);
  close(lowestFree);
  rlimit low = old;
  low.rlim_cur = static_cast<rlim_t>(lowestFree);
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
  const int result = _OpenKommNet(10001, "127.0.0.1", 0);
  const std::string text = _GetLastErrorMessage();
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &old), 0);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(text,
            "Fehler beim Oeffnen der Socketverbindung zum Port 10001 von 127.0.0.1 "
            "(Fehler beim Erzeugen der Socketverbindungunknown error(10024).) ");
}

TEST(Exports, NameWithoutDotIsLookedUp) {
  // In the private network: the name that is not found is asked of nobody outside this machine.
  const NetworkRun run = InPrivateNetwork({}, [](int) {
    TcpPeer peer([](int) {});
    std::string report = "localhost " + std::to_string(_OpenKommNet(peer.port(), "localhost", 0)) + "\n";
    _CloseKommunikation(1);
    report += "unknown " + std::to_string(_OpenKommNet(10001, "keinsolcherrechnerybr", 0)) + ": ";
    return report + _GetLastErrorMessage();
  });
  if (!run.ran) GTEST_SKIP() << run.skipped;
  EXPECT_EQ(run.report,
            "localhost 1\nunknown 0: Fehler beim Oeffnen der Socketverbindung zum Port 10001 von "
            "keinsolcherrechnerybr (Fehler Zielhost nicht gefunden) ");
}

// True when the far end of the peer's connection has been closed by the library.
bool PeerSeesEnd(int fd) {
  std::uint8_t byte = 0;
  return ReadAvailable(fd, 3000).empty() && ::read(fd, &byte, 1) == 0;
}

TEST(Exports, CloseOfAnyTypeReleasesTheOpenLink) {
  struct Case {
    int type;
    int result;
  };
  // The wrong type fails, but its text belongs to the logs: the last failure text stays.
  const std::vector<Case> cases = {{1, 0}, {0, 0}, {9, 0}, {2, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    bool ended = false;
    TcpPeer peer([&](int fd) { ended = PeerSeesEnd(fd); });
    ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 0), 1);
    const std::string before = _GetLastErrorMessage();
    EXPECT_EQ(_CloseKommunikation(c.type), c.result);
    EXPECT_EQ(std::string(_GetLastErrorMessage()), before);
    peer.Join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(_SendeTele(1, 3, 768, 1, "", 1), -1);
    EXPECT_EQ(_CloseKommunikation(1), -1);
  }
}

TEST(Exports, SecondSerialOpenLeavesTheLinkWorking) {
  _SetParameter(0, 300);
  TcpPeer peer([](int fd) {
    ASSERT_FALSE(ReadFrameBytes(fd).empty());
    WriteAll(fd, Frame(3, 768, 42, "noch da"));
  });
  ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 0), 1);
  PtyPeer pty(6);
  EXPECT_EQ(_OpenKommSer(6, 9600, 0, 0), 0);
  EXPECT_STREQ(_GetLastErrorMessage(), "Schnittstelle ist bereits offen\n");
  EXPECT_EQ(_OpenKommSer(100, 9600, 0, 0), 0);
  ASSERT_EQ(_SendeTele(1, 3, 768, 1, "x", 1), 0);
  char text[1024] = {};
  int source = 0;
  EXPECT_EQ(_WarteAufTele(1, &source, 768, text, 1), 42);
  EXPECT_STREQ(text, "noch da");
  EXPECT_EQ(_CloseKommunikation(1), 0);
}

TEST(Exports, NetworkOpenOverAnOpenNetworkLinkClosesItFirst) {
  bool firstEnded = false;
  TcpPeer first([&](int fd) { firstEnded = PeerSeesEnd(fd); });
  TcpPeer second([](int) {});
  ASSERT_EQ(_OpenKommNet(first.port(), "127.0.0.1", 0), 1);
  EXPECT_EQ(_OpenKommNet(second.port(), "127.0.0.1", 0), 1);
  first.Join();
  EXPECT_TRUE(firstEnded);
  EXPECT_EQ(_CloseKommunikation(1), 0);
}

TEST(Exports, NetworkOpenOverASerialLinkFailsAndReleasesThePort) {
  PtyPeer pty(6);
  TcpPeer peer([](int) {});
  ASSERT_EQ(_OpenKommSer(6, 9600, 0, 0), 2);
  EXPECT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 0), 0);
  EXPECT_STREQ(_GetLastErrorMessage(), "Schnittstelle ist bereits offen, Fehler beim schliessen der Schnittstelle \n");
  EXPECT_EQ(_CloseKommunikation(2), -1);  // nothing open any more
  // The port is free again: another user may hold it.
  Fd other(open(pty.slaveName().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
  EXPECT_EQ(flock(other.get(), LOCK_EX | LOCK_NB), 0);
  // The connection was never made; the peer is released by a short connect of its own.
  ASSERT_EQ(_OpenKommNet(peer.port(), "127.0.0.1", 0), 1);
  EXPECT_EQ(_CloseKommunikation(1), 0);
}

}  // namespace
}  // namespace kommtest
