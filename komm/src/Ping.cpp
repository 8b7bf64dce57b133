#include "Ping.h"

#include <arpa/inet.h>

#include <array>
#include <chrono>
#include <thread>

#include "IcmpSocket.h"
#include "KommGlobals.h"
#include "NetzInterface.h"

namespace komm {
namespace {

constexpr int kEchoTtl = 255;
constexpr auto kPauseAfterAnswer = std::chrono::milliseconds(200);
// The status of an echo answered by "destination unreachable", by its code (network, host).
constexpr int kStatusNetUnreachable = 11002;
constexpr int kStatusHostUnreachable = 11003;

std::string Dotted(const in_addr& address) {
  std::array<char, INET_ADDRSTRLEN> text{};
  return inet_ntop(AF_INET, &address, text.data(), text.size()) != nullptr ? text.data() : "";
}

void LogPingMessage(const std::string& message, const char* protocolFormat) {
  DebugLog().Write("%s %s\n", LogZeit().c_str(), message.c_str());
  DebugLog().Flush();
  ProtocolLog().Write(protocolFormat, message.c_str());
  ProtocolLog().Flush();
}

}  // namespace

int PingRaw(const std::string& host, unsigned int timeoutMs) {
  in_addr address{};
  if (inet_aton(host.c_str(), &address) == 0) {
    // Names with a dot are taken for a mistyped address and not looked up.
    if (host.find('.') != std::string::npos) {
      SetLastError("Fehler in der IPAdresse");
      return 1;
    }
    if (!LookUpName(host, address)) {
      SetLastError("Fehler Zielhost nicht gefunden");
      return 1;
    }
  }
  IcmpSocket socket;
  if (!socket.valid()) {
    SetLastError("Fehler (create Socket)" + WsaErrorText(socket.error()));
    return 1;
  }
  const auto request = BuildEchoRequest(socket.identifier(), MsClock());
  const IcmpSocket::Echo echo = socket.SendEcho(address, request.data(), request.size(), timeoutMs);
  switch (echo.end) {
    case IcmpSocket::End::Reply:
      SetLastError("Antwort von " + host + " Pingzeit= " + std::to_string(echo.ms) + "ms");
      return 0;
    case IcmpSocket::End::SendFailed: SetLastError("Ping konnte nicht gesendet werden (Socket_Error sendto...)"); break;
    case IcmpSocket::End::OptionFailed: SetLastError("Fehler (setsockopt)"); break;
    case IcmpSocket::End::Deadline:
      SetLastError("Zielhost nicht erreichbar (ping), Abbruch nach " + std::to_string(timeoutMs) + " Millisekunden");
      break;
    case IcmpSocket::End::TimedOut:
      SetLastError("Timeout zu " + host + " nach " + std::to_string(echo.ms) + " Millisekunden");
      break;
    case IcmpSocket::End::ReceiveFailed: SetLastError("Socketfehler: konte Verbindung nicht öffnen"); break;
    case IcmpSocket::End::Unreachable: SetLastError("Zielhost nicht erreichbar"); break;
  }
  return 1;
}

int PingIcmpDll(const std::string& host, unsigned int timeoutMs) {
  SetLastError(" ");
  in_addr address{};
  if (inet_aton(host.c_str(), &address) == 0 && !LookUpName(host, address)) {
    SetLastError("Fehler: Adresse '" + host + "' wurde nicht gefunden !");
    return -1;
  }
  LogPingMessage("Ping an " + host, "%s");
  IcmpSocket socket;
  if (!socket.valid()) {
    SetLastError("Fehler (create Socket)" + WsaErrorText(socket.error()));
    return -1;
  }
  socket.SetTtl(kEchoTtl);
  const auto request = BuildBareEchoRequest(socket.identifier());
  const IcmpSocket::Echo echo = socket.SendEcho(address, request.data(), request.size(), timeoutMs);
  if (echo.end != IcmpSocket::End::Reply && echo.end != IcmpSocket::End::Unreachable) {
    SetLastError("Zielhost nicht erreichbar (ping)");
    return -1;
  }
  LogPingMessage("Antwort von " + Dotted(echo.from) + ": Zeit=" + std::to_string(echo.ms) +
                     " ms, TTL=" + std::to_string(echo.ttl) + " ms",
                 "%s\n");
  if (echo.end == IcmpSocket::End::Unreachable) {
    const int status = echo.code == 0 ? kStatusNetUnreachable : kStatusHostUnreachable;
    SetLastError("Fehler: IcmpEcho-Status=" + std::to_string(status));
    return -1;
  }
  std::this_thread::sleep_for(kPauseAfterAnswer);
  return static_cast<int>(echo.ms);
}

bool PingByMode(const std::string& host, unsigned int timeoutMs) {
  switch (Globals().pingMode) {
    case 1: return PingRaw(host, timeoutMs) == 0;
    case 2: return PingIcmpDll(host, timeoutMs) != -1;
    default: return true;
  }
}

}  // namespace komm
