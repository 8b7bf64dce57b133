// The serial transport over a pseudo-terminal: line settings, exclusive use, RTS mode.
#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "KommTestPeer.h"
#include "YBR_KOMM.h"

namespace kommtest {
namespace {

constexpr int kCom = 4;

class SerialTest : public ::testing::Test {
 protected:
  void SetUp() override { _SetParameter(0, 200); }
  void TearDown() override { _CloseKommunikation(2); }
  PtyPeer pty_{kCom};
};

TEST_F(SerialTest, LineIsRaw8N1WithoutFlowControl) {
  const std::vector<std::pair<int, speed_t>> rates = {{9600, B9600}, {19200, B19200}, {115200, B115200}};
  for (const auto& [baud, speed] : rates) {
    SCOPED_TRACE(baud);
    ASSERT_EQ(_OpenKommSer(kCom, baud, 0, 0), 2) << _GetLastErrorMessage();
    termios tio{};
    ASSERT_EQ(tcgetattr(pty_.master(), &tio), 0);  // the master side reports the slave's settings
    EXPECT_EQ(cfgetospeed(&tio), speed);
    EXPECT_EQ(cfgetispeed(&tio), speed);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0U);
    EXPECT_NE(tio.c_cflag & CREAD, 0U);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0U);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP | INPCK | BRKINT), 0U);
    EXPECT_EQ(tio.c_oflag & OPOST, 0U);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN), 0U);
    EXPECT_EQ(_CloseKommunikation(2), 0);
  }
}

TEST_F(SerialTest, OpenDiscardsWhatStoodOnTheLine) {
  termios raw{};
  ASSERT_EQ(tcgetattr(pty_.master(), &raw), 0);
  cfmakeraw(&raw);
  ASSERT_EQ(tcsetattr(pty_.master(), TCSANOW, &raw), 0);
  // A reply that came before the open is not taken for the answer to a later request.
  WriteAll(pty_.master(), Frame(3, 768, 22, "alt"));
  ASSERT_EQ(_OpenKommSer(kCom, 9600, 0, 0), 2);
  char text[1024] = "leer";
  int source = -1;
  EXPECT_EQ(_WarteAufTele(2, &source, 768, text, 0), 0);
  EXPECT_STREQ(text, "leer");
  EXPECT_EQ(source, -1);
}

TEST_F(SerialTest, PortIsHeldExclusivelyUntilTheClose) {
  ASSERT_EQ(_OpenKommSer(kCom, 9600, 0, 0), 2);
  {
    Fd other(open(pty_.slaveName().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    // The exclusive mode keeps other opens out (a privileged process may still open it);
    // the lock keeps out every other user that asks for it.
    if (other.get() >= 0)
      EXPECT_NE(flock(other.get(), LOCK_EX | LOCK_NB), 0);
    else
      EXPECT_EQ(errno, EBUSY);
  }
  ASSERT_EQ(_CloseKommunikation(2), 0);
  Fd other(open(pty_.slaveName().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  ASSERT_GE(other.get(), 0);
  EXPECT_EQ(flock(other.get(), LOCK_EX | LOCK_NB), 0);
}

TEST_F(SerialTest, PortInUseElsewhereCannotBeOpened) {
  Fd other(open(pty_.slaveName().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
  ASSERT_EQ(flock(other.get(), LOCK_EX | LOCK_NB), 0);
  const int before = OpenDescriptorCount();
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(_OpenKommSer(kCom, 9600, 0, 0), 0);
    EXPECT_STREQ(_GetLastErrorMessage(), "Fehler beim Öffnen der Schnittstelle com4\n");
  }
  EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST_F(SerialTest, RtsModeDropsTheEchoOfTheOwnBytes) {
  ASSERT_EQ(_OpenKommSer(kCom, 9600, 1, 0), 2);
  // The request is addressed to the own address, so an echo that stayed would be accepted.
  const Bytes request = Frame(768, 768, 11, "echo?");
  pty_.Run([&](int fd) {
    // A half-duplex converter hands back every byte at once, as it goes out.
    Bytes got;
    komm::FrameReader reader;
    std::uint8_t byte = 0;
    while (ReadByte(fd, byte, 3000)) {
      got.push_back(byte);
      WriteAll(fd, {byte});
      if (reader.Feed(byte) != komm::FrameReader::Result::NeedMore) break;
    }
    EXPECT_EQ(got, request);
    WriteAll(fd, Frame(3, 768, 22, "Antwort"));
  });
  ASSERT_EQ(_SendeTele(2, 768, 768, 11, "echo?", 1), 0);
  char text[1024] = {};
  int source = 0;
  EXPECT_EQ(_WarteAufTele(2, &source, 768, text, 2), 22);
  EXPECT_STREQ(text, "Antwort");
  EXPECT_EQ(source, 3);
}

TEST_F(SerialTest, RtsModeWithoutEchoStillReportsTheWrite) {
  ASSERT_EQ(_OpenKommSer(kCom, 9600, 1, 0), 2);
  Bytes got;
  pty_.Run([&](int fd) { got = ReadFrameBytes(fd); });
  EXPECT_EQ(_SendeTele(2, 3, 768, 1, "ohne Echo", 1), 0);
  pty_.Join();
  EXPECT_EQ(got, Frame(768, 3, 1, "ohne Echo"));
}

TEST_F(SerialTest, FailingWriteIsCaughtByTheSend) {
  ASSERT_EQ(_OpenKommSer(kCom, 9600, 0, 0), 2);
  pty_.CloseLine();
  EXPECT_EQ(_SendeTele(2, 3, 768, 1, "x", 1), -1);
  EXPECT_STREQ(_GetLastErrorMessage(), "unerwartete Exception in Funktion 'SendTele(...)!\n");
  // Failing reads run the attempts out by their deadlines.
  _SetParameter(0, 100);
  int source = -1;
  EXPECT_EQ(_WarteAufTele(2, &source, 768, nullptr, 0), 0);
  EXPECT_EQ(_CloseKommunikation(2), 0);
}

}  // namespace
}  // namespace kommtest
