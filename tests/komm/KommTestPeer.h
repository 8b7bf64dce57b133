// Scripted far ends for the library tests: a loopback TCP server on a free port and a
// pseudo-terminal pair whose slave the library opens as a COM port.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "KommFrame.h"

namespace kommtest {

using Bytes = std::vector<std::uint8_t>;
// Runs on the peer's thread with the descriptor of the link's far end.
using Script = std::function<void(int fd)>;

class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Fd& operator=(Fd&& other) noexcept;
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd();
  int get() const { return fd_; }
  void reset();

 private:
  int fd_ = -1;
};

// Accepts one connection on 127.0.0.1 and runs the script on it; then it stays silent and
// keeps the connection until the library closes it.
class TcpPeer {
 public:
  explicit TcpPeer(Script script);
  ~TcpPeer();  // waits for the library to close the connection (if it connected)
  int port() const { return port_; }
  void Join();  // waits for the end of the script

 private:
  Fd listener_;
  int port_ = 0;
  std::atomic<bool> accepted_{false};
  std::atomic<bool> stopping_{false};
  std::promise<void> scriptDone_;
  std::future<void> scriptFinished_;
  std::thread thread_;
};

// A pseudo-terminal pair; YBR_KOMM_COM<comPort> names its slave while the object lives.
class PtyPeer {
 public:
  explicit PtyPeer(int comPort);
  ~PtyPeer();
  void Run(Script script);  // the script gets the master side
  void Join();
  int master() const { return master_.get(); }
  // Hangs the line up: the library's writes and reads on the slave fail from now on.
  void CloseLine() {
    Join();
    master_.reset();
    slave_.reset();
  }
  const std::string& slaveName() const { return slaveName_; }

 private:
  int comPort_;
  Fd master_;
  Fd slave_;  // held open so the master never sees a hang-up between library opens
  std::string slaveName_;
  std::thread thread_;
};

// The bytes of one frame as they came (noise before the start bytes dropped), or empty
// when none came within timeoutMs.
Bytes ReadFrameBytes(int fd, int timeoutMs = 3000);
// One byte within timeoutMs.
bool ReadByte(int fd, std::uint8_t& byte, int timeoutMs);
// Any bytes that arrive within timeoutMs.
Bytes ReadAvailable(int fd, int timeoutMs);
void WriteAll(int fd, const Bytes& bytes);
Bytes Frame(std::uint16_t source, std::uint16_t dest, std::uint8_t command, const std::string& text,
            std::uint8_t number = 1);
Bytes Concat(std::initializer_list<Bytes> parts);
// The Internet checksum as the line carries it (high byte first), computed apart from the
// library's own machine-order arithmetic.
std::uint16_t LineChecksum(const Bytes& bytes);

int OpenDescriptorCount();
// A TCP port on 127.0.0.1 on which nobody listens.
int RefusedPort();

}  // namespace kommtest
