// Putting the profile data into a known, valid state: the default access and door profiles of
// a new document, the check of the time lines with the rebuilt reader-to-door word, the
// number of door profiles, and the conversion of day bits written by older firmware and older
// documents. Allocation failures raise StdError "kein Speicher".
#pragma once

#include <cstdint>

#include "model/Array.h"
#include "model/Records.h"

// A document holds one door profile per door.
constexpr int kAnzahlTuerprofile = 3;

// Appends "nie" (no line), "immer" (every day 00:00-24:00) and "werktags" (Monday to Friday
// 08:00-18:00, Saturday and half holidays 08:00-16:00).
void ErzeugeStandardProfile(Array<PROFIL*>& profile);

// Appends three door profiles with six empty lines, 30 s monitoring and 5 s release time.
void ErzeugeStandardTuerprofile(Array<TUERPROFIL*>& tuerprofile);

// Leaves exactly three door profiles: missing ones are added with the defaults, those past the
// third are dropped.
void ErgaenzeTuerprofile(Array<TUERPROFIL*>& tuerprofile);

// A time line is valid when both hours are at most 24 and both minutes at most 69.
bool Gueltig(const Zeitlinie& z);

// Zeroes every line of every access profile that is not valid, and returns the reader-to-door
// word made of the door bits of the lines that remain.
std::uint16_t PruefeZeitlinien(Array<PROFIL*>& profile);

// Brings the access-profile lines into line with a reader-to-door word changed from `alt` to
// `neu`: every line that is not valid is zeroed; when the word changed, every other line keeps
// its doors (door d is in a line when either of its two reader bits is set), now opened by the
// readers that `neu` assigns to them; a line without doors stays without. Returns true when a
// line changed.
bool PasseZeitlinienAn(Array<PROFIL*>& profile, std::uint16_t alt, std::uint16_t neu);

// Moves the old meaning of the day bits 0x400 (reader 2 to door 2) and 0x200 (reader 1 to
// door 1) into the door word of every line.
void KonvertiereAlteFlags(Array<PROFIL*>& profile);
