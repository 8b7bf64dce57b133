// A scripted stand-in for the seven library functions the engine calls.
//
//   ScriptedKomm komm;                      // puts itself into the table, restores it on destruction
//   komm.Answer(77, "ZO 10 V.03.01.07");    // the next wait returns code 77 from the destination
//   komm.Silence();                         // the next wait returns 0 (no answer)
//   komm.Answer(3, "", 5);                  // code 3, but sent by address 5
//   komm.FailNextSend();                    // the next send returns -1
//   komm.QueueSendResult(0);                // results of the coming sends, in order (default 0)
//   ... run the engine ...
//   komm.Sent()                             // the telegrams sent, in order, with their numbers
//
// Answers are taken in order by the waits. With the queue empty, the responder (when set) is
// asked with the last telegram sent; without one the wait returns 0, as a silent controller does.
// A scripted answer with sender kDestination comes from the destination of the last telegram
// sent. Every call is recorded with its arguments in Calls().
//
// Opens return `OpenSerResult` / `OpenNetResult` (2 and 1, the interface types) until FailOpen
// makes them return 0 with the given last-error text. Close and SetParameter return 0.
// Make it before the objects that call the library (a TSerialKomm closes its link when it
// is destroyed) and use one at a time.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/KommFunktionen.h"

class ScriptedKomm {
 public:
  enum class Fn {
    OpenKommSer,
    OpenKommNet,
    SendeTele,
    WarteAufTele,
    CloseKommunikation,
    SetParameter,
    GetLastErrorMessage
  };

  struct Call {
    Fn fn = Fn::SendeTele;
    int handle = 0;      // first argument of send, wait, close, set-parameter
    int comPort = 0;     // OpenKommSer
    int baudRate = 0;    // OpenKommSer
    int rts = 0;         // OpenKommSer
    int tcpPort = 0;     // OpenKommNet
    std::string host{};  // OpenKommNet
    int logLevel = 0;    // both opens
    int dest = 0;        // SendeTele
    int source = 0;      // SendeTele
    int command = 0;     // SendeTele
    std::string text{};  // SendeTele
    int number = 0;      // SendeTele
    int ownAddr = 0;     // WarteAufTele
    int tries = 0;       // WarteAufTele
    int ms = 0;          // SetParameter
  };

  static constexpr int kDestination = -1;

  struct Reply {
    int code = 0;  // 0: no answer
    std::string text;
    int sender = kDestination;
  };

  ScriptedKomm();
  ~ScriptedKomm();
  ScriptedKomm(const ScriptedKomm&) = delete;
  ScriptedKomm& operator=(const ScriptedKomm&) = delete;

  void Answer(int code, std::string text = "", int sender = kDestination);
  void Silence();
  // Results of the coming sends, in order; once they are used up a send returns 0.
  void QueueSendResult(int result) { sendResults_.push_back(result); }
  void FailNextSend() { QueueSendResult(-1); }
  void FailOpen(std::string lastError);
  // Asked for an answer when the queue is empty.
  void SetResponder(std::function<Reply(const Call& sent)> responder) { responder_ = std::move(responder); }

  int OpenSerResult = 2;
  int OpenNetResult = 1;
  std::string LastError;  // what GetLastErrorMessage returns

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> Calls(Fn fn) const;
  std::vector<Call> Sent() const { return Calls(Fn::SendeTele); }
  // The telegram numbers, commands and texts of every telegram sent, in order.
  std::vector<int> SentNumbers() const;
  std::vector<int> SentCommands() const;
  std::vector<std::string> SentTexts() const;
  // Scripted answers not yet taken.
  std::size_t PendingAnswers() const { return replies_.size(); }
  void ClearCalls() { calls_.clear(); }

 private:
  static int OpenKommSer(int comPort, int baudRate, int rtsControl, int logLevel);
  static int OpenKommNet(int tcpPort, const char* host, int logLevel);
  static int SendeTele(int handle, int destAddr, int srcAddr, int command, const char* text, int number);
  static int WarteAufTele(int handle, int* srcOut, int ownAddr, char* textOut, int tries);
  static int CloseKommunikation(int handle);
  static int SetParameter(int handle, int replyTimeoutMs);
  static const char* GetLastErrorMessage();
  static ScriptedKomm& Active();

  std::vector<Call> calls_;
  std::deque<Reply> replies_;
  std::deque<int> sendResults_;
  std::function<Reply(const Call&)> responder_;
  std::optional<Call> lastSent_;
  KommFunktionen previous_;
};
