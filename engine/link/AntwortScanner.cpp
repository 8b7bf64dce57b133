#include "link/AntwortScanner.h"

#include <algorithm>
#include <cstring>

namespace {
std::string_view BisNul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}
}  // namespace

AntwortScanner::AntwortScanner(std::string_view text) : text_(BisNul(text)) {}

void AntwortScanner::UeberspringeLeerraum() {
  while (pos_ < text_.size() && IstLeerraum(text_[pos_])) ++pos_;
}

AntwortScanner& AntwortScanner::Leerraum() {
  if (ok_) UeberspringeLeerraum();
  return *this;
}

bool AntwortScanner::LiesZahl(std::int64_t& wert, std::int64_t min, std::int64_t max) {
  if (!ok_) return false;
  UeberspringeLeerraum();
  std::size_t p = pos_;
  bool negativ = false;
  if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) {
    negativ = text_[p] == '-';
    ++p;
  }
  const std::size_t ersteZiffer = p;
  // Beyond this bound the value is out of every range a caller can ask for; the digits are
  // still consumed so the scanner stands after the number.
  constexpr std::int64_t kGrenze = std::int64_t{1} << 62;
  std::int64_t betrag = 0;
  bool zuGross = false;
  while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') {
    if (betrag > (kGrenze - 9) / 10) {
      zuGross = true;
    } else {
      betrag = betrag * 10 + (text_[p] - '0');
    }
    ++p;
  }
  if (p == ersteZiffer) {
    ok_ = false;
    return false;
  }
  const std::int64_t zahl = negativ ? -betrag : betrag;
  if (zuGross || zahl < min || zahl > max) {
    ok_ = false;
    return false;
  }
  pos_ = p;
  wert = zahl;
  return true;
}

AntwortScanner& AntwortScanner::Zeichen(char& zeichen) {
  if (!ok_) return *this;
  if (pos_ >= text_.size()) {
    ok_ = false;
    return *this;
  }
  zeichen = text_[pos_++];
  ++felder_;
  return *this;
}

AntwortScanner& AntwortScanner::Zeichen(std::uint8_t& zeichen) {
  char c = static_cast<char>(zeichen);
  Zeichen(c);
  zeichen = static_cast<std::uint8_t>(c);
  return *this;
}

AntwortScanner& AntwortScanner::Wort(std::span<char> feld) {
  if (!ok_) return *this;
  UeberspringeLeerraum();
  const std::size_t anfang = pos_;
  while (pos_ < text_.size() && !IstLeerraum(text_[pos_])) ++pos_;
  if (pos_ == anfang || feld.empty()) {
    ok_ = false;
    return *this;
  }
  const std::size_t laenge = std::min(pos_ - anfang, feld.size() - 1);
  std::memcpy(feld.data(), text_.data() + anfang, laenge);
  std::memset(feld.data() + laenge, 0, feld.size() - laenge);
  ++felder_;
  return *this;
}

AntwortScanner& AntwortScanner::Literal(char zeichen) {
  if (!ok_) return *this;
  if (pos_ < text_.size() && text_[pos_] == zeichen) {
    ++pos_;
  } else {
    ok_ = false;
  }
  return *this;
}
