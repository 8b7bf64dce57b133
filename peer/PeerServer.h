// The controller peer's line side: a TCP listener and a pseudo-terminal, poll()-driven.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "KommFrame.h"
#include "PeerController.h"
#include "PeerOptions.h"

namespace peer {

// Owns one descriptor.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { reset(); }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void reset(int fd = -1);

 private:
  int fd_ = -1;
};

// One end that telegrams arrive on and answers leave by: a TCP client or the pty master.
struct Link {
  std::string name;
  UniqueFd fd;
  komm::FrameReader reader;
  std::int64_t lastByteMs = 0;
  struct Chunk {
    std::int64_t dueMs = 0;
    std::vector<std::uint8_t> bytes;
    std::string traceLine;        // written when the chunk goes out
    std::int64_t gapAfterMs = 0;  // the next chunk leaves at least this long after this one
  };
  std::deque<Chunk> out;
};

class PeerServer {
 public:
  PeerServer(PeerOptions options, PeerController controller);
  ~PeerServer();

  // Opens the listener, the pseudo-terminal and the trace; false with a message on stderr.
  bool Start();
  // Prints the listening lines and serves until SIGINT or SIGTERM.
  int Run();

 private:
  bool OpenTcp();
  bool OpenPty();
  void Accept();
  void ReadFrom(Link& link);
  void Queue(Link& link, const Outgoing& answer);
  void Flush(Link& link);
  void CloseClient();
  void PtyClientClosed();
  void Trace(const std::string& line);
  std::optional<int> NextTimeoutMs() const;

  PeerOptions options_;
  PeerController controller_;
  UniqueFd signals_;
  UniqueFd listener_;
  std::string tcpText_;
  Link client_;
  UniqueFd ptySlave_;
  UniqueFd ptyCloses_;  // inotify: a program closed the slave side
  Link pty_;
  bool linkCreated_ = false;
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, FileCloser> trace_;
};

}  // namespace peer
