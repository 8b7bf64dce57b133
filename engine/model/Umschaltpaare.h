// The summer/winter switch pairs that are sent to the controller, built from the switch days
// of the holiday table.
#pragma once

#include <vector>

#include "model/Records.h"

// The switch days (kind 0xC000) before the end marker, paired within each calendar year in
// date order, whatever their order in the table: the first two switch days of a year make
// its one pair (Kennung 1), further ones of that year none; a year with a single switch day
// makes none. The pairs follow in the order of their years. `bezugsjahr` is the reference
// year of the table's day numbers.
std::vector<SWUMSCHALTUNG> Umschaltpaare(const Feiertagstabelle& tabelle, int bezugsjahr);
