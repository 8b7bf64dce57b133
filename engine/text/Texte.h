// The program's German text tables (UTF-8). Every entry is a constant literal, so the
// tables are usable from any static initialiser. Entries are kept exactly as the windows
// and messages show them, trailing blanks and odd spellings included; an entry " "
// fills a position that carries no text. A table indexed by a value from a file, the
// configuration or the controller is read through Texte::Eintrag.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstring>
#include <utility>

namespace Texte {

template <std::size_t N>
using Tabelle = std::array<const char*, N>;

// version tag written at the head of a document file
extern const char* const TextVersion;
// warning at start when the PC clock is before 1998
extern const char* const TextSystemzeit;
// warning before the expert settings
extern const char* const TextExpertModus;
// warning before the card memory of the controller is erased
extern const char* const TextFlashLoeschen;
// yes/no question before holidays go to a controller with old firmware
extern const char* const TextAlteFirmware;
// confirmation before the holiday table is cleared or regenerated
extern const char* const TextFeiertageLoeschen;

// 0, 1: device type names by Geraetetyp; 2, 3, 4: pieces of the type-mismatch
// question (2 + document's type + 3 + controller's type + 4)
extern const Tabelle<5> Geraetetypen;
// 0..6 Monday..Sunday, 7 half holiday, 8 holiday, 9, 10 default names of the
// special days, 11 heading of both special days
extern const Tabelle<12> Tagesarten;
// weekday heads of the holiday calendar; index = column modulo 7, 0 is Saturday
extern const Tabelle<7> Tageskuerzel;
// hour ruler of the week graphs, index = hour 0..24
extern const Tabelle<25> Stundenleiste;
// month names, index = month - 1
extern const Tabelle<12> Monate;
// general messages and message box captions (7 "Fehler", 8 "Info", 9 "Hinweis")
extern const Tabelle<18> AllgemeineTexte;
// communication errors: 1..3 by transaction result (1 no answer, 2 'NumNA',
// 3 'unknownCommand'), 4 link cannot be opened, 5 general error, 6..17 the
// operation suffixes (6 time query, 7 setting the clock, 8 reading bookings,
// 9 version query, 10 person count, 11 reading persons, 12 sending persons,
// 13 profile count, 14 reading profiles, 15 sending profiles, 16 reading
// holidays, 17 sending holidays)
extern const Tabelle<18> KommFehlerTexte;
// serial port names, index = COM port number; 0 is a space
extern const Tabelle<25> Anschluesse;
// captions, labels and column titles set in code; 17..23 also name readers
// and doors (19 door 1, 20 door 2, 21 door 3, 22 door 2 on a "ZO 10")
extern const Tabelle<60> Beschriftungen;
// 0..3 day kinds of the holiday legend, 4 program title, 5..18 window titles
extern const Tabelle<19> Titel;
// data-selection window: 1 send, 2 fetch, 3..5 check boxes, 7, 8 buttons, 9 options
extern const Tabelle<10> UebertragungsTexte;
// 0..3 holiday calendar popup menu, 5..26 main window menu in menu order
extern const Tabelle<27> MenueTexte;
// progress lines of the transfers (0 "von" between the counts), 35..39 the
// connection test's result box, 40, 41 the card-memory erase
extern const Tabelle<43> FortschrittsTexte;
// printouts: 0..10 day abbreviations, 11..21 heads and sections, 22, 23 state
// words, 24 the third door
extern const Tabelle<25> DruckTexte;
// file errors of the protocol log, the document (write/read pairs in file
// order) and the bookings file
extern const Tabelle<27> DateiFehlerTexte;
// device address names, index = address 0..15 (13 is a lower-case "d")
extern const Tabelle<16> Adressnamen;

// Entry `index` of `tabelle`; outside the table the table's own filler " ", or "" when
// the table has none.
template <std::size_t N, std::integral Index>
const char* Eintrag(const Tabelle<N>& tabelle, Index index) noexcept {
  if (std::cmp_greater_equal(index, 0) && std::cmp_less(index, N)) {
    return tabelle[static_cast<std::size_t>(index)];
  }
  for (const char* text : tabelle) {
    if (std::strcmp(text, " ") == 0) {
      return text;
    }
  }
  return "";
}

// Name of device type `typ` (0 "ZO 10", 1 "RA 20"); "" for any other value, so that a
// type read from a file or the controller never picks a piece of the mismatch question.
template <std::integral Index>
const char* Geraetetypname(Index typ) noexcept {
  if (std::cmp_greater_equal(typ, 0) && std::cmp_less(typ, 2)) {
    return Geraetetypen[static_cast<std::size_t>(typ)];
  }
  return "";
}

}  // namespace Texte
