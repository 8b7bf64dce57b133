// The ten exports. Each one catches everything raised inside it; the outermost guard only
// keeps an exception from the error handling itself from reaching the caller.
#include <cxxabi.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <typeinfo>

#include "KommGlobals.h"
#include "KommLog.h"
#include "NetzInterface.h"
#include "SerialInterface.h"
#include "Telegramm.h"
#include "YBR_KOMM.h"

namespace komm {
namespace {

constexpr char kNoError[] = "kein Fehler angegeben";
constexpr char kUnknownFailure[] = "Unbestimmter Fehler, (Ausnahme vom Betriebssystem?)\n";
constexpr char kEndLine[] = "======================\n";

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
  // A refused open leaves an open link as it is, its logs included.
  const bool ownLogs = !g.open;
  try {
    if (ownLogs) {
      OpenLogs(LinkKind::Serial, logLevel);
      g.interfaceType = kInterfaceNone;
    }
    if (comPort < 0 || comPort > 99) throw KommText{"ungültiger Port!\nPort<0 oder Port>99? \n"};
    if (g.open) throw KommText{"Schnittstelle ist bereits offen\n"};
    std::shared_ptr<T_Serial_Interface> serial;
    try {
      serial = std::make_shared<T_Serial_Interface>();
    } catch (const std::bad_alloc&) {
      throw KommText{"kein Speicher fuer Kommunikationsklasse (seriell) "};
    }
    if (serial->Open(comPort, baudRate, rtsControl, static_cast<unsigned int>(g.replyTimeoutMs)) == 1) {
      g.serial = std::move(serial);
      g.open = true;
      RenewLastEvent();
      g.interfaceType = kInterfaceSerial;
      ProtocolLog().Write("Öffne com%d \n", comPort);
      ProtocolLog().Flush();
      return kInterfaceSerial;
    }
    SetLastError("Fehler beim Öffnen der Schnittstelle com" + std::to_string(comPort) + "\n");
    if (ownLogs) {
      DebugLog().Write("%s", g.lastError.c_str());
      DebugLog().Flush();
    }
  } catch (const KommText& failure) {
    SetLastError(failure.text);
    if (ownLogs) {
      ProtocolLog().Write("Fehler: %s ", failure.text.c_str());
      DebugLog().Write("%s", failure.text.c_str());
      DebugLog().Flush();
    }
  } catch (...) {
    SetLastError(kUnknownFailure);
    if (ownLogs) {
      ProtocolLog().Write("Fehler: %s ", kUnknownFailure);
      DebugLog().Write("Fehler: %s", kUnknownFailure);
      DebugLog().Flush();
    }
  }
  if (ownLogs) CloseLogsWithFooter();
  return 0;
}

// The closing lines of a link in its two logs, which are then closed.
void WriteClosingLines(KommGlobals& g, int type, int elapsed) {
  const Stamp now = LogZeit();
  const Stamp end = DatumZeit(g.openTime);
  if (type == kInterfaceNetz && g.netz) {
    const char* host = g.netz->GetHost().c_str();
    ProtocolLog().Write("Schliesse Socket-Port:%d, von %s\nEnde: %s\n%s", g.netz->GetPort(), host, end.c_str(),
                        kEndLine);
    DebugLog().Write("%s Zeit: %dms, Schliesse Socket-Port:%d, von %s\nEnde: %s\n%s", now.c_str(), elapsed,
                     g.netz->GetPort(), host, end.c_str(), kEndLine);
  } else if (type == kInterfaceNetz) {
    ProtocolLog().Write("Fehler Klasse fuer Schnittstelle(Netz) existiert nicht(NULL)\n");
    DebugLog().Write("%s Fehler Klasse fuer Schnittstelle(Netz) existiert nicht(NULL)\n%s", now.c_str(), kEndLine);
  } else if (g.serial) {
    ProtocolLog().Write("Schliesse Schnittstelle Com:%d\nEnde: %s\n%s", g.serial->GetPort(), end.c_str(), kEndLine);
    DebugLog().Write("%s Zeit: %dms, Schliesse Schnittstelle Com:%d\nEnde: %s\n%s", now.c_str(), elapsed,
                     g.serial->GetPort(), end.c_str(), kEndLine);
  } else {
    ProtocolLog().Write("Fehler Klasse fuer serielle Schnittstelle existiert nicht(NULL)\n");
    DebugLog().Write("%s Fehler Klasse fuer serielle Schnittstelle existiert nicht(NULL)\n%s", now.c_str(), kEndLine);
  }
  CloseLogs();
}

int CloseKommunikation(int interfaceType) {
  KommGlobals& g = Globals();
  int result = 0;
  try {
    g.openTime = Now();
    const int elapsed = SinceLastEvent();
    g.lastEventTime = 0;
    if (!g.open) throw KommText{"keine Schnittstelle offen.\n"};
    // Closing with the type of the link that is not open fails; the protocol and debug logs
    // say so, the last failure text stays as it is. A type that names no link closes the
    // link that is open, with its own closing lines.
    const int type =
        (interfaceType == kInterfaceNetz || interfaceType == kInterfaceSerial) ? interfaceType : g.interfaceType;
    if ((type == kInterfaceNetz && !g.netz) || (type == kInterfaceSerial && !g.serial)) result = -1;
    WriteClosingLines(g, type, elapsed);
  } catch (const KommText& failure) {
    SetLastError(failure.text);
    ProtocolLog().Write("Fehler: %s ", failure.text.c_str());
    DebugLog().Write("%s %s", LogZeit().c_str(), failure.text.c_str());
    result = -1;
  } catch (const std::exception& failure) {
    SetLastError("Exception \"" + ClassName(failure) + " -> " + failure.what() +
                 "\"in Funktion 'CloseKommunikation()!\n");
    DebugLog().Write("%s %s", LogZeit().c_str(), g.lastError.c_str());
    result = -1;
  } catch (...) {
    SetLastError("unbekannte Exception in Funktion 'CloseKommunikation()!\n");
    DebugLog().Write("%s %s", LogZeit().c_str(), g.lastError.c_str());
    result = -1;
  }
  // Whatever the type asked for, nothing stays held after a close, and nothing is written
  // to a log until the next open.
  CloseLogs();
  ReleaseLink(g);
  return result;
}

int OpenKommNet(int tcpPort, const char* hostText, int logLevel) {
  KommGlobals& g = Globals();
  const std::string host = hostText != nullptr ? hostText : "";
  std::unique_ptr<T_Netz_Interface> netz;
  try {
    // An open link is closed first, as a close for the network type does it; its lines go
    // into its own logs before the logs of this open are opened.
    int closed = 0;
    if (g.open) {
      ProtocolLog().Write("Schnittstelle bereits offen, versuche neu zu öffnen...\n");
      DebugLog().Write("Schnittstelle (NetzInterface: %d) bereits offen, versuche neu zu öffnen...\n",
                       g.netz ? g.netz->GetNumber() : 0);
      closed = CloseKommunikation(kInterfaceNetz);
    }
    OpenLogs(LinkKind::Netz, logLevel);
    g.interfaceType = kInterfaceNone;
    if (closed != 0) throw KommText{"Schnittstelle ist bereits offen, Fehler beim schliessen der Schnittstelle \n"};
    try {
      netz = std::make_unique<T_Netz_Interface>(g.debugLevel);
    } catch (const std::bad_alloc&) {
      throw KommText{"kein Speicher fuer Kommunikationsklasse (netz)\n"};
    }
    if (netz->Open(tcpPort, host, static_cast<unsigned int>(g.replyTimeoutMs)) == 1) {
      const Stamp now = LogZeit();
      for (LogFile* log : {&ProtocolLog(), &DebugLog()}) {
        log->Write("%s Socket-Port %d  von %s offen\n", now.c_str(), tcpPort, host.c_str());
        log->Flush();
      }
      g.netz = std::move(netz);
      g.open = true;
      g.interfaceType = kInterfaceNetz;
      RenewLastEvent();
      return kInterfaceNetz;
    }
    char text[96];
    std::snprintf(text, sizeof text, "Fehler beim Oeffnen der Socketverbindung zum Port %d von ", tcpPort);
    SetLastError(text + host + " (" + g.lastError + ") ");
    DebugLog().Write("%s%s", LogZeit().c_str(), g.lastError.c_str());
    ProtocolLog().Write("%s", g.lastError.c_str());
  } catch (const KommText& failure) {
    SetLastError(failure.text);
    ProtocolLog().Write("Fehler: %s ", failure.text.c_str());
    DebugLog().Write("%s %s", LogZeit().c_str(), failure.text.c_str());
    DebugLog().Flush();
  } catch (...) {
    SetLastError(kUnknownFailure);
    ProtocolLog().Write("Fehler: %s ", kUnknownFailure);
    DebugLog().Write("%s Fehler: %s", LogZeit().c_str(), kUnknownFailure);
    DebugLog().Flush();
  }
  try {
    const int number = netz ? netz->GetNumber() : 0;
    netz.reset();
    DebugLog().Write("%s Loesche (NetzInterface: %d)\n", LogZeit().c_str(), number);
  } catch (...) {
    DebugLog().Write("%s  Exeption: OpenKommNet->Cleanup()\n", LogZeit().c_str());
  }
  CloseLogsWithFooter();
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
