// The program's four exception classes. They share no base: a handler catches each class
// it expects by itself and shows Meldung (UTF-8).
#pragma once

#include <string>

struct StdError {
  std::string Meldung;
  explicit StdError(std::string text) : Meldung(std::move(text)) {}
};

struct KommError {
  std::string Meldung;
  KommError(const std::string& a, const std::string& b) : Meldung(a + b) {}
};

struct IoError {
  std::string Meldung;
  IoError(const std::string& a, const std::string& b) : Meldung(a + b) {}
};

struct ListError {
  std::string Meldung;
  ListError(const std::string& text, int index) : Meldung(text + std::to_string(index)) {}
};
