#include "text/Codec1252.h"

#include <array>
#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F; the undefined bytes map to the C1 control of the
// same value.
constexpr std::array<char32_t, 32> kOberhalb80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t Zeichen(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kOberhalb80[b - 0x80] : static_cast<char32_t>(b); }

std::optional<unsigned char> Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kOberhalb80.size(); ++i) {
    if (kOberhalb80[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

void HaengeUtf8An(std::string& aus, char32_t cp) {
  if (cp < 0x80) {
    aus += static_cast<char>(cp);
  } else if (cp < 0x800) {
    aus += static_cast<char>(0xC0 | (cp >> 6));
    aus += static_cast<char>(0x80 | (cp & 0x3F));
  } else {  // every Windows-1252 character lies below U+10000
    aus += static_cast<char>(0xE0 | (cp >> 12));
    aus += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    aus += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The next code point of a UTF-8 text, strictly decoded (no overlong forms, surrogates or
// values above U+10FFFF); empty on a malformed sequence.
std::optional<char32_t> NaechstesZeichen(std::string_view text, std::size_t& pos) {
  const auto b0 = static_cast<unsigned char>(text[pos++]);
  if (b0 < 0x80) return b0;
  std::size_t folge = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((b0 & 0xE0) == 0xC0) {
    folge = 1;
    cp = b0 & 0x1F;
    minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    folge = 2;
    cp = b0 & 0x0F;
    minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    folge = 3;
    cp = b0 & 0x07;
    minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  for (std::size_t k = 0; k < folge; ++k) {
    if (pos >= text.size()) return std::nullopt;
    const auto b = static_cast<unsigned char>(text[pos++]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return cp;
}

}  // namespace

std::string Cp1252NachUtf8(std::string_view cp1252) {
  std::string aus;
  aus.reserve(cp1252.size());
  for (char c : cp1252) HaengeUtf8An(aus, Zeichen(static_cast<unsigned char>(c)));
  return aus;
}

std::optional<std::string> Utf8NachCp1252(std::string_view utf8) {
  std::string aus;
  aus.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::optional<char32_t> cp = NaechstesZeichen(utf8, pos);
    if (!cp) return std::nullopt;
    const std::optional<unsigned char> b = Byte(*cp);
    if (!b) return std::nullopt;
    aus += static_cast<char>(*b);
  }
  return aus;
}
