// Pieces of the transfer tests: a document object in a fresh folder, connected to a scripted
// controller or to controller_peer over TCP or a pseudo-terminal, the fixture of the person
// and profile transfers against a scripted controller, and a protocol log held in memory.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/Steuerung.h"

#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "common/PeerProcess.h"
#include "common/TempOrdner.h"

namespace transfertest {

constexpr int kAdresse = 9;
constexpr int kPtyPort = 5;  // COM5 names the peer's pseudo-terminal

enum class Weg { Tcp, Pty };

inline const char* Name(Weg weg) { return weg == Weg::Tcp ? "tcp" : "pty"; }
inline void PrintTo(Weg weg, std::ostream* os) { *os << Name(weg); }

// A new document of `jahr` in its own folder, talking to device address 9 without the cable.
class Dokument {
 public:
  explicit Dokument(std::uint16_t jahr) : steuerung_(std::make_unique<TSteuerung>(jahr, ordner_.Pfad())) {
    steuerung_->SetAdresse(kAdresse);
    steuerung_->Kabel = false;
  }
  TSteuerung& operator*() { return *steuerung_; }
  TSteuerung* operator->() { return steuerung_.get(); }

 private:
  TempOrdner ordner_;
  std::unique_ptr<TSteuerung> steuerung_;
};

// A new document of 2026 in its own folder with the library and the platform scripted. The
// callers of a transfer set the item bar's step to 1.
class SkriptTest : public ::testing::Test {
 protected:
  SkriptTest() : s(std::make_unique<TSteuerung>(2026, ordner.Pfad())) {
    plattform.Window().Item().SetStep(1);
    plattform.Window().ClearEvents();
  }
  void TearDown() override { plattform.VerifyAllBoxesShown(); }
  // The controller acknowledges every telegram that is not answered by the script.
  void Quittiere() {
    komm.SetResponder([](const ScriptedKomm::Call&) { return ScriptedKomm::Reply{3, "", ScriptedKomm::kDestination}; });
  }

  plattform::ProgressWindow& Status() { return plattform.Window(); }
  ScriptedProgressWindow& Fenster() { return plattform.Window(); }
  std::vector<int> Befehle() const { return komm.SentCommands(); }
  std::vector<std::string> Texte() const { return komm.SentTexts(); }

  ScriptedPlattform plattform;
  ScriptedKomm komm;
  TempOrdner ordner;
  std::unique_ptr<TSteuerung> s;
};

// Points the document at the peer: TCP on the peer's port, or serial port COM5 named by
// YBR_KOMM_COM5.
inline void Verbinde(TSteuerung& s, const ybrtest::PeerProcess& peer, Weg weg) {
  if (weg == Weg::Tcp) {
    s.Page = 0;
    s.IP = "127.0.0.1";
    s.TCPPort = peer.TcpPort();
  } else {
    ::setenv(("YBR_KOMM_COM" + std::to_string(kPtyPort)).c_str(), peer.PtyPath().c_str(), 1);
    s.Page = 1;
    s.ComPort = kPtyPort;
  }
}

// The library's reply time-out stays as last set; tests that wait for silence shorten it.
inline void Antwortzeit(TSteuerung& s, int ms) {
  ASSERT_EQ(s.Komm->Open(s.Page, s.ComPort, s.TCPPort, s.IP), 0);
  s.Komm->SetParameter(ms);
  s.Komm->Close();
}

// The commands of the telegrams the peer received, in order.
inline std::vector<int> Empfangen(const ybrtest::PeerProcess& peer) {
  std::vector<int> befehle;
  for (const ybrtest::PeerTraceLine& zeile : peer.Trace()) {
    if (zeile.dir == "rx") befehle.push_back(zeile.command);
  }
  return befehle;
}

// The texts of the telegrams with `befehl` the peer received, in order.
inline std::vector<std::string> TexteVon(const ybrtest::PeerProcess& peer, int befehl) {
  std::vector<std::string> texte;
  for (const ybrtest::PeerTraceLine& zeile : peer.Trace()) {
    if (zeile.dir == "rx" && zeile.command == befehl) texte.push_back(zeile.text);
  }
  return texte;
}

// A protocol log in memory, handed to the document as its ProtokollDatei.
class Protokoll {
 public:
  explicit Protokoll(TSteuerung& s) : steuerung_(s) {
    steuerung_.ProtokollDatei.reset(open_memstream(&daten_, &groesse_));
  }
  ~Protokoll() {
    steuerung_.ProtokollDatei.reset();
    std::free(daten_);
  }
  Protokoll(const Protokoll&) = delete;
  Protokoll& operator=(const Protokoll&) = delete;
  std::string Text() {
    std::fflush(steuerung_.ProtokollDatei.get());
    return std::string(daten_, groesse_);
  }

 private:
  TSteuerung& steuerung_;
  char* daten_ = nullptr;
  std::size_t groesse_ = 0;
};

}  // namespace transfertest
