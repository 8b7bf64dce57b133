#include "SerialInterface.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>

#include "KommGlobals.h"
#include "KommQt.h"

namespace komm {
namespace {

constexpr int kMaxPort = 32;

// Port time-outs: 10 ms per byte plus 10 ms.
int PortTimeoutMs(std::size_t count) { return static_cast<int>(10 * count + 10); }

bool BaudConstant(int baudRate, speed_t& speed) {
  struct Rate {
    int baud;
    speed_t speed;
  };
  static constexpr std::array<Rate, 16> kRates = {{{50, B50},
                                                   {75, B75},
                                                   {110, B110},
                                                   {300, B300},
                                                   {600, B600},
                                                   {1200, B1200},
                                                   {2400, B2400},
                                                   {4800, B4800},
                                                   {9600, B9600},
                                                   {19200, B19200},
                                                   {38400, B38400},
                                                   {57600, B57600},
                                                   {115200, B115200},
                                                   {230400, B230400},
                                                   {460800, B460800},
                                                   {921600, B921600}}};
  for (const Rate& r : kRates) {
    if (r.baud == baudRate) {
      speed = r.speed;
      return true;
    }
  }
  return false;
}

void ModemLine(int fd, int line, bool on) {
  ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);  // not every device has modem lines
}

}  // namespace

std::string T_Serial_Interface::DeviceName(int port) {
  const std::string variable = "YBR_KOMM_COM" + std::to_string(port);
  if (const char* device = std::getenv(variable.c_str()); device != nullptr && *device != '\0') return device;
  return "/dev/ttyS" + std::to_string(port - 1);
}

int T_Serial_Interface::Open(int port, int baudRate, int rtsControl, unsigned int timeoutMs) {
  port_ = port;
  if (port > kMaxPort) return -1;
  rtsControl_ = rtsControl != 0;
  timeoutMs_ = timeoutMs;

  UniqueFd fd(::open(DeviceName(port).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid()) return -1;
  if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return -1;
  termios tio{};
  if (tcgetattr(fd.get(), &tio) != 0) return 0;
  if (ioctl(fd.get(), TIOCEXCL) != 0) return -1;

  cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
  tio.c_cflag |= CS8 | CREAD | CLOCAL;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP | IGNPAR | PARMRK);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  // A rate the line does not know keeps the rate the port had.
  if (speed_t speed{}; BaudConstant(baudRate, speed)) {
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
  }
  tcsetattr(fd.get(), TCSANOW, &tio);
  ModemLine(fd.get(), TIOCM_DTR, false);
  ModemLine(fd.get(), TIOCM_RTS, rtsControl_);

  handle_ = std::move(fd);
  tcflush(handle_.get(), TCIOFLUSH);
  return 1;
}

void T_Serial_Interface::Close() {
  if (handle_.valid()) ioctl(handle_.get(), TIOCNXCL);
  handle_.reset();  // the lock goes with the descriptor
}

void T_Serial_Interface::SetRTS() {
  if (rtsControl_ && handle_.valid()) ModemLine(handle_.get(), TIOCM_RTS, true);
}

void T_Serial_Interface::ClearRTS() {
  if (rtsControl_ && handle_.valid()) ModemLine(handle_.get(), TIOCM_RTS, false);
}

int T_Serial_Interface::Write(const std::uint8_t* bytes, std::size_t count) {
  SetRTS();
  if (!handle_.valid()) throw KommText{"Fehler beim schreiben auf Schnittstelle!!!"};
  // The write may take 10 ms per byte plus 10 ms; what is out by then is reported.
  std::size_t written = 0;
  const std::uint32_t deadline = MsClock() + static_cast<std::uint32_t>(PortTimeoutMs(count));
  while (written < count) {
    const ssize_t n = ::write(handle_.get(), bytes + written, count - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) {
      ClearRTS();
      throw KommText{"Fehler beim schreiben auf Schnittstelle!!!"};
    }
    const std::uint32_t now = MsClock();
    if (Passed(now, deadline)) break;
    pollfd pfd{handle_.get(), POLLOUT, 0};
    poll(&pfd, 1, static_cast<int>(deadline - now) + 1);
  }
  if (rtsControl_) ReadEcho(written);
  ClearRTS();
  return static_cast<int>(written);
}

// A half-duplex converter returns the own bytes: wait for them (at most the reply time-out)
// and drop exactly that many.
void T_Serial_Interface::ReadEcho(std::size_t count) {
  const std::uint32_t deadline = MsClock() + timeoutMs_;
  int waiting = 0;
  for (;;) {
    ProcessPendingEvents();
    if (ioctl(handle_.get(), FIONREAD, &waiting) != 0) return;
    if (static_cast<std::size_t>(waiting) >= count) break;
    if (Passed(MsClock(), deadline)) return;
  }
  std::array<std::uint8_t, 1024> scratch{};
  std::size_t dropped = 0;
  while (dropped < count) {
    const std::size_t chunk = std::min(count - dropped, scratch.size());
    const ssize_t n = ::read(handle_.get(), scratch.data(), chunk);
    if (n <= 0) return;
    dropped += static_cast<std::size_t>(n);
  }
}

int T_Serial_Interface::Read(std::uint8_t* buffer, std::size_t count) {
  if (!handle_.valid()) return -1;
  pollfd pfd{handle_.get(), POLLIN, 0};
  const int ready = poll(&pfd, 1, PortTimeoutMs(count));
  if (ready < 0) return errno == EINTR ? 0 : -1;
  if (ready == 0) return 0;
  const ssize_t n = ::read(handle_.get(), buffer, count);
  if (n < 0) return (errno == EAGAIN || errno == EINTR) ? 0 : -1;
  if (n == 0 && (pfd.revents & (POLLHUP | POLLERR)) != 0) return -1;
  return static_cast<int>(n);
}

}  // namespace komm
