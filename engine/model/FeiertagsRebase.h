// Rebasing of the holiday table: its day numbers count from 31 December of the year before
// the reference year. The document works with the PC's current year; a controller with old
// firmware knows only 1998; documents of the older file layout counted from 1 January 1997.
// The functions work on a table passed in, so a transfer can rebase a copy.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/Records.h"

// Position of the end marker. A table without one within its 4096 entries gets the marker in
// its last entry, so every scan and every rebase finds an end.
std::size_t SichereFeiertagsEnde(Feiertagstabelle& tabelle);

// Days from 31 December 1997 to the date (1 January 1998 is 1; earlier dates give 0 or less):
// the fixed counting of the rebase, apart from the document's counting from its reference year.
int TagesnummerAb1998(std::uint16_t jahr, std::uint16_t monat, std::uint16_t tag);

// Rebase from `bezugsjahr` to `aktuellesJahr` and set `bezugsjahr` to it. Moving forward drops
// the entries that lie before the new reference year; moving back ends the table at the first
// entry whose day number would no longer fit 13 bits.
void VerschiebeFeiertage(Feiertagstabelle& tabelle, std::uint16_t& bezugsjahr, std::uint16_t aktuellesJahr);

// Rebase from `bezugsjahr` to 1998 for a controller with old firmware, set `bezugsjahr` to 1998
// and drop the special days, which such a controller does not know.
void FeiertageAuf1998(Feiertagstabelle& tabelle, std::uint16_t& bezugsjahr);

// Convert the table of a document of the older layout (days counted from 1 January 1997, day 0)
// to the counting of the reference year 1998. `version2` tells whether the document carried the
// tag "Version2"; `erzwingen` 1 shifts the days also then. Always ends the table at the first
// entry with bit 13 set.
void KonvertiereFeiertage(Feiertagstabelle& tabelle, bool version2, std::uint8_t erzwingen);
