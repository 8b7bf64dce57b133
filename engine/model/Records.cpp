#include "model/Records.h"

namespace {

// Writes fields one after the other into a record's byte image, little-endian.
class Schreiber {
 public:
  explicit Schreiber(std::span<std::uint8_t> aus) : aus_(aus) {}
  void u8(std::uint8_t v) { aus_[pos_++] = v; }
  void u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v));
    u8(static_cast<std::uint8_t>(v >> 8));
  }
  void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
  void u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v));
    u16(static_cast<std::uint16_t>(v >> 16));
  }
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  template <std::size_t N>
  void feld(const char (&f)[N]) {
    for (char c : f) u8(static_cast<std::uint8_t>(c));
  }
  template <std::size_t N>
  void feld(const std::uint8_t (&f)[N]) {
    for (std::uint8_t b : f) u8(b);
  }
  void zeitlinie(const Zeitlinie& z) {
    SchreibeBytes(z, aus_.subspan(pos_).first<Zeitlinie::Groesse>());
    pos_ += Zeitlinie::Groesse;
  }

 private:
  std::span<std::uint8_t> aus_;
  std::size_t pos_ = 0;
};

// Reads fields one after the other from a record's byte image, little-endian.
class Leser {
 public:
  explicit Leser(std::span<const std::uint8_t> ein) : ein_(ein) {}
  std::uint8_t u8() { return ein_[pos_++]; }
  std::uint16_t u16() {
    const std::uint16_t lo = u8();
    return static_cast<std::uint16_t>(lo | (u8() << 8));
  }
  std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
  std::uint32_t u32() {
    const std::uint32_t lo = u16();
    return lo | (static_cast<std::uint32_t>(u16()) << 16);
  }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  template <std::size_t N>
  void feld(char (&f)[N]) {
    for (char& c : f) c = static_cast<char>(u8());
  }
  template <std::size_t N>
  void feld(std::uint8_t (&f)[N]) {
    for (std::uint8_t& b : f) b = u8();
  }
  void zeitlinie(Zeitlinie& z) {
    LiesBytes(ein_.subspan(pos_).first<Zeitlinie::Groesse>(), z);
    pos_ += Zeitlinie::Groesse;
  }

 private:
  std::span<const std::uint8_t> ein_;
  std::size_t pos_ = 0;
};

}  // namespace

// ---- holiday table ---------------------------------------------------------------------

std::size_t EndeMarkeIndex(const Feiertagstabelle& tabelle) {
  for (std::size_t i = 0; i < FEIERTAGE_MAX; ++i) {
    if (IstEndeMarke(tabelle[i])) return i;
  }
  return FEIERTAGE_MAX;
}

void LeereFeiertagstabelle(Feiertagstabelle& tabelle) {
  tabelle.fill(0);
  tabelle[0] = FT_ENDE;
}

bool FuegeFeiertagEin(Feiertagstabelle& tabelle, std::size_t index, Feiertagseintrag eintrag) {
  const std::size_t ende = EndeMarkeIndex(tabelle);
  if (ende + 1 >= FEIERTAGE_MAX || index > ende) return false;
  std::copy_backward(tabelle.begin() + static_cast<std::ptrdiff_t>(index),
                     tabelle.begin() + static_cast<std::ptrdiff_t>(ende + 1),
                     tabelle.begin() + static_cast<std::ptrdiff_t>(ende + 2));
  tabelle[index] = eintrag;
  return true;
}

bool EntferneFeiertag(Feiertagstabelle& tabelle, std::size_t index) {
  const std::size_t ende = EndeMarkeIndex(tabelle);
  if (index >= ende) return false;
  const std::size_t letzte = ende < FEIERTAGE_MAX ? ende : FEIERTAGE_MAX - 1;
  std::copy(tabelle.begin() + static_cast<std::ptrdiff_t>(index + 1),
            tabelle.begin() + static_cast<std::ptrdiff_t>(letzte + 1),
            tabelle.begin() + static_cast<std::ptrdiff_t>(index));
  tabelle[letzte] = ende < FEIERTAGE_MAX ? 0 : FT_ENDE;
  return true;
}

// ---- byte images -----------------------------------------------------------------------

void SchreibeBytes(const Zeitlinie& r, std::span<std::uint8_t, Zeitlinie::Groesse> aus) {
  Schreiber s(aus);
  s.u8(r.VonStunde);
  s.u8(r.VonMinute);
  s.u8(r.BisStunde);
  s.u8(r.BisMinute);
  s.u16(r.Tage);
  s.u16(r.Tueren);
}

void LiesBytes(std::span<const std::uint8_t, Zeitlinie::Groesse> ein, Zeitlinie& r) {
  Leser l(ein);
  r.VonStunde = l.u8();
  r.VonMinute = l.u8();
  r.BisStunde = l.u8();
  r.BisMinute = l.u8();
  r.Tage = l.u16();
  r.Tueren = l.u16();
}

void SchreibeBytes(const PROFIL& r, std::span<std::uint8_t, PROFIL::Groesse> aus) {
  Schreiber s(aus);
  for (const Zeitlinie& z : r.Zeitlinien) s.zeitlinie(z);
  s.feld(r.Name);
}

void LiesBytes(std::span<const std::uint8_t, PROFIL::Groesse> ein, PROFIL& r) {
  Leser l(ein);
  for (Zeitlinie& z : r.Zeitlinien) l.zeitlinie(z);
  l.feld(r.Name);
}

void SchreibeBytes(const PERSON& r, std::span<std::uint8_t, PERSON::Groesse> aus) {
  Schreiber s(aus);
  s.feld(r.Profil);
  s.u8(r.Status1);
  s.u8(r.Status2);
  s.feld(r.Code);
  s.feld(r.Karte);
  s.feld(r.Name);
}

void LiesBytes(std::span<const std::uint8_t, PERSON::Groesse> ein, PERSON& r) {
  Leser l(ein);
  l.feld(r.Profil);
  r.Status1 = l.u8();
  r.Status2 = l.u8();
  l.feld(r.Code);
  l.feld(r.Karte);
  l.feld(r.Name);
}

void SchreibeBytes(const TUERPROFIL& r, std::span<std::uint8_t, TUERPROFIL::Groesse> aus) {
  Schreiber s(aus);
  for (const Zeitlinie& z : r.Zeitlinien) s.zeitlinie(z);
  s.i32(r.Ueberwachungszeit);
  s.i32(r.Freigabezeit);
  s.feld(r.Reserve);
}

void LiesBytes(std::span<const std::uint8_t, TUERPROFIL::Groesse> ein, TUERPROFIL& r) {
  Leser l(ein);
  for (Zeitlinie& z : r.Zeitlinien) l.zeitlinie(z);
  r.Ueberwachungszeit = l.i32();
  r.Freigabezeit = l.i32();
  l.feld(r.Reserve);
}

void SchreibeBytes(const books& r, std::span<std::uint8_t, books::Groesse> aus) {
  Schreiber s(aus);
  s.u16(r.Jahr);
  s.u16(r.Monat);
  s.u16(r.Tag);
  s.u16(r.Stunde);
  s.u16(r.Minute);
  s.u16(r.Sekunde);
  s.feld(r.Reserve);
  s.feld(r.Karte);
  s.feld(r.Name);
  s.u8(r.Ereignis1);
  s.u8(r.Ereignis2);
}

void LiesBytes(std::span<const std::uint8_t, books::Groesse> ein, books& r) {
  Leser l(ein);
  r.Jahr = l.u16();
  r.Monat = l.u16();
  r.Tag = l.u16();
  r.Stunde = l.u16();
  r.Minute = l.u16();
  r.Sekunde = l.u16();
  l.feld(r.Reserve);
  l.feld(r.Karte);
  l.feld(r.Name);
  r.Ereignis1 = l.u8();
  r.Ereignis2 = l.u8();
}

void SchreibeBytes(const SWUMSCHALTUNG& r, std::span<std::uint8_t, SWUMSCHALTUNG::Groesse> aus) {
  Schreiber s(aus);
  s.i16(r.Tag1);
  s.i16(r.Monat1);
  s.i16(r.Jahr1);
  s.i16(r.Tag2);
  s.i16(r.Monat2);
  s.i16(r.Jahr2);
  s.i16(r.Kennung);
  s.feld(r.Reserve);
}

void LiesBytes(std::span<const std::uint8_t, SWUMSCHALTUNG::Groesse> ein, SWUMSCHALTUNG& r) {
  Leser l(ein);
  r.Tag1 = l.i16();
  r.Monat1 = l.i16();
  r.Jahr1 = l.i16();
  r.Tag2 = l.i16();
  r.Monat2 = l.i16();
  r.Jahr2 = l.i16();
  r.Kennung = l.i16();
  l.feld(r.Reserve);
}

void SchreibeBytes(const GERAETEDATEN& r, std::span<std::uint8_t, GERAETEDATEN::Groesse> aus) {
  Schreiber s(aus);
  s.u32(r.Flags);
  s.feld(r.NameTuer1);
  s.feld(r.NameTuer2);
  s.u16(r.Bezugsjahr);
  s.u16(r.Reserve);
}

void LiesBytes(std::span<const std::uint8_t, GERAETEDATEN::Groesse> ein, GERAETEDATEN& r) {
  Leser l(ein);
  r.Flags = l.u32();
  l.feld(r.NameTuer1);
  l.feld(r.NameTuer2);
  r.Bezugsjahr = l.u16();
  r.Reserve = l.u16();
}

void SchreibeBytes(const Feiertagstabelle& t, std::span<std::uint8_t, FEIERTAGSTABELLE_GROESSE> aus) {
  Schreiber s(aus);
  for (Feiertagseintrag e : t) s.u16(e);
}

void LiesBytes(std::span<const std::uint8_t, FEIERTAGSTABELLE_GROESSE> ein, Feiertagstabelle& t) {
  Leser l(ein);
  for (Feiertagseintrag& e : t) e = l.u16();
}
