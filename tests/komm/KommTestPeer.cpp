#include "KommTestPeer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

namespace kommtest {

Fd& Fd::operator=(Fd&& other) noexcept {
  if (this != &other) {
    reset();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

Fd::~Fd() { reset(); }

void Fd::reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

TcpPeer::TcpPeer(Script script) {
  listener_ = Fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (listener_.get() < 0) throw std::runtime_error("socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_.get(), 4) != 0 ||
      getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("listen");
  }
  port_ = ntohs(address.sin_port);
  scriptFinished_ = scriptDone_.get_future();
  thread_ = std::thread([this, script = std::move(script)] {
    pollfd pfd{listener_.get(), POLLIN, 0};
    Fd connection;
    if (poll(&pfd, 1, 10000) == 1) connection = Fd(accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
    accepted_ = true;
    if (connection.get() >= 0 && script && !stopping_) script(connection.get());
    scriptDone_.set_value();
    if (connection.get() >= 0 && !stopping_) ReadAvailable(connection.get(), 10000);  // until the library closes
  });
}

void TcpPeer::Join() {
  if (scriptFinished_.valid()) scriptFinished_.wait();
}

TcpPeer::~TcpPeer() {
  // Nobody connected: a short connect of our own ends the wait for one.
  stopping_ = true;
  if (!accepted_) {
    Fd self(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    connect(self.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  }
  if (thread_.joinable()) thread_.join();
}

PtyPeer::PtyPeer(int comPort) : comPort_(comPort) {
  int master = -1;
  int slave = -1;
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
  master_ = Fd(master);
  slave_ = Fd(slave);
  fcntl(master, F_SETFD, FD_CLOEXEC);
  fcntl(slave, F_SETFD, FD_CLOEXEC);
  slaveName_ = name;
  setenv(("YBR_KOMM_COM" + std::to_string(comPort_)).c_str(), slaveName_.c_str(), 1);
}

void PtyPeer::Run(Script script) {
  Join();
  thread_ = std::thread([this, script = std::move(script)] { script(master_.get()); });
}

void PtyPeer::Join() {
  if (thread_.joinable()) thread_.join();
}

PtyPeer::~PtyPeer() {
  Join();
  unsetenv(("YBR_KOMM_COM" + std::to_string(comPort_)).c_str());
}

bool ReadByte(int fd, std::uint8_t& byte, int timeoutMs) {
  pollfd pfd{fd, POLLIN, 0};
  if (poll(&pfd, 1, timeoutMs) != 1) return false;
  return ::read(fd, &byte, 1) == 1;
}

Bytes ReadFrameBytes(int fd, int timeoutMs) {
  komm::FrameReader reader;
  Bytes bytes;
  std::uint8_t byte = 0;
  while (ReadByte(fd, byte, timeoutMs)) {
    if (reader.phase() == komm::FrameReader::Phase::Start && byte != komm::kStartByte) continue;
    bytes.push_back(byte);
    if (reader.Feed(byte) != komm::FrameReader::Result::NeedMore) return bytes;
  }
  return {};
}

Bytes ReadAvailable(int fd, int timeoutMs) {
  Bytes bytes;
  std::uint8_t byte = 0;
  while (ReadByte(fd, byte, timeoutMs)) bytes.push_back(byte);
  return bytes;
}

void WriteAll(int fd, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ADD_FAILURE() << "peer write failed";
      return;
    }
    done += static_cast<std::size_t>(n);
  }
}

Bytes Frame(std::uint16_t source, std::uint16_t dest, std::uint8_t command, const std::string& text,
            std::uint8_t number) {
  return komm::BuildFrame({source, dest, number, command, text});
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::uint16_t LineChecksum(const Bytes& bytes) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    sum += static_cast<std::uint32_t>(bytes[i] << 8) | (i + 1 < bytes.size() ? bytes[i + 1] : 0U);
  }
  while ((sum >> 16) != 0) sum = (sum & 0xFFFFU) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

int OpenDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

int RefusedPort() {
  Fd fd(socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(fd.get(), reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

}  // namespace kommtest
