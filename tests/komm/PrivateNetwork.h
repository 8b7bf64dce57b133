// Runs a piece of a test in a child process inside a private network namespace, where only
// loopback is up (and, when asked for, a router that knows no way on) and no packet can leave
// this machine; host names that the hosts file does not hold are asked of a name server on that
// loopback, which is not there. The child reports in a text.
#pragma once

#include <functional>
#include <string>

namespace kommtest {

// The router's own address, and an address behind it.
constexpr char kRouterAddress[] = "192.0.2.254";
constexpr char kUnreachableHost[] = "192.0.2.2";

struct NetworkSetup {
  bool echoAnswered = true;    // false: net.ipv4.icmp_echo_ignore_all=1, nobody answers a ping
  bool datagramPings = false;  // true: net.ipv4.ping_group_range admits the process's group
  bool rawSockets = true;      // false: the child gives up the right to open raw sockets
  // 0 or more: 192.0.2.0/24 lies behind a router that answers every echo request sent there
  // with "destination unreachable" of this code (0 network, 1 host, 13 prohibited), from
  // kRouterAddress, quoting the request's IP header and first 8 bytes. -1: no router.
  int unreachableCode = -1;
};

struct NetworkRun {
  bool ran = false;  // false: the namespace could not be made (skipped is the reason)
  std::string skipped;
  std::string report;  // what the body returned
};

// body runs in the child after the setup; it may use the library and sockets freely. It gets
// a raw ICMP socket of the namespace, opened before any right was dropped, that sees every
// ICMP packet on loopback from then on.
NetworkRun InPrivateNetwork(const NetworkSetup& setup, const std::function<std::string(int observer)>& body);

}  // namespace kommtest
