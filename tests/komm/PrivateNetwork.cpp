#include "PrivateNetwork.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/if_tun.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "KommTestPeer.h"
#include "common/TempOrdner.h"

namespace kommtest {
namespace {

constexpr char kSkip[] = "SKIP ";

bool WriteSetting(const std::string& path, const std::string& value) {
  std::ofstream out(path);
  out << value;
  out.flush();
  return static_cast<bool>(out);
}

ifreq Interface(const char* name) {
  ifreq request{};
  std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
  return request;
}

bool InterfaceUp(const char* name) {
  Fd fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  ifreq request = Interface(name);
  if (ioctl(fd.get(), SIOCGIFFLAGS, &request) != 0) return false;
  request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
  return ioctl(fd.get(), SIOCSIFFLAGS, &request) == 0;
}

// An IPv4 address of an interface (request) or of its mask (SIOCSIFNETMASK).
bool SetInterfaceAddress(const char* name, unsigned long request, const char* address) {
  Fd fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  ifreq setting = Interface(name);
  sockaddr_in value{};
  value.sin_family = AF_INET;
  inet_pton(AF_INET, address, &value.sin_addr);
  std::memcpy(&setting.ifr_addr, &value, sizeof value);
  return ioctl(fd.get(), request, &setting) == 0;
}

// The answer of a router without a way to the packet's destination: "destination unreachable"
// of the code, from the router's address to the packet's sender, quoting its IP header and
// first 8 bytes; nothing when the packet is no IPv4 echo request.
Bytes UnreachableAnswer(const std::uint8_t* packet, std::size_t length, std::uint8_t code) {
  constexpr std::size_t kQuotedData = 8;
  if (length < 20 || (packet[0] >> 4) != 4) return {};
  const std::size_t header = static_cast<std::size_t>(packet[0] & 0x0F) * 4;
  if (header < 20 || length < header + kQuotedData || packet[9] != IPPROTO_ICMP || packet[header] != 8) return {};
  Bytes icmp = {3, code, 0, 0, 0, 0, 0, 0};
  icmp.insert(icmp.end(), packet, packet + header + kQuotedData);
  const std::uint16_t icmpChecksum = LineChecksum(icmp);
  icmp[2] = static_cast<std::uint8_t>(icmpChecksum >> 8);
  icmp[3] = static_cast<std::uint8_t>(icmpChecksum & 0xFF);
  const std::size_t total = 20 + icmp.size();
  Bytes ip = {0x45,
              0,
              static_cast<std::uint8_t>(total >> 8),
              static_cast<std::uint8_t>(total & 0xFF),
              0,
              0,
              0,
              0,
              64,
              IPPROTO_ICMP,
              0,
              0};
  in_addr router{};
  inet_pton(AF_INET, kRouterAddress, &router);
  const auto* from = reinterpret_cast<const std::uint8_t*>(&router.s_addr);
  ip.insert(ip.end(), from, from + 4);
  ip.insert(ip.end(), packet + 12, packet + 16);  // to the sender of the request
  const std::uint16_t ipChecksum = LineChecksum(ip);
  ip[10] = static_cast<std::uint8_t>(ipChecksum >> 8);
  ip[11] = static_cast<std::uint8_t>(ipChecksum & 0xFF);
  return Concat({ip, icmp});
}

// The router: the far end of a TUN device that carries 192.0.2.0/24, answering on a thread.
class UnreachableRouter {
 public:
  explicit UnreachableRouter(std::uint8_t code) : code_(code) {
    constexpr char kName[] = "ybrrouter";
    constexpr char kOwnAddress[] = "192.0.2.1";  // the namespace's side of the device
    tun_ = Fd(open("/dev/net/tun", O_RDWR | O_CLOEXEC));
    ifreq device = Interface(kName);
    device.ifr_flags = IFF_TUN | IFF_NO_PI;
    stop_ = Fd(eventfd(0, EFD_CLOEXEC));
    if (tun_.get() < 0 || ioctl(tun_.get(), TUNSETIFF, &device) != 0 || stop_.get() < 0 ||
        !SetInterfaceAddress(kName, SIOCSIFADDR, kOwnAddress) ||
        !SetInterfaceAddress(kName, SIOCSIFNETMASK, "255.255.255.0") || !InterfaceUp(kName)) {
      failure_ = std::strerror(errno);
      return;
    }
    thread_ = std::thread([this] { Answer(); });
  }
  ~UnreachableRouter() {
    if (!thread_.joinable()) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(stop_.get(), &one, sizeof one);
    thread_.join();
  }
  UnreachableRouter(const UnreachableRouter&) = delete;
  UnreachableRouter& operator=(const UnreachableRouter&) = delete;

  // Empty while the router answers, else why it could not be set up.
  const std::string& failure() const { return failure_; }

 private:
  void Answer() {
    std::uint8_t packet[2048];
    pollfd waits[2] = {{tun_.get(), POLLIN, 0}, {stop_.get(), POLLIN, 0}};
    for (;;) {
      if (poll(waits, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (waits[1].revents != 0) return;
      if ((waits[0].revents & POLLIN) == 0) continue;
      const ssize_t n = read(tun_.get(), packet, sizeof packet);
      if (n <= 0) continue;
      const Bytes answer = UnreachableAnswer(packet, static_cast<std::size_t>(n), code_);
      if (!answer.empty()) WriteAll(tun_.get(), answer);
    }
  }

  std::uint8_t code_;
  std::string failure_;
  Fd tun_;
  Fd stop_;
  std::thread thread_;
};

bool DropRawSockets() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  const unsigned bit = 1U << (CAP_NET_RAW % 32);
  data[CAP_NET_RAW / 32].effective &= ~bit;
  data[CAP_NET_RAW / 32].permitted &= ~bit;
  data[CAP_NET_RAW / 32].inheritable &= ~bit;
  return syscall(SYS_capset, &header, data) == 0;
}

// Host names are looked up in the hosts file and then asked of a name server on the private
// loopback, where none listens: no question about a name leaves this machine, neither to the
// configured name server nor through a caching service.
bool LocalNamesOnly(const TempOrdner& folder) {
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  SchreibeDatei(folder / "resolv.conf", "nameserver 127.0.0.1\n");
  SchreibeDatei(folder / "nsswitch.conf", "hosts: files dns\n");
  for (const char* name : {"resolv.conf", "nsswitch.conf"}) {
    const std::string system = std::string("/etc/") + name;
    if (Existiert(system) && mount((folder / name).c_str(), system.c_str(), nullptr, MS_BIND, nullptr) != 0) {
      return false;
    }
  }
  const char* cache = "/var/run/nscd";
  return !std::filesystem::is_directory(cache) || mount("tmpfs", cache, "tmpfs", 0, nullptr) == 0;
}

// In the child: the setup, then the body; the answer goes into the pipe.
std::string RunChild(const NetworkSetup& setup, const std::function<std::string(int)>& body) {
  if (unshare(CLONE_NEWNET | CLONE_NEWNS) != 0) {
    return kSkip + std::string("no private network namespace: ") + std::strerror(errno);
  }
  const TempOrdner names;
  if (!LocalNamesOnly(names))
    return kSkip + std::string("name look-ups cannot be kept inside: ") + std::strerror(errno);
  if (!InterfaceUp("lo")) {
    return kSkip + std::string("loopback of the private namespace not up: ") + std::strerror(errno);
  }
  if (!WriteSetting("/proc/sys/net/ipv4/icmp_echo_ignore_all", setup.echoAnswered ? "0" : "1") ||
      !WriteSetting("/proc/sys/net/ipv4/ping_group_range", setup.datagramPings ? "0 2147483647" : "1 0")) {
    return kSkip + std::string("network settings of the private namespace not writable");
  }
  Fd observer(socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
  if (observer.get() < 0) return kSkip + std::string("no raw socket to watch the pings: ") + std::strerror(errno);
  std::optional<UnreachableRouter> router;
  if (setup.unreachableCode >= 0) {
    router.emplace(static_cast<std::uint8_t>(setup.unreachableCode));
    if (!router->failure().empty()) return kSkip + std::string("no router behind a TUN device: ") + router->failure();
  }
  if (!setup.rawSockets && !DropRawSockets()) return kSkip + std::string("the right to raw sockets cannot be dropped");
  return body(observer.get());
}

}  // namespace

NetworkRun InPrivateNetwork(const NetworkSetup& setup, const std::function<std::string(int)>& body) {
  NetworkRun run;
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    run.skipped = "no pipe";
    return run;
  }
  Fd readEnd(ends[0]);
  Fd writeEnd(ends[1]);
  const pid_t child = fork();
  if (child < 0) {
    run.skipped = "no child process";
    return run;
  }
  if (child == 0) {
    readEnd.reset();
    std::string answer;
    try {
      answer = RunChild(setup, body);
    } catch (const std::exception& failure) {
      answer = std::string("exception: ") + failure.what();
    }
    for (std::size_t sent = 0; sent < answer.size();) {
      const ssize_t n = write(writeEnd.get(), answer.data() + sent, answer.size() - sent);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    _exit(0);
  }
  writeEnd.reset();
  std::string answer;
  char buffer[4096];
  for (ssize_t n; (n = read(readEnd.get(), buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    answer.append(buffer, static_cast<std::size_t>(n));
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (answer.rfind(kSkip, 0) == 0) {
    run.skipped = answer.substr(sizeof kSkip - 1);
    return run;
  }
  run.ran = true;
  run.report = answer;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) run.report += " [child ended abnormally]";
  return run;
}

}  // namespace kommtest
