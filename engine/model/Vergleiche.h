// The keys by which the bookings and persons lists are sorted. Each compare function returns
// a negative number, 0 or a positive number as its first record sorts before, with or after
// the second.
//
// Text keys compare byte by byte as unsigned 8-bit values, up to the first NUL and never past
// the field: no case folding, no locale, so capitals sort before small letters and the
// Windows-1252 umlauts and the sharp s after every ASCII letter. The date and time key
// compares year, month, day, hour, minute and second as unsigned numbers.
#pragma once

#include "model/Records.h"

int VergleicheBuchungName(const books* a, const books* b);
int VergleicheBuchungKarte(const books* a, const books* b);
int VergleicheBuchungZeit(const books* a, const books* b);
int VergleichePersonName(const PERSON* a, const PERSON* b);
int VergleichePersonKarte(const PERSON* a, const PERSON* b);
int VergleichePersonProfil(const PERSON* a, const PERSON* b);
