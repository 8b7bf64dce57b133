// The order of the list's exchange sort, reached in n log n.
//
// The exchange sort (for p = 0 .. n-2, exchange p's element with every later element that
// belongs before it) puts unequal elements in key order, but moves equal elements past each
// other through their exchanges with the others; the files keep that order, so a faster sort
// has to give it exactly. After a stable sort of the positions by key, each class of equal
// elements stands in its place in the target order with its members in list order; this
// helper then puts each class's members into the exchange sort's order.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// `reihenfolge`: the list positions 0 .. n-1, stable-sorted by key in the target order.
// `klassenbeginn[i]`: nonzero when reihenfolge[i] starts a class of equal elements.
// Rewrites each class's members in `reihenfolge` in the exchange sort's order. Throws
// std::bad_alloc, with `reihenfolge` unchanged, when its working arrays cannot be had.
//
// Walking a class's members in list order, each is appended to a run; after each member the
// run turns left by g modulo its length, g being the number of elements of earlier classes
// that stand in the list between this member and the next member of the class (or the end).
// The run is the class's order.
void OrdneKlassenWieTauschsortierung(std::span<std::int32_t> reihenfolge, std::span<const std::uint8_t> klassenbeginn);

// The positions 0 .. n-1 of `daten` stable-sorted by `vor` (true when its first element
// belongs before its second) into `reihenfolge`, and the starts of the classes of equal
// elements marked in `klassenbeginn`. Throws std::bad_alloc when its arrays cannot be had.
//
// A list sorted by name or card holds few distinct keys (one per person): each element then
// finds its class among the distinct keys met so far by binary search, reading the records
// in list order and the few keys over and over, and a counting pass orders the classes. Once
// more than kWenigeSchluessel keys appear, a stable sort of (element, position) pairs does it.
inline constexpr std::size_t kWenigeSchluessel = 1024;

template <typename E, typename Vor>
bool OrdneNachWenigenSchluesseln(std::span<E* const> daten, Vor vor, std::span<std::int32_t> reihenfolge,
                                 std::span<std::uint8_t> klassenbeginn) {
  struct Schluessel {
    const E* Vertreter;   // the first element of the class in list order
    std::int32_t Klasse;  // the number of the class, in the order the keys appeared
  };
  std::vector<Schluessel> schluessel;  // the distinct keys in target order
  schluessel.reserve(kWenigeSchluessel + 1);
  std::vector<std::int32_t> klasse(daten.size());
  for (std::size_t i = 0; i < daten.size(); ++i) {
    const auto stelle = std::lower_bound(schluessel.begin(), schluessel.end(), daten[i],
                                         [&](const Schluessel& s, const E* e) { return vor(s.Vertreter, e); });
    if (stelle == schluessel.end() || vor(daten[i], stelle->Vertreter)) {
      if (schluessel.size() == kWenigeSchluessel) return false;
      klasse[i] = static_cast<std::int32_t>(schluessel.size());
      schluessel.insert(stelle, Schluessel{daten[i], klasse[i]});
    } else {
      klasse[i] = stelle->Klasse;
    }
  }
  // Where each class starts in the target order, then its members in list order.
  std::vector<std::int32_t> anfang(schluessel.size() + 1, 0);
  std::vector<std::int32_t> rang(schluessel.size());
  for (std::size_t r = 0; r < schluessel.size(); ++r)
    rang[static_cast<std::size_t>(schluessel[r].Klasse)] = static_cast<std::int32_t>(r);
  for (const std::int32_t k : klasse) ++anfang[static_cast<std::size_t>(rang[static_cast<std::size_t>(k)]) + 1];
  for (std::size_t r = 0; r < schluessel.size(); ++r) anfang[r + 1] += anfang[r];
  std::fill(klassenbeginn.begin(), klassenbeginn.end(), std::uint8_t{0});
  for (std::size_t r = 0; r < schluessel.size(); ++r) klassenbeginn[static_cast<std::size_t>(anfang[r])] = 1;
  for (std::size_t i = 0; i < daten.size(); ++i) {
    std::int32_t& platz = anfang[static_cast<std::size_t>(rang[static_cast<std::size_t>(klasse[i])])];
    reihenfolge[static_cast<std::size_t>(platz++)] = static_cast<std::int32_t>(i);
  }
  return true;
}

template <typename E, typename Vor>
void OrdneStabilNachSchluessel(std::span<E* const> daten, Vor vor, std::span<std::int32_t> reihenfolge,
                               std::span<std::uint8_t> klassenbeginn) {
  if (OrdneNachWenigenSchluesseln(daten, vor, reihenfolge, klassenbeginn)) return;
  std::vector<std::pair<const E*, std::int32_t>> eintraege(daten.size());
  for (std::size_t i = 0; i < daten.size(); ++i) eintraege[i] = {daten[i], static_cast<std::int32_t>(i)};
  std::stable_sort(eintraege.begin(), eintraege.end(),
                   [&](const auto& a, const auto& b) { return vor(a.first, b.first); });
  for (std::size_t i = 0; i < daten.size(); ++i) {
    reihenfolge[i] = eintraege[i].second;
    klassenbeginn[i] = i == 0 || vor(eintraege[i - 1].first, eintraege[i].first);
  }
}
