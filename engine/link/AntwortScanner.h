// The one reader of controller answers. An answer is a short text of decimal numbers, single
// characters, blank-free words and punctuation in a fixed order; the scanner walks it part by
// part, the way a scanf format would, but bounded everywhere:
//
//   - Zahl: white space skipped, then an optional sign and at least one decimal digit. The value
//     is stored only when it lies in [min, max] (default: the range of the target type); a value
//     outside, or no digit at all, is a mismatch.
//   - Zeichen: the next character, whatever it is (no white space skipped); only the end of the
//     answer is a mismatch.
//   - Wort: white space skipped, then the whole run of characters up to the next white space.
//     The run is consumed entirely and stored NUL-terminated, cut to the field (at most size - 1
//     bytes); the rest of the field is zeroed. No characters at all (end of the answer) is a
//     mismatch.
//   - Literal: the next character must be the one given (no white space skipped).
//   - Leerraum: skips any run of white space (blank, tab, CR, LF, VT, FF), none included; it
//     never fails. This is what a blank between two parts of a format does.
//
// The first part that does not match stops the scanner: that part and every later one leave
// their target as it was, so a field the answer does not supply keeps its value. Ok() tells
// whether every part so far matched, Felder() how many targets were stored.
//
// The text read is the answer up to its first NUL, never beyond the buffer handed in.
//
//   AntwortScanner s(AntwortPuffer);
//   s.Zahl(flags).Leerraum().Wort(Geraetedaten.NameTuer1).Leerraum().Wort(Geraetedaten.NameTuer2);
//   if (!s.Ok()) ...   // the answer stopped early; the fields not reached kept their values
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

class AntwortScanner {
 public:
  // Reads `text` (up to its first NUL, if any).
  explicit AntwortScanner(std::string_view text);
  // Reads a buffer (a char array such as AntwortPuffer, or a span) up to its first NUL, or
  // the whole buffer when it has none; never beyond it.
  template <std::size_t N>
  explicit AntwortScanner(const char (&puffer)[N]) : AntwortScanner(std::string_view(puffer, N)) {}
  template <typename Puffer>
  requires(std::convertible_to<const Puffer&, std::span<const char>> &&
           !std::convertible_to<const Puffer&, std::string_view>) explicit AntwortScanner(const Puffer& puffer)
      : AntwortScanner(std::string_view(std::span<const char>(puffer).data(), std::span<const char>(puffer).size())) {}

  AntwortScanner& Leerraum();

  template <std::integral T>
  AntwortScanner& Zahl(T& wert, std::int64_t min = std::numeric_limits<T>::min(),
                       std::int64_t max = static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
    std::int64_t gelesen = 0;
    if (LiesZahl(gelesen, min, max)) {
      wert = static_cast<T>(gelesen);
      ++felder_;
    }
    return *this;
  }

  AntwortScanner& Zeichen(char& zeichen);
  AntwortScanner& Zeichen(std::uint8_t& zeichen);

  AntwortScanner& Wort(std::span<char> feld);
  template <std::size_t N>
  AntwortScanner& Wort(char (&feld)[N]) {
    static_assert(N > 0);
    return Wort(std::span<char>(feld, N));
  }

  AntwortScanner& Literal(char zeichen);

  // Every part so far matched.
  bool Ok() const { return ok_; }
  // Number of targets stored so far.
  int Felder() const { return felder_; }
  // Characters consumed so far.
  std::size_t Position() const { return pos_; }

 private:
  bool LiesZahl(std::int64_t& wert, std::int64_t min, std::int64_t max);
  void UeberspringeLeerraum();

  std::string_view text_;
  std::size_t pos_ = 0;
  bool ok_ = true;
  int felder_ = 0;
};

// True for the characters a blank in a scanf format skips (C locale).
constexpr bool IstLeerraum(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
