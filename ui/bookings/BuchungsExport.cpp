#include "bookings/BuchungsExport.h"

#include <cstdio>

#include "document/SichereDatei.h"
#include "text/Codec1252.h"
#include "text/Texte.h"

namespace {

const char* Tuertext(int tuer) {
  switch (tuer) {
    case 1: return Texte::Beschriftungen[Texte::beschriftung::Tuer1];
    case 2: return Texte::Beschriftungen[Texte::beschriftung::Tuer2];
    case 3: return Texte::Beschriftungen[Texte::beschriftung::Tuer3MK];
    default: return " ";
  }
}

bool Schreibe(TSichereDatei& datei, const std::string& text) { return datei.Schreibe(text.data(), text.size()); }

}  // namespace

bool SchreibeBuchungsExport(const std::string& pfad, const Array<books*>& buchungen,
                            const plattform::LocalTime& jetzt) {
  TSichereDatei datei(pfad);
  if (!datei.Offen()) return false;
  char zeile[128];
  std::snprintf(zeile, sizeof zeile, "Buchungsdatei vom %02d.%02d.%04d %02d:%02d\r\n", jetzt.day, jetzt.month,
                jetzt.year, jetzt.hour, jetzt.minute);
  if (!Schreibe(datei, zeile)) return false;
  for (const ArrayElement<books*>* k = buchungen.Kopf; k != nullptr; k = k->Next) {
    const books& b = *k->Daten;
    std::snprintf(zeile, sizeof zeile, "%02d.%02d.%04d, %02d:%02d:%02d\t", b.Tag, b.Monat, b.Jahr, b.Stunde, b.Minute,
                  b.Sekunde);
    const std::string text = zeile + Cp1252NachUtf8(LiesText(b.Karte)) + '\t' + Cp1252NachUtf8(LiesText(b.Name)) +
                             '\t' + Tuertext(TuerIndex(b.Ereignis1)) + "\r\n";
    if (!Schreibe(datei, text)) return false;
  }
  return datei.Abschliessen();
}
