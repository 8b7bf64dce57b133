// Opens the library's link to a scripted peer over TCP or over a pseudo-terminal.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "KommTestPeer.h"
#include "YBR_KOMM.h"

namespace kommtest {

enum class Transport { Tcp, Serial };

constexpr int kTestComPort = 5;
constexpr int kPc = 768;

class LinkTest : public ::testing::TestWithParam<Transport> {
 protected:
  void TearDown() override {
    if (type_ != 0) _CloseKommunikation(type_);
    tcp_.reset();
    pty_.reset();
  }

  // Starts the peer, opens the link (asserting success) and hands the script the far end.
  void Open(Script script, int rtsControl = 0, int logLevel = 0) {
    if (GetParam() == Transport::Tcp) {
      tcp_ = std::make_unique<TcpPeer>(std::move(script));  // before the open: it accepts
      type_ = _OpenKommNet(tcp_->port(), "127.0.0.1", logLevel);
      ASSERT_EQ(type_, 1) << _GetLastErrorMessage();
    } else {
      pty_ = std::make_unique<PtyPeer>(kTestComPort);
      type_ = _OpenKommSer(kTestComPort, 9600, rtsControl, logLevel);
      ASSERT_EQ(type_, 2) << _GetLastErrorMessage();
      pty_->Run(std::move(script));
    }
  }

  // Waits until the peer's script has run to its end.
  void JoinPeer() {
    if (tcp_) tcp_->Join();
    if (pty_) pty_->Join();
  }

  int type_ = 0;
  std::unique_ptr<TcpPeer> tcp_;
  std::unique_ptr<PtyPeer> pty_;
};

inline const char* Name(Transport t) { return t == Transport::Tcp ? "Tcp" : "Serial"; }

inline void PrintTo(Transport t, std::ostream* os) { *os << Name(t); }

inline std::string TransportName(const ::testing::TestParamInfo<Transport>& info) { return Name(info.param); }

}  // namespace kommtest
