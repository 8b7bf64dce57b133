// Sorting when memory runs out: the sort's working arrays cannot be had, so the exchange sort
// runs in place and gives the same order. This program replaces the global allocation
// functions so a test can make allocations fail.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/Array.h"
#include "model/Records.h"
#include "model/Vergleiche.h"

#include "Tauschsortierung.h"
#include "common/FehlendeAllokation.h"

namespace {

int g_fehlschlagIn = 0;  // -1: every allocation fails; n > 0: the n-th from now fails
long g_vergleiche = 0;

bool Fehlschlag(std::size_t) { return g_fehlschlagIn < 0 || (g_fehlschlagIn > 0 && --g_fehlschlagIn == 0); }

int ZaehlendNachName(const books* a, const books* b) {
  ++g_vergleiche;
  return VergleicheBuchungName(a, b);
}

// Names from three values, so the list is full of ties that the exchange sort reorders.
void Fuelle(Array<books*>& liste, int anzahl) {
  std::mt19937 zufall(815);
  const char* namen[] = {"Otto", "Anna", "Emil"};
  for (int i = 0; i < anzahl; ++i) {
    auto* b = new books;
    SchreibeText(b->Name, namen[std::uniform_int_distribution<int>(0, 2)(zufall)]);
    b->Sekunde = static_cast<std::uint16_t>(i);
    liste.Append(b);
  }
}

long Sortiere(Array<books*>& liste, int fehlschlag, int richtung) {
  g_vergleiche = 0;
  g_fehlschlagIn = fehlschlag;
  ybrtest::g_allokationsRegel = Fehlschlag;
  liste.Sortiere(ZaehlendNachName, richtung);
  ybrtest::g_allokationsRegel = nullptr;
  g_fehlschlagIn = 0;
  return g_vergleiche;
}

constexpr int kAnzahl = 200;
constexpr long kTauschVergleiche = kAnzahl * (kAnzahl - 1) / 2;

TEST(SortierungOhneSpeicher, OhneJedeAllokationSortiertDieTauschsortierungAnOrtUndStelle) {
  for (int richtung : {0, 1}) {
    Array<books*> liste;
    Fuelle(liste, kAnzahl);
    const auto erwartet = Tauschsortierung(Inhalt(liste), VergleicheBuchungName, richtung);
    EXPECT_EQ(Sortiere(liste, -1, richtung), kTauschVergleiche);
    EXPECT_EQ(Inhalt(liste), erwartet);
  }
}

// Whichever of the sort's allocations fails, the order is the same; the first ones are the
// working arrays, so the exchange sort takes over.
TEST(SortierungOhneSpeicher, JedeEinzelneFehlendeAllokationGibtDieselbeFolge) {
  for (int fehlschlag = 1; fehlschlag <= 12; ++fehlschlag) {
    Array<books*> liste;
    Fuelle(liste, kAnzahl);
    const auto erwartet = Tauschsortierung(Inhalt(liste), VergleicheBuchungName, 0);
    const long vergleiche = Sortiere(liste, fehlschlag, 0);
    EXPECT_EQ(Inhalt(liste), erwartet) << "allocation " << fehlschlag;
    if (fehlschlag == 1) {
      EXPECT_EQ(vergleiche, kTauschVergleiche);
    }
  }
  Array<books*> liste;
  Fuelle(liste, kAnzahl);
  EXPECT_LT(Sortiere(liste, 0, 0), kTauschVergleiche / 4);  // with memory: n log n
}

}  // namespace
