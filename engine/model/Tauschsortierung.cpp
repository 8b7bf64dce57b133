#include "model/Tauschsortierung.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <vector>

namespace {

// Counts over the positions 0 .. n-1 (a Fenwick tree).
class Zaehler {
 public:
  // All positions 0.
  explicit Zaehler(std::size_t n) : baum_(n + 1, 0), groesse_(n) {}

  // Every position below k holds 1, every other 0; k is at most n.
  void Einsen(std::size_t k) {
    groesse_ = k;
    for (std::size_t i = 1; i <= k; ++i) baum_[i] = static_cast<std::int32_t>(i & (~i + 1));
  }
  void Addiere(std::size_t position, std::int32_t wert) {
    for (std::size_t i = position + 1; i <= groesse_; i += i & (~i + 1)) baum_[i] += wert;
  }
  // Sum over the positions below `bis`.
  std::int32_t Summe(std::size_t bis) const {
    std::int32_t summe = 0;
    for (std::size_t i = bis; i > 0; i -= i & (~i + 1)) summe += baum_[i];
    return summe;
  }
  // The position of the (k+1)-th 1, counting from position 0; with ones and zeros only.
  std::size_t Suche(std::int32_t k) const {
    std::size_t position = 0;
    for (std::size_t schritt = std::bit_floor(groesse_); schritt > 0; schritt >>= 1) {
      if (position + schritt <= groesse_ && baum_[position + schritt] <= k) {
        position += schritt;
        k -= baum_[position];
      }
    }
    return position;
  }

 private:
  std::vector<std::int32_t> baum_;
  std::size_t groesse_;
};

}  // namespace

void OrdneKlassenWieTauschsortierung(std::span<std::int32_t> reihenfolge, std::span<const std::uint8_t> klassenbeginn) {
  const std::size_t n = reihenfolge.size();
  Zaehler frueher(n);                       // positions of the elements of earlier classes
  Zaehler frei(n);                          // free places while a class's run is rebuilt
  std::vector<std::int32_t> mitglieder(n);  // a class's members in list order
  std::vector<std::int32_t> stelle(n);      // where each member went into the run
  std::vector<std::int32_t> lauf(n);        // a class's run as a ring

  for (std::size_t anfang = 0; anfang < n;) {
    std::size_t ende = anfang + 1;
    while (ende < n && klassenbeginn[ende] == 0) ++ende;
    const std::size_t k = ende - anfang;
    if (k > 1) {
      // The stable sort keeps a class in list order.
      std::copy(reihenfolge.begin() + static_cast<std::ptrdiff_t>(anfang),
                reihenfolge.begin() + static_cast<std::ptrdiff_t>(ende), mitglieder.begin());
      // The run is kept as a ring that starts at index `start`: appending puts the member
      // before the start (the ring's end), turning moves the start. Only the insertion
      // places are noted here; the ring is built from them afterwards.
      std::size_t start = 0;
      for (std::size_t j = 0; j < k; ++j) {
        stelle[j] = static_cast<std::int32_t>(start);
        const std::size_t laenge = j + 1;
        const auto position = static_cast<std::size_t>(mitglieder[j]);
        const std::size_t naechste = j + 1 < k ? static_cast<std::size_t>(mitglieder[j + 1]) : n;
        const auto g = static_cast<std::size_t>(frueher.Summe(naechste) - frueher.Summe(position + 1));
        start = (start + 1 + g) % laenge;
      }
      // Each member took the free place that its insertion index names among the places
      // that the members after it left free.
      frei.Einsen(k);
      for (std::size_t j = k; j-- > 0;) {
        const std::size_t platz = frei.Suche(stelle[j]);
        lauf[platz] = mitglieder[j];
        frei.Addiere(platz, -1);
      }
      auto ziel = reihenfolge.begin() + static_cast<std::ptrdiff_t>(anfang);
      ziel = std::copy(lauf.begin() + static_cast<std::ptrdiff_t>(start), lauf.begin() + static_cast<std::ptrdiff_t>(k),
                       ziel);
      std::copy(lauf.begin(), lauf.begin() + static_cast<std::ptrdiff_t>(start), ziel);
    }
    for (std::size_t i = anfang; i < ende; ++i) frueher.Addiere(static_cast<std::size_t>(reihenfolge[i]), 1);
    anfang = ende;
  }
}
