#include "PrivateNetwork.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <netinet/in.h>
#include <net/if.h>
#include <sched.h>
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

bool LoopbackUp() {
  Fd fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  ifreq request{};
  std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
  if (ioctl(fd.get(), SIOCGIFFLAGS, &request) != 0) return false;
  request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
  return ioctl(fd.get(), SIOCSIFFLAGS, &request) == 0;
}

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
  if (!LocalNamesOnly(names)) return kSkip + std::string("name look-ups cannot be kept inside: ") + std::strerror(errno);
  if (!LoopbackUp()) return kSkip + std::string("loopback of the private namespace not up: ") + std::strerror(errno);
  if (!WriteSetting("/proc/sys/net/ipv4/icmp_echo_ignore_all", setup.echoAnswered ? "0" : "1") ||
      !WriteSetting("/proc/sys/net/ipv4/ping_group_range", setup.datagramPings ? "0 2147483647" : "1 0")) {
    return kSkip + std::string("network settings of the private namespace not writable");
  }
  Fd observer(socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
  if (observer.get() < 0) return kSkip + std::string("no raw socket to watch the pings: ") + std::strerror(errno);
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
