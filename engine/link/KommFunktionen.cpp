#include "link/KommFunktionen.h"

#include <stdexcept>

#include "YBR_KOMM.h"

namespace {

constexpr KommFunktionen kBibliothek{
    _OpenKommSer, _OpenKommNet, _SendeTele, _WarteAufTele, _CloseKommunikation, _SetParameter, _GetLastErrorMessage,
};

KommFunktionen aktiv = kBibliothek;

}  // namespace

const KommFunktionen& KommTabelle() { return aktiv; }

KommFunktionen TauscheKommTabelle(const KommFunktionen& neu) {
  if (neu.OpenKommSer == nullptr || neu.OpenKommNet == nullptr || neu.SendeTele == nullptr ||
      neu.WarteAufTele == nullptr || neu.CloseKommunikation == nullptr || neu.SetParameter == nullptr ||
      neu.GetLastErrorMessage == nullptr) {
    throw std::invalid_argument("communication table with an empty entry");
  }
  const KommFunktionen vorher = aktiv;
  aktiv = neu;
  return vorher;
}
