#include "model/Vergleiche.h"

#include <cstddef>
#include <cstdint>

namespace {

// A field read from a file or a telegram may lack its NUL: the field's end ends the text too.
template <std::size_t N>
int VergleicheText(const char (&a)[N], const char (&b)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
  return 0;
}

int VergleicheZahl(std::uint16_t a, std::uint16_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

}  // namespace

int VergleicheBuchungName(const books* a, const books* b) { return VergleicheText(a->Name, b->Name); }

int VergleicheBuchungKarte(const books* a, const books* b) { return VergleicheText(a->Karte, b->Karte); }

int VergleicheBuchungZeit(const books* a, const books* b) {
  const std::uint16_t books::*const felder[] = {&books::Jahr,   &books::Monat,  &books::Tag,
                                                &books::Stunde, &books::Minute, &books::Sekunde};
  for (const auto feld : felder) {
    if (const int c = VergleicheZahl(a->*feld, b->*feld); c != 0) return c;
  }
  return 0;
}

int VergleichePersonName(const PERSON* a, const PERSON* b) { return VergleicheText(a->Name, b->Name); }

int VergleichePersonKarte(const PERSON* a, const PERSON* b) { return VergleicheText(a->Karte, b->Karte); }

int VergleichePersonProfil(const PERSON* a, const PERSON* b) { return VergleicheText(a->Profil, b->Profil); }
