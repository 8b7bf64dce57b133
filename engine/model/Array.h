// The list of the document's records: a doubly linked list of nodes that carry their
// position (0, 1, ..., Anzahl-1), reached by position. The list owns its elements (T is a
// pointer to the record) and frees them in Remove and Clear and when it is destroyed.
//
// Besides the links, the list keeps its nodes in position order in a vector, so Find,
// Append and a walk over all positions cost O(1) per element. The nodes, their links and
// positions belong to the list; reordering (sorting) exchanges Daten between nodes.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/Fehler.h"

template <typename T>
struct ArrayElement {
  static_assert(std::is_pointer_v<T>, "Array holds pointers to records");

  std::int32_t Index = 0;    // position, 0-based
  T Daten = nullptr;         // the element, owned by the list
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
  // Read these; only the list itself changes them.
  std::int32_t Anzahl = 0;              // number of elements
  ArrayElement<T>* Kopf = nullptr;      // first node, null when empty
  ArrayElement<T>* Cursor = nullptr;    // node of the last Find (null when it found none)

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

  // Frees every element and every node.
  void Clear() noexcept {
    Knoten_.clear();
    Anzahl = 0;
    Kopf = nullptr;
    Cursor = nullptr;
  }

 private:
  void Uebernimm(Array& andere) noexcept {
    Knoten_ = std::move(andere.Knoten_);
    Anzahl = std::exchange(andere.Anzahl, 0);
    Kopf = std::exchange(andere.Kopf, nullptr);
    Cursor = std::exchange(andere.Cursor, nullptr);
    andere.Knoten_.clear();
  }

  std::vector<std::unique_ptr<ArrayElement<T>>> Knoten_;  // the nodes in position order
};
