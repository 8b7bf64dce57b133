// The summer/winter switch pairs that are sent to the controller, built from the switch days
// of the holiday table.
#pragma once

#include <vector>

#include "model/Records.h"

// The switch days (kind 0xC000) before the end marker, paired within each calendar year in
// table order: the first and second switch day of a year make one pair (Kennung 1); a switch
// day left without partner in its year, such as the only one of a year, makes none.
// `bezugsjahr` is the reference year of the table's day numbers.
std::vector<SWUMSCHALTUNG> Umschaltpaare(const Feiertagstabelle& tabelle, int bezugsjahr);
