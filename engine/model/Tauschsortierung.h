// The order of the list's exchange sort, reached in n log n.
//
// The exchange sort (for p = 0 .. n-2, exchange p's element with every later element that
// belongs before it) puts unequal elements in key order, but moves equal elements past each
// other through their exchanges with the others; the files keep that order, so a faster sort
// has to give it exactly. After a stable sort of the positions by key, each class of equal
// elements stands in its place in the target order with its members in list order; this
// helper then puts each class's members into the exchange sort's order.
#pragma once

#include <cstdint>
#include <span>

// `reihenfolge`: the list positions 0 .. n-1, stable-sorted by key in the target order.
// `klassenbeginn[i]`: nonzero when reihenfolge[i] starts a class of equal elements.
// Rewrites each class's members in `reihenfolge` in the exchange sort's order. Throws
// std::bad_alloc, with `reihenfolge` unchanged, when its working arrays cannot be had.
//
// Walking a class's members in list order, each is appended to a run; after each member the
// run turns left by g modulo its length, g being the number of elements of earlier classes
// that stand in the list between this member and the next member of the class (or the end).
// The run is the class's order.
void OrdneKlassenWieTauschsortierung(std::span<std::int32_t> reihenfolge,
                                     std::span<const std::uint8_t> klassenbeginn);
