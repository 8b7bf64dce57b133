// The exchange sort written out over a plain vector, as the reference for the list's sort:
// for p = 0 .. n-2, p's element is exchanged with every later one that compares positive
// (ascending, richtung 0) or negative (descending, richtung 1) against the element p holds at
// that moment.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "model/Array.h"

template <typename E>
std::vector<const E*> Tauschsortierung(std::vector<const E*> v, int (*vergleiche)(const E*, const E*), int richtung) {
  for (std::size_t p = 0; p + 1 < v.size(); ++p) {
    for (std::size_t q = p + 1; q < v.size(); ++q) {
      const int c = vergleiche(v[p], v[q]);
      if ((richtung == 0 && c > 0) || (richtung == 1 && c < 0)) std::swap(v[p], v[q]);
    }
  }
  return v;
}

// The elements of a list along its links.
template <typename E>
std::vector<const E*> Inhalt(const Array<E*>& liste) {
  std::vector<const E*> v;
  for (auto* k = liste.Kopf; k != nullptr; k = k->Next) v.push_back(k->Daten);
  return v;
}
