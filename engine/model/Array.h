// The list of the document's records: a doubly linked list of nodes that carry their
// position (0, 1, ..., Anzahl-1), reached by position. The list owns its elements (T is a
// pointer to the record) and frees them in Remove and Clear and when it is destroyed.
//
// Besides the links, the list keeps its nodes in position order in a vector, so Find,
// Append and a walk over all positions cost O(1) per element. The nodes, their links and
// positions belong to the list; reordering (sorting) exchanges Daten between nodes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/Fehler.h"
#include "model/Tauschsortierung.h"

template <typename T>
struct ArrayElement {
  static_assert(std::is_pointer_v<T>, "Array holds pointers to records");

  std::int32_t Index = 0;  // position, 0-based
  T Daten = nullptr;       // the element, owned by the list
  ArrayElement* Next = nullptr;
  ArrayElement* Prev = nullptr;

  ArrayElement() = default;
  ArrayElement(const ArrayElement&) = delete;
  ArrayElement& operator=(const ArrayElement&) = delete;
  ~ArrayElement() { delete Daten; }
};

template <typename T>
class Array {
 public:
  using Element = std::remove_pointer_t<T>;
  // Negative, 0 or positive as the first element sorts before, with or after the second.
  using Vergleich = int (*)(const Element*, const Element*);

  // Read these; only the list itself changes them.
  std::int32_t Anzahl = 0;            // number of elements
  ArrayElement<T>* Kopf = nullptr;    // first node, null when empty
  ArrayElement<T>* Cursor = nullptr;  // node of the last Find (null when it found none)

  Array() = default;
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;
  Array(Array&& andere) noexcept { Uebernimm(andere); }
  Array& operator=(Array&& andere) noexcept {
    if (this != &andere) {
      Clear();
      Uebernimm(andere);
    }
    return *this;
  }
  ~Array() { Clear(); }

  // Adds the element at the tail. The list owns it once Append returns; when no node can be
  // had, StdError "no mem for element in list" is thrown, the list is unchanged and the
  // caller still owns the element. Cursor ends on the former tail (null in an empty list).
  void Append(T element) {
    Cursor = Knoten_.empty() ? nullptr : Knoten_.back().get();
    try {
      Knoten_.push_back(std::make_unique<ArrayElement<T>>());
    } catch (const std::bad_alloc&) {
      throw StdError("no mem for element in list");
    }
    ArrayElement<T>* knoten = Knoten_.back().get();
    knoten->Daten = element;
    knoten->Index = Anzahl;
    knoten->Prev = Cursor;
    if (Cursor != nullptr) {
      Cursor->Next = knoten;
    } else {
      Kopf = knoten;
    }
    ++Anzahl;
  }

  // Moves every element of `andere` to the tail, in its order; `andere` is empty afterwards.
  // When the nodes cannot be had, StdError "no mem for element in list" is thrown and both
  // lists are unchanged. Cursor is null afterwards.
  void AppendAll(Array& andere) {
    try {
      Knoten_.reserve(Knoten_.size() + andere.Knoten_.size());
    } catch (const std::bad_alloc&) {
      throw StdError("no mem for element in list");
    }
    ArrayElement<T>* davor = Knoten_.empty() ? nullptr : Knoten_.back().get();
    for (std::unique_ptr<ArrayElement<T>>& knoten : andere.Knoten_) {
      knoten->Index = Anzahl++;
      knoten->Prev = davor;
      if (davor != nullptr) {
        davor->Next = knoten.get();
      } else {
        Kopf = knoten.get();
      }
      davor = knoten.get();
      Knoten_.push_back(std::move(knoten));
    }
    andere.Clear();
    Cursor = nullptr;
  }

  // The node at position i. Position Anzahl is not an error: Cursor becomes null and null is
  // returned, and a caller that needs the element throws ListError " Element not found ".
  // Below 0 or above Anzahl: ListError "Element out of Index at: " with i, Cursor unchanged.
  ArrayElement<T>* Find(int i) {
    if (i < 0 || i > Anzahl) throw ListError("Element out of Index at: ", i);
    Cursor = i < Anzahl ? Knoten_[static_cast<std::size_t>(i)].get() : nullptr;
    return Cursor;
  }

  // Removes and frees the element at position i; the positions after it move down by one.
  // Cursor is null afterwards.
  void Remove(int i) {
    ArrayElement<T>* knoten = Find(i);
    if (knoten == nullptr) throw ListError(" Element not found ", i);
    if (knoten->Prev != nullptr) {
      knoten->Prev->Next = knoten->Next;
    } else {
      Kopf = knoten->Next;
    }
    if (knoten->Next != nullptr) knoten->Next->Prev = knoten->Prev;
    Cursor = nullptr;
    Knoten_.erase(Knoten_.begin() + i);
    --Anzahl;
    for (std::size_t k = static_cast<std::size_t>(i); k < Knoten_.size(); ++k) {
      Knoten_[k]->Index = static_cast<std::int32_t>(k);
    }
  }

  // Removes and frees, in one pass, every element for which `welche(const Element&)` is true
  // (the predicate must not throw); the others close up in their order. Returns how many were
  // removed. Cursor is null afterwards.
  template <typename Praedikat>
  int RemoveIf(Praedikat welche) {
    const std::size_t vorher = std::erase_if(Knoten_, [&](const std::unique_ptr<ArrayElement<T>>& k) {
      return welche(static_cast<const Element&>(*k->Daten));
    });
    Anzahl = static_cast<std::int32_t>(Knoten_.size());
    ArrayElement<T>* davor = nullptr;
    for (std::size_t i = 0; i < Knoten_.size(); ++i) {
      ArrayElement<T>* knoten = Knoten_[i].get();
      knoten->Index = static_cast<std::int32_t>(i);
      knoten->Prev = davor;
      knoten->Next = nullptr;
      if (davor != nullptr) davor->Next = knoten;
      davor = knoten;
    }
    Kopf = Knoten_.empty() ? nullptr : Knoten_.front().get();
    Cursor = nullptr;
    return static_cast<int>(vorher);
  }

  // Orders the elements by `vergleiche`: richtung 0 ascending, 1 descending; any other value
  // leaves the list as it is. The order is exactly that of the exchange sort (for p = 0 ..
  // Anzahl-2, p's element is exchanged with every later one that is smaller, or larger when
  // descending), equal elements included, which an exchange with a third element can move past
  // each other; the files keep that order. It is reached in n log n. When the working arrays
  // cannot be had, the exchange sort itself runs in place, so sorting never fails. The nodes
  // keep their positions and links; only Daten move.
  void Sortiere(Vergleich vergleiche, int richtung) {
    if (Kopf == nullptr || (richtung != 0 && richtung != 1)) return;
    const bool absteigend = richtung == 1;
    try {
      SortiereInNLogN(vergleiche, absteigend);
    } catch (const std::bad_alloc&) {
      Tauschsortierung(vergleiche, absteigend);
    }
  }

  // Frees every element and every node.
  void Clear() noexcept {
    Knoten_.clear();
    Anzahl = 0;
    Kopf = nullptr;
    Cursor = nullptr;
  }

 private:
  // A stable sort by key places the classes of equal elements; each class is then put into
  // the exchange sort's order. The list changes only once everything that needs memory has
  // been had.
  void SortiereInNLogN(Vergleich vergleiche, bool absteigend) {
    const std::size_t n = Knoten_.size();
    std::vector<T> daten(n);
    std::vector<std::int32_t> reihenfolge(n);
    std::vector<std::uint8_t> klassenbeginn(n);
    for (std::size_t i = 0; i < n; ++i) daten[i] = Knoten_[i]->Daten;
    OrdneStabilNachSchluessel<Element>(
        std::span<Element* const>(daten),
        [&](const Element* a, const Element* b) {
          const int c = vergleiche(a, b);
          return absteigend ? c > 0 : c < 0;
        },
        reihenfolge, klassenbeginn);
    OrdneKlassenWieTauschsortierung(reihenfolge, klassenbeginn);
    for (std::size_t i = 0; i < n; ++i) Knoten_[i]->Daten = daten[static_cast<std::size_t>(reihenfolge[i])];
  }

  // The exchange sort itself: count*(count-1)/2 comparisons, nothing allocated.
  void Tauschsortierung(Vergleich vergleiche, bool absteigend) noexcept {
    for (ArrayElement<T>* p = Kopf; p != nullptr; p = p->Next) {
      for (ArrayElement<T>* q = p->Next; q != nullptr; q = q->Next) {
        const int c = vergleiche(p->Daten, q->Daten);
        if (absteigend ? c < 0 : c > 0) std::swap(p->Daten, q->Daten);
      }
    }
  }

  void Uebernimm(Array& andere) noexcept {
    Knoten_ = std::move(andere.Knoten_);
    Anzahl = std::exchange(andere.Anzahl, 0);
    Kopf = std::exchange(andere.Kopf, nullptr);
    Cursor = std::exchange(andere.Cursor, nullptr);
    andere.Knoten_.clear();
  }

  std::vector<std::unique_ptr<ArrayElement<T>>> Knoten_;  // the nodes in position order
};
