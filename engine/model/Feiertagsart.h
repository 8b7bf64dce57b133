// The kind of one day in the holiday table, as the holiday calendar sets it.
#pragma once

#include <cstdint>

#include "model/Records.h"

enum class Tagesaenderung {
  Unveraendert,  // the table already said so
  Geaendert,
  Voll  // a new entry has no room: the end marker stands in the table's last place
};

// Gives day `nummer` the table kind `art`. Kind 0 (a normal day) removes every entry of the
// day. Any other kind changes the kind bits of the day's last entry, or, for a day without
// entry, inserts one in front of the first entry of a later day, so the table stays sorted.
Tagesaenderung SetzeFeiertagsart(Feiertagstabelle& tabelle, std::uint16_t nummer, Feiertagseintrag art);
