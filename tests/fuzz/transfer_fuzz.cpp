// Every fetch's parse of controller answers: the first byte picks the operation, the rest are
// the controller's answers (see FuzzUmgebung.h). A failure may end an operation with one of
// the program's exceptions; nothing else may happen, and the lists stay within their limits.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "document/Steuerung.h"
#include "model/Fehler.h"

#include "FuzzUmgebung.h"

namespace {

void Fuehre(TSteuerung& s, std::uint8_t operation) {
  plattform::ProgressWindow& status = plattform::Current().Progress();
  switch (operation % 8) {
    case 0: s.GetVersion(); break;
    case 1: s.HolePersonen(status); break;
    case 2: s.HoleProfile(status); break;
    case 3: s.HoleFeiertage(status); break;
    case 4: s.HoleBuchungen(status); break;
    case 5: s.Verbindungstest(status); break;
    case 6: s.LoescheFlash(status); break;
    default: s.HoleAlleDaten(status); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 1) return 0;
  fuzz::InstalliereSchnellePlattform();
  TSteuerung s(2026, fuzz::Ordner());
  s.Page = 0;  // over TCP to 127.0.0.1: the scripted library answers in place of a link
  fuzz::SkriptSteuerung steuerung(std::span(daten + 1, groesse - 1));
  try {
    Fuehre(s, daten[0]);
  } catch (const StdError&) {
  } catch (const KommError&) {
  } catch (const IoError&) {
  } catch (const ListError&) {
  }
  if (s.Personen.Anzahl > 65535 || s.Profile.Anzahl > 65535 || s.Tuerprofile.Anzahl > 65535) std::abort();
  return 0;
}
