// Helpers for the document's lists: a new record (StdError "kein Speicher" when none can be
// had), appending it with its ownership passed to the list, and the element at a position
// (ListError " Element not found " when the position holds none).
#pragma once

#include <memory>
#include <new>

#include "model/Array.h"
#include "model/Fehler.h"
#include "text/Texte.h"

template <typename T>
std::unique_ptr<T> NeuerDatensatz() {
  try {
    return std::make_unique<T>();
  } catch (const std::bad_alloc&) {
    throw StdError(Texte::AllgemeineTexte[Texte::allgemein::KeinSpeicher]);
  }
}

// The list owns the element once this returns; when Append throws, the element is freed here.
template <typename T>
void HaengeAn(Array<T*>& liste, std::unique_ptr<T> element) {
  liste.Append(element.get());
  element.release();
}

template <typename T>
T& Element(Array<T*>& liste, int position) {
  ArrayElement<T*>* knoten = liste.Find(position);
  if (knoten == nullptr || knoten->Daten == nullptr) throw ListError(" Element not found ", position);
  return *knoten->Daten;
}
