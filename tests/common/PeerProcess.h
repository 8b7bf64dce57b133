// Starts controller_peer for a test: TCP on 127.0.0.1 (a free port) and a pseudo-terminal
// linked from a fresh temporary folder, with a trace; stops it again in the destructor.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ybrtest {

// One line of the peer's trace, the text decoded back to bytes.
struct PeerTraceLine {
  std::string dir;  // "rx" or "tx"
  int src = 0;
  int dst = 0;
  int number = 0;
  int command = 0;
  std::string text;
};

class PeerProcess {
 public:
  // Extra arguments follow --tcp 127.0.0.1:0 --pty <folder>/com --trace <folder>/trace.tsv.
  // Throws std::runtime_error when the peer does not come up within 10 s.
  explicit PeerProcess(const std::vector<std::string>& extraArgs = {});
  ~PeerProcess();
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  std::uint16_t TcpPort() const { return tcpPort_; }
  const std::string& PtyPath() const { return ptyPath_; }  // for YBR_KOMM_COM<n>
  const std::string& Folder() const { return folder_; }
  const std::string& TracePath() const { return tracePath_; }
  pid_t Pid() const { return pid_; }

  // Every telegram the peer has seen and sent so far, in order.
  std::vector<PeerTraceLine> Trace() const;
  // The trace once it holds at least `count` lines, or as it stands after the time: for a
  // telegram the peer does not answer (the booking acknowledgement), whose line may still
  // be on its way when the sender goes on.
  std::vector<PeerTraceLine> TraceWithAtLeast(std::size_t count, int timeoutMs = 2000) const;

  // SIGTERM and wait; the exit status as waitpid reports it (-1 when already stopped).
  int Stop();

 private:
  std::string folder_;
  std::string ptyPath_;
  std::string tracePath_;
  std::uint16_t tcpPort_ = 0;
  pid_t pid_ = -1;
};

// Decodes a trace text: \xHH stands for one byte, everything else for itself.
std::string DecodeTraceText(const std::string& text);

}  // namespace ybrtest
