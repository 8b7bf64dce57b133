// The bookings loader: any file loads as its whole 62-byte records, and saving them writes
// exactly those bytes back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <span>
#include <string>

#include "document/Steuerung.h"
#include "model/Records.h"

#include "FuzzUmgebung.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  fuzz::InstalliereSchnellePlattform();
  static const std::string dokument = [] {
    TSteuerung neu(2026, fuzz::Ordner());
    neu.Save(fuzz::Ordner() + "leer.wuz");
    return fuzz::Ordner() + "leer.wuz";
  }();
  fuzz::SchreibeDatei("leer.bks", std::span(daten, groesse));

  TSteuerung s(2026, fuzz::Ordner());
  s.Load(dokument);
  const std::size_t ganze = groesse / books::Groesse * books::Groesse;
  if (static_cast<std::size_t>(s.Buchungen.Anzahl) * books::Groesse != ganze) {
    std::fputs("the bookings loaded are not the file's whole records\n", stderr);
    std::abort();
  }
  s.SaveBuchungen();
  std::ifstream datei(fuzz::Ordner() + "leer.bks", std::ios::binary);
  const std::string zurueck((std::istreambuf_iterator<char>(datei)), std::istreambuf_iterator<char>());
  if (zurueck != std::string(reinterpret_cast<const char*>(daten), ganze)) {
    std::fputs("saved bookings differ from the records loaded\n", stderr);
    std::abort();
  }
  return 0;
}
