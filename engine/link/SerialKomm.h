// The program's wrapper around the communication library: opening and closing the link by
// connection kind, the single telegram and the single answer, and the transaction (one request
// sent up to a number of times until the expected answer arrives), with the telegram numbers,
// repeat marking and protocol log lines the controller and the user rely on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include "link/Befehle.h"

// Own address of the program: the source of every telegram it sends.
constexpr int kPcAdresse = 0x300;
// Destination when the programming cable is in use.
constexpr int kKabelAdresse = 0x4000;
// Attempts of the program's transactions: each request goes out up to 3 times.
constexpr int kVersuche = 3;

// The library's reply time-out until the program sets another.
constexpr int kStandardAntwortzeitMs = 2000;

// Result codes of Kommando.
constexpr int kKommOk = 0;
constexpr int kKommKeineAntwort = 1;  // no valid answer after all attempts, or a failed send
constexpr int kKommNumNa = 2;         // the controller answered 39
constexpr int kKommUnbekannt = 3;     // the controller answered 255

// The reply buffer the callers hand in; the library writes at most 1024 text bytes and a NUL.
constexpr std::size_t kAntwortPufferGroesse = 2048;
using AntwortPufferRef = std::span<char, kAntwortPufferGroesse>;

class TSerialKomm {
 public:
  TSerialKomm(int reserve, bool fake);
  ~TSerialKomm();
  TSerialKomm(const TSerialKomm&) = delete;
  TSerialKomm& operator=(const TSerialKomm&) = delete;

  // kind 0 network (tcpPort, ip), 1 serial (comPort at 9600 baud). 0 = open (or simulated),
  // 1 = failed (the library's last error text says why). Other kinds fail without a library call.
  int Open(int kind, int comPort, int tcpPort, const std::string& ip);
  // Closes a real open link (also when the simulation switch was set after it was opened) and
  // returns the library's result; else 1 while simulating, 0 with nothing open.
  int Close();

  // Straight to the library, whatever the simulation switch and the link state.
  int SendeTele(int dest, int source, int command, const std::string& text, int number);
  int WarteAufTele(int* sender, int ownAddress, char* reply, int tries);
  // Sets the library's reply time-out; a value of 0 or less keeps the one in force, as the
  // library does.
  void SetParameter(int milliseconds);
  // The reply time-out in force in the library: its default until set through this wrapper.
  int Antwortzeit() const { return AntwortzeitMs; }

  void SetFake(bool fake);
  bool IstFake() const { return Fake; }
  // Log level of the library's opens: 2 while the program's protocol log is on, else 0.
  void SetLogMode(bool on);

  // The transaction. `log` receives the lines of every attempt when not null. Returns
  // kKommOk, kKommKeineAntwort, kKommNumNa or kKommUnbekannt. The reply buffer holds the text
  // of the last answer read; a simulated transaction leaves it as it was.
  int Kommando(int dest, int source, std::FILE* log, int attempts, AntwortPufferRef reply, int expected,
               const std::string& text, int command);
  // The same transaction, true on success.
  bool KommandoOk(int dest, int source, std::FILE* log, int attempts, AntwortPufferRef reply, int expected,
                  const std::string& text, int command);

 private:
  enum class Form { Kommando, KommandoOk };
  int Transaktion(Form form, int dest, int source, std::FILE* log, int attempts, AntwortPufferRef reply, int expected,
                  const std::string& text, int command);

  std::int32_t Handle = 0;       // interface type returned by the last successful open
  bool Offen = false;            // a real link is open
  bool Fake = false;             // simulation switch
  std::int32_t Folgenummer = 0;  // telegram counter 0..63
  std::int32_t LogModus = 0;     // log level handed to the library opens
  std::int32_t Reservewert = 0;  // given by the owner, not read
  int AntwortzeitMs = kStandardAntwortzeitMs;
};

// Pause of `ms` milliseconds during which pending window messages are processed.
void Warte(unsigned ms);
