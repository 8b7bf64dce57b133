// The mapping that names pass through on the wire: the controller takes no blanks or umlauts
// in a telegram word. Both work in place on Windows-1252 bytes up to the NUL (or the end of
// the field when it has none) and never change the length.
#pragma once

#include <span>

// Before a name goes into a telegram: blank -> '!', ß -> '$', ä/Ä -> '#', ö/Ö -> '/',
// ü/Ü -> '&'.
void KodiereText(std::span<char> text);

// After a name is taken from a telegram: '!', '§', '%' -> blank, '$' -> ß, '#' -> ä,
// '/' -> ö, '&' -> ü.
void DekodiereText(std::span<char> text);
