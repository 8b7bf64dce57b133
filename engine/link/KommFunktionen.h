// The seven functions of the communication library that the engine calls, reached through
// one table of function pointers. The table starts out holding the library's own exports;
// engine tests put a scripted controller in their place.
#pragma once

struct KommFunktionen {
  int (*OpenKommSer)(int comPort, int baudRate, int rtsControl, int logLevel);
  int (*OpenKommNet)(int tcpPort, const char* host, int logLevel);
  int (*SendeTele)(int handle, int destAddr, int srcAddr, int command, const char* text, int number);
  int (*WarteAufTele)(int handle, int* srcOut, int ownAddr, char* textOut, int tries);
  int (*CloseKommunikation)(int handle);
  int (*SetParameter)(int handle, int replyTimeoutMs);
  const char* (*GetLastErrorMessage)();
};

// The table every library call of the engine goes through.
const KommFunktionen& KommTabelle();

// Puts `neu` in place and returns the table used before. Every entry must be set
// (std::invalid_argument otherwise, and the table stays as it was).
KommFunktionen TauscheKommTabelle(const KommFunktionen& neu);
