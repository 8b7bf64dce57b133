// The program's four exception classes. They share no base: a handler catches each class
// it expects by itself and shows Meldung (UTF-8), the complete message.
#pragma once

#include <string>
#include <utility>

struct StdError {
  std::string Meldung;
  explicit StdError(std::string text) : Meldung(std::move(text)) {}
};

// An error text followed by the port name, the IP address or an operation's suffix.
struct KommError {
  std::string Meldung;
  KommError(const std::string& a, const std::string& b) : Meldung(a + b) {}
};

// An error text followed by a file name, or unusable controller data.
struct IoError {
  std::string Meldung;
  IoError(const std::string& a, const std::string& b) : Meldung(a + b) {}
};

// A list position out of range or not present: the text directly followed by the position
// in decimal.
struct ListError {
  std::string Meldung;
  ListError(const std::string& text, int index) : Meldung(text + std::to_string(index)) {}
};
