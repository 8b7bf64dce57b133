// No export lets an exception out: every allocation that an export makes is made to fail in
// turn, and each call must still come back with one of its own results.
#include <termios.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "KommTestPeer.h"
#include "LogFolder.h"
#include "YBR_KOMM.h"

namespace {

// The n-th allocation from now on this thread fails (0: none).
thread_local long failCountdown = 0;

void* Allocate(std::size_t size) {
  if (failCountdown > 0 && --failCountdown == 0) throw std::bad_alloc();
  if (void* p = std::malloc(size != 0 ? size : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace kommtest {
namespace {

// Calls the export with its n-th allocation failing, n = 1, 2, ... until a call runs through
// without reaching the failing allocation. Returns how many allocations were tried.
int FailEachAllocation(const std::function<int()>& call, const std::set<int>& results,
                       const std::function<void()>& before = {}, const std::function<void()>& after = {}) {
  for (int n = 1; n < 500; ++n) {
    if (before) before();
    failCountdown = n;
    int result = 0;
    EXPECT_NO_THROW(result = call()) << "allocation " << n;
    const bool reached = failCountdown == 0;
    failCountdown = 0;
    EXPECT_TRUE(results.count(result) == 1) << "allocation " << n << " result " << result;
    if (after) after();
    if (!reached) return n - 1;
  }
  ADD_FAILURE() << "no end";
  return 0;
}

TEST(NoException, OpenFailuresForLackOfMemoryAreReported) {
  PtyPeer pty(3);
  failCountdown = 1;
  EXPECT_EQ(_OpenKommSer(3, 9600, 0, 0), 0);
  failCountdown = 0;
  EXPECT_STREQ(_GetLastErrorMessage(), "kein Speicher fuer Kommunikationsklasse (seriell) ");

  failCountdown = 1;
  EXPECT_EQ(_OpenKommNet(10001, "127.0.0.1", 0), 0);
  failCountdown = 0;
  EXPECT_STREQ(_GetLastErrorMessage(), "kein Speicher fuer Kommunikationsklasse (netz)\n");

  failCountdown = 2;
  EXPECT_EQ(_OpenKommNet(10001, "127.0.0.1", 0), 0);
  failCountdown = 0;
  EXPECT_STREQ(_GetLastErrorMessage(), "kein Speicher für SocketKlasse");
}

TEST(NoException, CloseNamesTheClassAndMessageOfAStandardException) {
  // Without a link the close fails with a text; here even that text cannot be made.
  failCountdown = 1;
  EXPECT_EQ(_CloseKommunikation(2), -1);
  failCountdown = 0;
  EXPECT_STREQ(_GetLastErrorMessage(),
               "Exception \"std::bad_alloc -> std::bad_alloc\"in Funktion 'CloseKommunikation()!\n");
}

TEST(NoException, SerialOpenSendAndClose) {
  PtyPeer pty(3);
  EXPECT_GT(FailEachAllocation([] { return _OpenKommSer(3, 9600, 0, 0); }, {0, 2}, {}, [] { _CloseKommunikation(2); }),
            0);
  ASSERT_EQ(_OpenKommSer(3, 9600, 0, 0), 2);
  FailEachAllocation([] { return _SendeTele(2, 3, 768, 1, "ein etwas laengerer Text", 1); }, {0, -1});
  EXPECT_EQ(tcflush(pty.master(), TCIOFLUSH), 0);
  FailEachAllocation([] { return _CloseKommunikation(2); }, {0, -1}, [] { _OpenKommSer(3, 9600, 0, 0); });
  EXPECT_EQ(_CloseKommunikation(2), -1);  // every close released the port
}

TEST(NoException, NetworkOpenSendWaitAndClose) {
  const LogFolder logs;
  _SetParameter(0, 100);
  std::unique_ptr<TcpPeer> peer;
  const auto newPeer = [&] {
    peer = std::make_unique<TcpPeer>([](int fd) {
      while (!ReadFrameBytes(fd, 2000).empty()) WriteAll(fd, Frame(3, 768, 9, "Antwort mit etwas Text"));
    });
  };
  const auto open = [&] { return _OpenKommNet(peer->port(), "127.0.0.1", 3); };
  EXPECT_GT(FailEachAllocation(open, {0, 1}, newPeer,
                               [&] {
                                 _CloseKommunikation(1);
                                 peer.reset();
                               }),
            0);

  newPeer();
  ASSERT_EQ(open(), 1);
  char text[1024];
  int source = 0;
  FailEachAllocation([&] { return _WarteAufTele(1, &source, 768, text, 2); }, {0, 9},
                     [] { _SendeTele(1, 3, 768, 1, "Frage", 1); });
  FailEachAllocation([] { return _OpenKommSer(100, 9600, 0, 0); }, {0});
  FailEachAllocation([] { return _SetLogDirectory("/fehlt/sicher/nicht"); }, {-1});
  FailEachAllocation([] { return _GetLastErrorMessage() != nullptr ? 1 : 0; }, {1});
  EXPECT_EQ(_CloseKommunikation(1), 0);
}

}  // namespace
}  // namespace kommtest
