#include "text/WireText.h"

namespace {

char Kodiert(unsigned char c) {
  switch (c) {
    case 0x20: return '!';
    case 0xDF: return '$';
    case 0xE4:
    case 0xC4: return '#';
    case 0xF6:
    case 0xD6: return '/';
    case 0xFC:
    case 0xDC: return '&';
    default: return static_cast<char>(c);
  }
}

char Dekodiert(unsigned char c) {
  switch (c) {
    case '!':
    case 0xA7:
    case '%': return ' ';
    case '$': return static_cast<char>(0xDF);
    case '#': return static_cast<char>(0xE4);
    case '/': return static_cast<char>(0xF6);
    case '&': return static_cast<char>(0xFC);
    default: return static_cast<char>(c);
  }
}

template <typename Abbildung>
void Bilde(std::span<char> text, Abbildung abbildung) {
  for (char& c : text) {
    if (c == '\0') return;
    c = abbildung(static_cast<unsigned char>(c));
  }
}

}  // namespace

void KodiereText(std::span<char> text) { Bilde(text, Kodiert); }

void DekodiereText(std::span<char> text) { Bilde(text, Dekodiert); }
