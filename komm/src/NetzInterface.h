// The transport of a network link: one TCP connection to the controller (or to a
// serial-to-network converter in front of it), and at debug level 1 the debug window.
#pragma once

#include <netinet/in.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "KommQt.h"
#include "UniqueFd.h"

namespace komm {

// The English text of a socket error (errno), by the library's socket error number for it;
// "unknown error(n)." for a number without a text.
std::string WsaErrorText(int errnoValue);

// The first IPv4 address of a host name; false when the name is not found.
bool LookUpName(const std::string& name, in_addr& address);

class Client_Socket {
 public:
  Client_Socket();

  // 1 connected, 0 not (the reason is left as the last-error text).
  int Connect(int port, const std::string& host);
  void Close();
  // count when every byte went out, else 0.
  int Write(const std::uint8_t* bytes, std::size_t count);
  // Bytes waiting (0 when none, also 0 after the peer closed, -1 on error).
  int Poll();
  // Result of one recv.
  int Read(std::uint8_t* buffer, std::size_t count);
  // Waits up to ms milliseconds for the socket to become readable (or to fail).
  bool WaitReadable(int ms) const;

 private:
  bool CreateSocket();

  UniqueFd socket_;
  std::uint16_t port_ = 0;
  std::array<std::uint8_t, 4096> peekBuffer_{};
  bool connected_ = false;
};

class T_Netz_Interface {
 public:
  // debugLevel 1 shows the debug window (when a Qt GUI application exists), 2 does not.
  explicit T_Netz_Interface(int debugLevel);
  ~T_Netz_Interface();
  T_Netz_Interface(const T_Netz_Interface&) = delete;
  T_Netz_Interface& operator=(const T_Netz_Interface&) = delete;

  int Open(int port, const std::string& host, unsigned int timeoutMs);
  void Close();
  int Write(const std::uint8_t* bytes, std::size_t count);
  int Read(std::uint8_t* buffer, std::size_t count);
  int GetPort() const { return port_; }
  const std::string& GetHost() const { return host_; }
  // The number that tells this object from the others of the process in the debug log.
  int GetNumber() const { return number_; }

 private:
  void SetStatus(const std::string& text);

  int number_ = 0;
  int port_ = 0;
  int showWindow_ = 0;
  bool connected_ = false;
  std::string host_;
  std::unique_ptr<DebugWindow> window_;
  std::unique_ptr<Client_Socket> socket_;
};

}  // namespace komm
