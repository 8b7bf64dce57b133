// Pieces of the holiday, bookings, clock, test and erase transfers: printf-style formatting
// into a text, and the readers of the booking answer and of a number of limited width on top
// of AntwortScanner.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Records.h"

// The text that snprintf makes of `format` and the arguments, whatever its length.
std::string Formatiert(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Reads a decimal number of at most `breite` characters (sign included; npos: no limit) after
// any white space, as "%4d" does, and stores its low 16 bits in `wert`. On success `rest`
// stands after the number; on a mismatch `wert` and `rest` stay as they were and false is
// returned.
bool LiesZahlMitBreite(std::string_view& rest, std::size_t breite, std::uint16_t& wert);

// Reads one booking answer, "%4d.%2d.%2d.%d.%d.%d.%s %s %u": year, month, day, hour, minute,
// second (the low 16 bits of each), the card code and the name as words (cut to their fields),
// and the event number (modulo 2^32), whose low byte goes to Ereignis1 and the next to
// Ereignis2. Reading stops at the first part that does not match; the fields after it keep their values.
// The name stays as it travels (wire-encoded). The text is read up to its first NUL.
void LiesBuchung(std::string_view antwort, books& buchung);
