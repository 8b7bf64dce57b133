// The ten exports. Each one catches everything raised inside it; the outermost guard only
// keeps an exception from the error handling itself from reaching the caller.
#include "YBR_KOMM.h"

#include <sys/stat.h>

#include <cxxabi.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <typeinfo>

#include "KommGlobals.h"
#include "NetzInterface.h"
#include "SerialInterface.h"
#include "Telegramm.h"

namespace komm {
namespace {

constexpr char kDllVersion[] = "V 02.00.05";
constexpr char kNoError[] = "kein Fehler angegeben";
constexpr char kUnknownFailure[] = "Unbestimmter Fehler, (Ausnahme vom Betriebssystem?)\n";

// Log level 2 gives debug level 1 (with the window on TCP), 3 debug level 2.
std::uint16_t DebugLevelOf(int logLevel) {
  if (logLevel == 2) return 1;
  if (logLevel == 3) return 2;
  return 0;
}

// The readable class name of an exception, such as "std::bad_alloc".
std::string ClassName(const std::exception& failure) {
  const char* mangled = typeid(failure).name();
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> readable(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                             &std::free);
  return status == 0 && readable ? readable.get() : mangled;
}

// Releases whatever link is really held: descriptor and interface object.
void ReleaseLink(KommGlobals& g) {
  if (g.netz) {
    g.netz->Close();
    g.netz.reset();
  }
  if (g.serial) {
    g.serial->Close();
    g.serial.reset();
  }
  g.interfaceType = kInterfaceNone;
  g.open = false;
}

int OpenKommSer(int comPort, int baudRate, int rtsControl, int logLevel) {
  KommGlobals& g = Globals();
  try {
    // A refused open leaves an open link as it is: check before touching any state.
    if (comPort < 0 || comPort > 99) throw KommText{"ungültiger Port!\nPort<0 oder Port>99? \n"};
    if (g.open) throw KommText{"Schnittstelle ist bereits offen\n"};
    g.debugLevel = DebugLevelOf(logLevel);
    g.interfaceType = kInterfaceNone;
    std::shared_ptr<T_Serial_Interface> serial;
    try {
      serial = std::make_shared<T_Serial_Interface>(false);
    } catch (const std::bad_alloc&) {
      throw KommText{"kein Speicher fuer Kommunikationsklasse (seriell) "};
    }
    if (serial->Open(comPort, baudRate, rtsControl, static_cast<unsigned int>(g.replyTimeoutMs)) == 1) {
      g.serial = std::move(serial);
      g.open = true;
      g.interfaceType = kInterfaceSerial;
      return kInterfaceSerial;
    }
    SetLastError("Fehler beim Öffnen der Schnittstelle com" + std::to_string(comPort) + "\n");
  } catch (const KommText& failure) {
    SetLastError(failure.text);
  } catch (...) {
    SetLastError(kUnknownFailure);
  }
  return 0;
}

int CloseKommunikation(int interfaceType) {
  KommGlobals& g = Globals();
  int result = 0;
  try {
    if (!g.open) throw KommText{"keine Schnittstelle offen.\n"};
    // Closing with the type of the link that is not open fails; the protocol and debug logs
    // say so, the last failure text stays as it is.
    if ((interfaceType == kInterfaceNetz && !g.netz) || (interfaceType == kInterfaceSerial && !g.serial)) {
      result = -1;
    }
  } catch (const KommText& failure) {
    SetLastError(failure.text);
    result = -1;
  } catch (const std::exception& failure) {
    SetLastError("Exception \"" + ClassName(failure) + " -> " + failure.what() +
                 "\"in Funktion 'CloseKommunikation()!\n");
    result = -1;
  } catch (...) {
    SetLastError("unbekannte Exception in Funktion 'CloseKommunikation()!\n");
    result = -1;
  }
  // Whatever the type asked for, nothing stays held after a close.
  ReleaseLink(g);
  return result;
}

int OpenKommNet(int tcpPort, const char* hostText, int logLevel) {
  KommGlobals& g = Globals();
  const std::string host = hostText != nullptr ? hostText : "";
  std::unique_ptr<T_Netz_Interface> netz;
  try {
    // An open link is closed first, as a close for the network type does it.
    if (g.open && CloseKommunikation(kInterfaceNetz) != 0) {
      throw KommText{"Schnittstelle ist bereits offen, Fehler beim schliessen der Schnittstelle \n"};
    }
    g.debugLevel = DebugLevelOf(logLevel);
    g.interfaceType = kInterfaceNone;
    try {
      netz = std::make_unique<T_Netz_Interface>(0, g.debugLevel);
    } catch (const std::bad_alloc&) {
      throw KommText{"kein Speicher fuer Kommunikationsklasse (netz)\n"};
    }
    if (netz->Open(tcpPort, host, static_cast<unsigned int>(g.replyTimeoutMs)) == 1) {
      g.netz = std::move(netz);
      g.open = true;
      g.interfaceType = kInterfaceNetz;
      return kInterfaceNetz;
    }
    char text[96];
    std::snprintf(text, sizeof text, "Fehler beim Oeffnen der Socketverbindung zum Port %d von ", tcpPort);
    SetLastError(text + host + " (" + g.lastError + ") ");
  } catch (const KommText& failure) {
    SetLastError(failure.text);
  } catch (...) {
    SetLastError(kUnknownFailure);
  }
  netz.reset();
  return 0;
}

int SetLogDirectory(const char* directory) {
  KommGlobals& g = Globals();
  try {
    g.logDirectory = directory != nullptr ? directory : "";
    struct stat info {};
    if (stat(g.logDirectory.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return 0;
    SetLastError("Directory existiert nicht: '" + g.logDirectory + "'!");
  } catch (...) {
    SetLastError("unerwartete Exception in Funktion 'SetLogDirectory()!\n");
  }
  g.logDirectory.clear();
  return -1;
}

const char* GetLastErrorMessage() {
  KommGlobals& g = Globals();
  try {
    if (g.lastError.empty()) g.lastError = kNoError;
    return g.lastError.c_str();
  } catch (...) {
    return kNoError;
  }
}

}  // namespace
}  // namespace komm

using komm::Globals;

extern "C" {

int _OpenKommSer(int comPort, int baudRate, int rtsControl, int logLevel) {
  try {
    return komm::OpenKommSer(comPort, baudRate, rtsControl, logLevel);
  } catch (...) {
    return 0;
  }
}

int _OpenKommNet(int tcpPort, const char* host, int logLevel) {
  try {
    return komm::OpenKommNet(tcpPort, host, logLevel);
  } catch (...) {
    return 0;
  }
}

int _SendeTele(int /*interfaceType*/, int destAddr, int srcAddr, int command, const char* text, int number) {
  try {
    return komm::SendeTele(destAddr, srcAddr, command, text, number);
  } catch (...) {
    return -1;
  }
}

int _WarteAufTele(int /*interfaceType*/, int* srcOut, int ownAddr, char* textOut, int tries) {
  try {
    return komm::WarteAufTele(srcOut, ownAddr, textOut, tries);
  } catch (...) {
    return 0;
  }
}

int _CloseKommunikation(int interfaceType) {
  try {
    return komm::CloseKommunikation(interfaceType);
  } catch (...) {
    return -1;
  }
}

int _SetParameter(int /*interfaceType*/, int replyTimeoutMs) {
  // 0 (and a negative value) keeps the time-out in force.
  if (replyTimeoutMs > 0) Globals().replyTimeoutMs = replyTimeoutMs;
  return replyTimeoutMs;
}

int _SetLogDirectory(const char* directory) {
  try {
    return komm::SetLogDirectory(directory);
  } catch (...) {
    return -1;
  }
}

const char* _GetLastErrorMessage(void) { return komm::GetLastErrorMessage(); }

int _SetPing(int mode) {
  Globals().pingMode = (mode == 1 || mode == 2) ? mode : 0;
  if (mode == 1 || mode == 2) return 0;
  return mode < INT_MIN + 2 ? INT_MIN : mode - 2;
}

const char* _GetDLLVersion(void) { return komm::kDllVersion; }

}  // extern "C"
