// The common frame of every transfer operation that talks to the controller: it opens the link
// at its start, runs the operation's transactions (source 768, 3 attempts, destination the device
// address or 0x4000 with the programming cable), keeps each result in the caller's KommErgebnis,
// and closes the link on every way out, before an exception reaches the caller.
//
// Use (a send of n records, say):
//
//   bool TSteuerung::SendeEtwas() {
//     Uebertragung u(*Komm, {Page, ComPort, TCPPort, IP, Adresse, Kabel}, ProtokollDatei,
//                    AntwortPuffer, KommErgebnis,
//                    Texte::KommFehlerTexte[Texte::kommfehler::BeimSendenDerPersonen]);  // opens or throws
//     u.Komm().SetParameter(2000);            // the wrapper itself, for what the frame does not cover
//     u.Kommando(befehl::Personenanzahl, SendeText, kAntwortAck);  // throws KommError on a failed transaction
//     ... parse AntwortPuffer, more u.Kommando(...) ...
//     u.Schliessen();                          // success: close now
//     return true;
//   }                                          // any exception: the destructor closes the link
//
// Failures, all as KommError:
//   - the link cannot be opened: "Schnittstelle nicht verfügbar.\n" + the library's last error text
//     (thrown by the constructor; nothing is open then);
//   - Kommando result 1: "Steuerung antwortet nicht\nauf Anschluß " + the port name (serial link,
//     see Anschlussname) or the IP text (network link);
//   - Kommando result 2 or 3: its communication error text + the operation's suffix.
// An exception the operation raises itself passes unchanged; the link is closed on the way.
// Operations with their own failure texts (the KommandoOk forms, the bookings requests) call
// KommandoOk, or u.Komm().Kommando(u.Ziel(), ...) and build their KommError themselves.
#pragma once

#include <cstdio>
#include <string>

#include "link/SerialKomm.h"
#include "model/Fehler.h"

// The connection settings of the document object.
struct Verbindung {
  int Page = 1;  // connection kind: 0 network (TCP), 1 serial
  int ComPort = 2;
  int TCPPort = 10001;
  std::string IP;
  int Adresse = 9;    // device address 0..15
  bool Kabel = true;  // programming cable: every telegram goes to 0x4000
};

// Destination of the telegrams: the device address, or 0x4000 with the programming cable.
int Zieladresse(const Verbindung& verbindung);

// Name of serial port `comPort` in messages and the protocol log's file name: "Com1" .. "Com24"
// from the port table, and "Com" followed by the number for any other value.
std::string Anschlussname(int comPort);

class Uebertragung {
 public:
  // Opens the link with the settings; KommError when it cannot be opened.
  // `protokoll` (may be null) receives the attempt lines of Kommando and KommandoOk, `antwort`
  // the answer texts, `kommErgebnis` the result of every Kommando; `suffix` completes the
  // texts of results 2 and 3. All of them must outlive the frame.
  Uebertragung(TSerialKomm& komm, const Verbindung& verbindung, std::FILE* protokoll, AntwortPufferRef antwort,
               int& kommErgebnis, std::string suffix);
  // Closes the link unless Schliessen did already.
  ~Uebertragung();
  Uebertragung(const Uebertragung&) = delete;
  Uebertragung& operator=(const Uebertragung&) = delete;

  int Ziel() const { return ziel_; }
  TSerialKomm& Komm() { return komm_; }

  // One transaction: `text` with `command`, answer `expected`. The result goes into
  // kommErgebnis; a nonzero result throws Fehler(result).
  void Kommando(int command, const std::string& text, int expected);
  // The yes/no form of the transaction; `log` is the frame's protocol log unless the operation
  // asks for none (Protokoll::Ohne). Nothing is stored, nothing thrown.
  enum class Protokoll { Mit, Ohne };
  bool KommandoOk(int command, const std::string& text, int expected, Protokoll log = Protokoll::Mit);

  // Closes the link now (end of a successful operation, or before the answer is parsed).
  void Schliessen();

  // The KommError for transaction result r (1, 2 or 3) with this frame's port or IP and suffix.
  KommError Fehler(int r) const;

 private:
  TSerialKomm& komm_;
  Verbindung verbindung_;
  std::FILE* protokoll_;
  AntwortPufferRef antwort_;
  int& kommErgebnis_;
  std::string suffix_;
  int ziel_;
  bool offen_ = false;
};
