#include "ScriptedKomm.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <gtest/gtest.h>

namespace {

ScriptedKomm* active = nullptr;

// The library copies at most this many answer bytes, then a NUL.
constexpr std::size_t kMaxReplyText = 1023;

}  // namespace

ScriptedKomm::ScriptedKomm() {
  if (active != nullptr) throw std::logic_error("a ScriptedKomm is already in place");
  previous_ = TauscheKommTabelle(
      {OpenKommSer, OpenKommNet, SendeTele, WarteAufTele, CloseKommunikation, SetParameter, GetLastErrorMessage});
  active = this;
}

ScriptedKomm::~ScriptedKomm() {
  TauscheKommTabelle(previous_);
  active = nullptr;
}

ScriptedKomm& ScriptedKomm::Active() {
  if (active == nullptr) throw std::logic_error("no ScriptedKomm in place");
  return *active;
}

void ScriptedKomm::Answer(int code, std::string text, int sender) {
  replies_.push_back({code, std::move(text), sender});
}

void ScriptedKomm::Silence() { replies_.push_back({}); }

void ScriptedKomm::FailOpen(std::string lastError) {
  OpenSerResult = 0;
  OpenNetResult = 0;
  LastError = std::move(lastError);
}

std::vector<ScriptedKomm::Call> ScriptedKomm::Calls(Fn fn) const {
  std::vector<Call> selected;
  for (const Call& c : calls_) {
    if (c.fn == fn) selected.push_back(c);
  }
  return selected;
}

namespace {
// One field of every telegram sent, in order.
template <typename T>
std::vector<T> OfSent(const std::vector<ScriptedKomm::Call>& calls, T ScriptedKomm::Call::*field) {
  std::vector<T> values;
  for (const ScriptedKomm::Call& c : calls) {
    if (c.fn == ScriptedKomm::Fn::SendeTele) values.push_back(c.*field);
  }
  return values;
}
}  // namespace

std::vector<int> ScriptedKomm::SentNumbers() const { return OfSent(calls_, &Call::number); }
std::vector<int> ScriptedKomm::SentCommands() const { return OfSent(calls_, &Call::command); }
std::vector<std::string> ScriptedKomm::SentTexts() const { return OfSent(calls_, &Call::text); }

int ScriptedKomm::OpenKommSer(int comPort, int baudRate, int rtsControl, int logLevel) {
  ScriptedKomm& k = Active();
  Call c{Fn::OpenKommSer};
  c.comPort = comPort;
  c.baudRate = baudRate;
  c.rts = rtsControl;
  c.logLevel = logLevel;
  k.calls_.push_back(c);
  return k.OpenSerResult;
}

int ScriptedKomm::OpenKommNet(int tcpPort, const char* host, int logLevel) {
  ScriptedKomm& k = Active();
  Call c{Fn::OpenKommNet};
  c.tcpPort = tcpPort;
  c.host = host != nullptr ? host : "";
  c.logLevel = logLevel;
  k.calls_.push_back(c);
  return k.OpenNetResult;
}

int ScriptedKomm::SendeTele(int handle, int destAddr, int srcAddr, int command, const char* text, int number) {
  ScriptedKomm& k = Active();
  Call c{Fn::SendeTele};
  c.handle = handle;
  c.dest = destAddr;
  c.source = srcAddr;
  c.command = command;
  c.text = text != nullptr ? text : "";
  c.number = number;
  k.calls_.push_back(c);
  k.lastSent_ = c;
  if (k.sendResults_.empty()) return 0;
  const int result = k.sendResults_.front();
  k.sendResults_.pop_front();
  return result;
}

int ScriptedKomm::WarteAufTele(int handle, int* srcOut, int ownAddr, char* textOut, int tries) {
  ScriptedKomm& k = Active();
  Call c{Fn::WarteAufTele};
  c.handle = handle;
  c.ownAddr = ownAddr;
  c.tries = tries;
  k.calls_.push_back(c);

  Reply reply;
  if (!k.replies_.empty()) {
    reply = k.replies_.front();
    k.replies_.pop_front();
  } else if (k.responder_ && k.lastSent_) {
    reply = k.responder_(*k.lastSent_);
  }
  if (reply.code == 0) return 0;
  if (srcOut == nullptr || textOut == nullptr) {
    ADD_FAILURE() << "WarteAufTele called without a sender variable or reply buffer";
    return 0;
  }
  *srcOut = reply.sender == kDestination ? (k.lastSent_ ? k.lastSent_->dest : 0) : reply.sender;
  const std::size_t n = std::min(reply.text.size(), kMaxReplyText);
  std::memcpy(textOut, reply.text.data(), n);
  textOut[n] = '\0';
  return reply.code;
}

int ScriptedKomm::CloseKommunikation(int handle) {
  ScriptedKomm& k = Active();
  Call c{Fn::CloseKommunikation};
  c.handle = handle;
  k.calls_.push_back(c);
  return 0;
}

int ScriptedKomm::SetParameter(int handle, int replyTimeoutMs) {
  ScriptedKomm& k = Active();
  Call c{Fn::SetParameter};
  c.handle = handle;
  c.ms = replyTimeoutMs;
  k.calls_.push_back(c);
  return 0;
}

const char* ScriptedKomm::GetLastErrorMessage() {
  ScriptedKomm& k = Active();
  k.calls_.push_back(Call{Fn::GetLastErrorMessage});
  return k.LastError.c_str();
}
