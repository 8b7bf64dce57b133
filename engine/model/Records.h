// The fixed-size records of one controller's data. Every record is packed and little-endian
// in the document and bookings files; text fields hold Windows-1252 bytes, NUL-terminated
// inside their width (a field read from a file or a telegram may lack its NUL, so every read
// goes through LiesText). Each record is written and read field by field through
// SchreibeBytes / LiesBytes on a buffer of exactly the record's size.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

// ---- bounded text fields -----------------------------------------------------------------

// The text of a field: the bytes up to its NUL, or the whole field when it has none.
template <std::size_t N>
std::string LiesText(const char (&feld)[N]) {
  const char* ende = std::find(feld, feld + N, '\0');
  return std::string(feld, ende);
}

// Stores a text in a field, cut to N-1 bytes, followed by its NUL; the rest of the field is
// zeroed.
template <std::size_t N>
void SchreibeText(char (&feld)[N], std::string_view text) {
  static_assert(N > 0);
  const std::size_t laenge = std::min(text.size(), N - 1);
  std::memcpy(feld, text.data(), laenge);
  std::memset(feld + laenge, 0, N - laenge);
}

// ---- records -----------------------------------------------------------------------------

// Tage bits of a time line.
inline constexpr std::uint16_t TAG_MONTAG = 0x001;
inline constexpr std::uint16_t TAG_DIENSTAG = 0x002;
inline constexpr std::uint16_t TAG_MITTWOCH = 0x004;
inline constexpr std::uint16_t TAG_DONNERSTAG = 0x008;
inline constexpr std::uint16_t TAG_FREITAG = 0x010;
inline constexpr std::uint16_t TAG_SAMSTAG = 0x020;
inline constexpr std::uint16_t TAG_SONNTAG = 0x040;
inline constexpr std::uint16_t TAG_HALBER_FEIERTAG = 0x080;
inline constexpr std::uint16_t TAG_FEIERTAG = 0x100;
inline constexpr std::uint16_t TAG_SONDERTAG1 = 0x200;
inline constexpr std::uint16_t TAG_SONDERTAG2 = 0x400;
inline constexpr std::uint16_t TAG_DAUEROFFEN = 0x800;      // door profile line
inline constexpr std::uint16_t TAG_DAUERGESPERRT = 0x1000;  // door profile line
inline constexpr std::uint16_t TAG_BENUTZT = 0x1000;        // access profile line in use

// One time window with the days it applies to. All eight bytes zero: the line is not in use.
struct Zeitlinie {
  static constexpr std::size_t Groesse = 8;
  std::uint8_t VonStunde = 0;  // 0..24
  std::uint8_t VonMinute = 0;  // 0..55 in steps of 5
  std::uint8_t BisStunde = 0;  // 0..24 (24:00 = end of day)
  std::uint8_t BisMinute = 0;  // 0..55 in steps of 5
  std::uint16_t Tage = 0;      // TAG_* bits
  std::uint16_t Tueren = 0;    // access profile: reader-to-door bits as LeserTuerZuordnung
  bool operator==(const Zeitlinie&) const = default;
};

// An access profile. A new profile is all zero with its name.
struct PROFIL {
  static constexpr std::size_t Groesse = 160;
  static constexpr std::size_t AnzahlZeitlinien = 18;
  Zeitlinie Zeitlinien[AnzahlZeitlinien] = {};
  char Name[16] = {};  // at most 15 characters
  bool operator==(const PROFIL&) const = default;
};

// One person with one card; a fresh record has the profile "nie" and everything else zero.
struct PERSON {
  static constexpr std::size_t Groesse = 64;
  char Profil[12] = "nie";  // name of the access profile, at most 11 characters
  std::uint8_t Status1 = 0;
  std::uint8_t Status2 = 0;
  char Code[5] = {};
  char Karte[25] = {};  // card code, upper case, at most 23 characters
  char Name[20] = {};   // at most 19 characters
  bool operator==(const PERSON&) const = default;
};

// The time behaviour of one door; the default has six empty lines, 30 s and 5 s.
struct TUERPROFIL {
  static constexpr std::size_t Groesse = 64;
  static constexpr std::size_t AnzahlZeitlinien = 6;
  Zeitlinie Zeitlinien[AnzahlZeitlinien] = {};
  std::int32_t Ueberwachungszeit = 30;  // door monitoring time in seconds
  std::int32_t Freigabezeit = 5;        // door release time in seconds
  std::uint8_t Reserve[8] = {};         // kept as loaded, never interpreted
  bool operator==(const TUERPROFIL&) const = default;
};

// Ereignis1 bits of a booking.
inline constexpr std::uint8_t EREIGNIS1_TUER1 = 0x01;
inline constexpr std::uint8_t EREIGNIS1_TUER2 = 0x02;
inline constexpr std::uint8_t EREIGNIS1_TUER3 = 0x04;
inline constexpr std::uint8_t EREIGNIS1_LESER1 = 0x08;
inline constexpr std::uint8_t EREIGNIS1_LESER2 = 0x10;
inline constexpr std::uint8_t EREIGNIS1_UNBEKANNT = 0x40;
inline constexpr std::uint8_t EREIGNIS1_ABGEWIESEN = 0x80;
// Ereignis2 bits of a booking.
inline constexpr std::uint8_t EREIGNIS2_ZU_LANGE_OFFEN = 0x01;
inline constexpr std::uint8_t EREIGNIS2_FREIGABE = 0x02;
inline constexpr std::uint8_t EREIGNIS2_UNERLAUBT_GEOEFFNET = 0x04;
inline constexpr std::uint8_t EREIGNIS2_GESCHLOSSEN = 0x08;

// The door of a booking: 0 none, 1, 2 or 3 by its door bits, the highest door winning when
// several are set.
constexpr int TuerIndex(std::uint8_t ereignis1) {
  if ((ereignis1 & EREIGNIS1_TUER3) != 0) return 3;
  if ((ereignis1 & EREIGNIS1_TUER2) != 0) return 2;
  return (ereignis1 & EREIGNIS1_TUER1) != 0 ? 1 : 0;
}
// The reader of a booking: 0 none, 1 or 2, reader 2 winning when both are set.
constexpr int LeserIndex(std::uint8_t ereignis1) {
  if ((ereignis1 & EREIGNIS1_LESER2) != 0) return 2;
  return (ereignis1 & EREIGNIS1_LESER1) != 0 ? 1 : 0;
}

// One booking (access event) fetched from the controller; the unit of the bookings file.
struct books {
  static constexpr std::size_t Groesse = 62;
  std::uint16_t Jahr = 0;
  std::uint16_t Monat = 0;
  std::uint16_t Tag = 0;
  std::uint16_t Stunde = 0;
  std::uint16_t Minute = 0;
  std::uint16_t Sekunde = 0;
  std::uint8_t Reserve[2] = {};  // kept as loaded, never interpreted
  char Karte[25] = {};
  char Name[21] = {};
  std::uint8_t Ereignis1 = 0;  // EREIGNIS1_* bits
  std::uint8_t Ereignis2 = 0;  // EREIGNIS2_* bits
  bool operator==(const books&) const = default;
};

// One pair of summer/winter switch days of one calendar year.
struct SWUMSCHALTUNG {
  static constexpr std::size_t Groesse = 16;
  std::int16_t Tag1 = 0;
  std::int16_t Monat1 = 0;
  std::int16_t Jahr1 = 0;
  std::int16_t Tag2 = 0;
  std::int16_t Monat2 = 0;
  std::int16_t Jahr2 = 0;
  std::int16_t Kennung = 0;  // 1 in every pair that is built
  std::uint8_t Reserve[2] = {};
  bool operator==(const SWUMSCHALTUNG&) const = default;
};

// Flags bits of the device data.
inline constexpr std::uint32_t GD_TUER1 = 0x0001;
inline constexpr std::uint32_t GD_TUER2 = 0x0002;
inline constexpr std::uint32_t GD_TUER3 = 0x0004;  // signal contact ("Meldekontakt")
inline constexpr std::uint32_t GD_UNBEKANNTE_BUCHEN = 0x0040;
inline constexpr std::uint32_t GD_ABGEWIESENE_BUCHEN = 0x0080;
inline constexpr std::uint32_t GD_TYP_RA20 = 0x0100;  // clear: "ZO 10"
inline constexpr std::uint32_t GD_SONDERTAG1 = 0x0200;
inline constexpr std::uint32_t GD_SONDERTAG2 = 0x0400;
inline constexpr std::uint32_t GD_SCHLEUSSE = 0x0800;
inline constexpr std::uint32_t GD_TUER1_OHNE_LESER = 0x1000;
inline constexpr std::uint32_t GD_TUER2_OHNE_LESER = 0x2000;
inline constexpr std::uint32_t GD_TUER3_OHNE_LESER = 0x4000;
inline constexpr std::uint32_t GD_ANTIPASSBACK = 0x8000;

// The device data of the controller. The defaults are those of a new document except the
// reference year, which the document sets to the current year.
struct GERAETEDATEN {
  static constexpr std::size_t Groesse = 40;
  std::uint32_t Flags = GD_TUER1 | GD_TUER1_OHNE_LESER | GD_TUER2_OHNE_LESER;  // 0x3001
  char NameTuer1[16] = "T\xFCr 1";                                             // Windows-1252 "Tür 1"
  char NameTuer2[16] = "T\xFCr 2";
  std::uint16_t Bezugsjahr = 0;  // 1 January of this year is day 1 of the holiday table
  std::uint16_t Reserve = 0;
  bool operator==(const GERAETEDATEN&) const = default;
};

// Element of the document's list Feiertage, which is cleared with the others but never filled.
struct FEIERTAG {};

// ---- holiday table -----------------------------------------------------------------------

// One entry: bits 0-12 the day number (1 January of Bezugsjahr is day 1), bits 13-15 the kind.
using Feiertagseintrag = std::uint16_t;
inline constexpr std::size_t FEIERTAGE_MAX = 4096;
using Feiertagstabelle = std::array<Feiertagseintrag, FEIERTAGE_MAX>;
inline constexpr std::size_t FEIERTAGSTABELLE_GROESSE = FEIERTAGE_MAX * 2;  // bytes in a file

inline constexpr Feiertagseintrag FT_ENDE = 0x3FFF;  // what a writer stores as end marker
inline constexpr Feiertagseintrag FT_TAGMASKE = 0x1FFF;
inline constexpr Feiertagseintrag FT_ARTMASKE = 0xE000;
inline constexpr Feiertagseintrag FT_FEIERTAG = 0x4000;
inline constexpr Feiertagseintrag FT_SONDERTAG1 = 0x6000;
inline constexpr Feiertagseintrag FT_HALBER_FEIERTAG = 0x8000;
inline constexpr Feiertagseintrag FT_SONDERTAG2 = 0xA000;
inline constexpr Feiertagseintrag FT_UMSCHALTTAG = 0xC000;

// Any entry whose low 14 bits are all set ends the table (0x3FFF, 0x7FFF, 0xFFFF, ...).
constexpr bool IstEndeMarke(Feiertagseintrag e) { return (e & 0x3FFF) == 0x3FFF; }
constexpr std::uint16_t Tagnummer(Feiertagseintrag e) { return e & FT_TAGMASKE; }
constexpr std::uint16_t Tagesart(Feiertagseintrag e) { return e & FT_ARTMASKE; }

// Index of the end marker, or FEIERTAGE_MAX when the table holds none; this is also the
// number of used entries.
std::size_t EndeMarkeIndex(const Feiertagstabelle& tabelle);

// All entries zero, the end marker in entry 0.
void LeereFeiertagstabelle(Feiertagstabelle& tabelle);

// Inserts an entry at index, shifting the used entries after it and the marker up by one.
// Refused (false, table unchanged) when the marker would leave the table or index lies
// beyond the marker.
bool FuegeFeiertagEin(Feiertagstabelle& tabelle, std::size_t index, Feiertagseintrag eintrag);

// Removes the used entry at index, shifting the entries after it, marker included, down by
// one; the freed place becomes 0 (the marker when the table had none). Refused (false) for
// the marker or beyond it.
bool EntferneFeiertag(Feiertagstabelle& tabelle, std::size_t index);

// ---- byte images -------------------------------------------------------------------------

void SchreibeBytes(const Zeitlinie& r, std::span<std::uint8_t, Zeitlinie::Groesse> aus);
void LiesBytes(std::span<const std::uint8_t, Zeitlinie::Groesse> ein, Zeitlinie& r);
void SchreibeBytes(const PROFIL& r, std::span<std::uint8_t, PROFIL::Groesse> aus);
void LiesBytes(std::span<const std::uint8_t, PROFIL::Groesse> ein, PROFIL& r);
void SchreibeBytes(const PERSON& r, std::span<std::uint8_t, PERSON::Groesse> aus);
void LiesBytes(std::span<const std::uint8_t, PERSON::Groesse> ein, PERSON& r);
void SchreibeBytes(const TUERPROFIL& r, std::span<std::uint8_t, TUERPROFIL::Groesse> aus);
void LiesBytes(std::span<const std::uint8_t, TUERPROFIL::Groesse> ein, TUERPROFIL& r);
void SchreibeBytes(const books& r, std::span<std::uint8_t, books::Groesse> aus);
void LiesBytes(std::span<const std::uint8_t, books::Groesse> ein, books& r);
void SchreibeBytes(const SWUMSCHALTUNG& r, std::span<std::uint8_t, SWUMSCHALTUNG::Groesse> aus);
void LiesBytes(std::span<const std::uint8_t, SWUMSCHALTUNG::Groesse> ein, SWUMSCHALTUNG& r);
void SchreibeBytes(const GERAETEDATEN& r, std::span<std::uint8_t, GERAETEDATEN::Groesse> aus);
void LiesBytes(std::span<const std::uint8_t, GERAETEDATEN::Groesse> ein, GERAETEDATEN& r);
void SchreibeBytes(const Feiertagstabelle& t, std::span<std::uint8_t, FEIERTAGSTABELLE_GROESSE> aus);
void LiesBytes(std::span<const std::uint8_t, FEIERTAGSTABELLE_GROESSE> ein, Feiertagstabelle& t);
