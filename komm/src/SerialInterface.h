// The transport of a serial link: one COM port, raw 8N1 without flow control.
// COM port n is the device named by the environment variable YBR_KOMM_COM<n> when it is set,
// else /dev/ttyS<n-1>; the port is held exclusively while open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "UniqueFd.h"

namespace komm {

class T_Serial_Interface {
 public:
  T_Serial_Interface() = default;
  ~T_Serial_Interface() { Close(); }
  T_Serial_Interface(const T_Serial_Interface&) = delete;
  T_Serial_Interface& operator=(const T_Serial_Interface&) = delete;

  // 1 opened; -1 port above 32 or the device cannot be opened or held; 0 opened, but it
  // cannot be set up as a serial line (the device is released again).
  int Open(int port, int baudRate, int rtsControl, unsigned int timeoutMs);
  void Close();
  // Bytes written; raises "Fehler beim schreiben auf Schnittstelle!!!" when the write fails.
  int Write(const std::uint8_t* bytes, std::size_t count);
  // Bytes read within the port time-out (0 when none came), -1 when the read fails.
  int Read(std::uint8_t* buffer, std::size_t count);
  void SetRTS();
  void ClearRTS();
  int GetPort() const { return port_; }

  // The device that COM port n stands for.
  static std::string DeviceName(int port);

 private:
  void ReadEcho(std::size_t count);

  int port_ = 0;
  unsigned int timeoutMs_ = 0;
  bool rtsControl_ = false;
  UniqueFd handle_;
};

}  // namespace komm
