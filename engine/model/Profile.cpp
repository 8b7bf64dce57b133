#include "model/Profile.h"

#include "model/ListenZugriff.h"

namespace {

constexpr std::uint16_t kTuerBits = 0x01 | 0x02 | 0x04 | 0x10 | 0x20 | 0x40;
constexpr std::uint16_t kLeser1Tuer1Leser2Tuer2 = 0x21;

Zeitlinie Linie(std::uint8_t von, std::uint8_t bis, std::uint16_t tage) {
  Zeitlinie z;
  z.VonStunde = von;
  z.BisStunde = bis;
  z.Tage = tage;
  z.Tueren = kLeser1Tuer1Leser2Tuer2;
  return z;
}

void HaengeProfilAn(Array<PROFIL*>& profile, const char* name, std::initializer_list<Zeitlinie> linien) {
  auto profil = NeuerDatensatz<PROFIL>();
  SchreibeText(profil->Name, name);
  std::size_t i = 0;
  for (const Zeitlinie& z : linien) profil->Zeitlinien[i++] = z;
  HaengeAn(profile, std::move(profil));
}

}  // namespace

bool Gueltig(const Zeitlinie& z) {
  return z.VonStunde <= 24 && z.BisStunde <= 24 && z.VonMinute <= 69 && z.BisMinute <= 69;
}

void ErzeugeStandardProfile(Array<PROFIL*>& profile) {
  constexpr std::uint16_t montagBisSonntag = 0x7F;
  constexpr std::uint16_t montagBisFreitag = 0x1F;
  HaengeProfilAn(profile, "nie", {});
  HaengeProfilAn(profile, "immer", {Linie(0, 24, montagBisSonntag | TAG_HALBER_FEIERTAG | TAG_FEIERTAG | TAG_BENUTZT)});
  HaengeProfilAn(
      profile, "werktags",
      {Linie(8, 18, montagBisFreitag | TAG_BENUTZT), Linie(8, 16, TAG_SAMSTAG | TAG_HALBER_FEIERTAG | TAG_BENUTZT)});
}

void ErzeugeStandardTuerprofile(Array<TUERPROFIL*>& tuerprofile) {
  for (int i = 0; i < kAnzahlTuerprofile; ++i) HaengeAn(tuerprofile, NeuerDatensatz<TUERPROFIL>());
}

void ErgaenzeTuerprofile(Array<TUERPROFIL*>& tuerprofile) {
  while (tuerprofile.Anzahl < kAnzahlTuerprofile) HaengeAn(tuerprofile, NeuerDatensatz<TUERPROFIL>());
  while (tuerprofile.Anzahl > kAnzahlTuerprofile) tuerprofile.Remove(tuerprofile.Anzahl - 1);
}

std::uint16_t PruefeZeitlinien(Array<PROFIL*>& profile) {
  std::uint16_t zuordnung = 0;
  for (int p = 0; p < profile.Anzahl; ++p) {
    for (Zeitlinie& z : Element(profile, p).Zeitlinien) {
      if (!Gueltig(z)) z = Zeitlinie{};
      zuordnung |= z.Tueren & kTuerBits;
    }
  }
  return zuordnung;
}

bool PasseZeitlinienAn(Array<PROFIL*>& profile, std::uint16_t alt, std::uint16_t neu) {
  bool geaendert = false;
  for (int p = 0; p < profile.Anzahl; ++p) {
    for (Zeitlinie& z : Element(profile, p).Zeitlinien) {
      const Zeitlinie vorher = z;
      if (!Gueltig(z)) z = Zeitlinie{};
      if (alt != neu) {
        // Door d of reader 1 is bit d-1, of reader 2 bit d+3: both readers' bits of the line's doors.
        const auto tueren = static_cast<std::uint16_t>((z.Tueren | (z.Tueren >> 4)) & 0x07);
        const auto leserBits = static_cast<std::uint16_t>(tueren | (tueren << 4));
        z.Tueren = static_cast<std::uint16_t>(neu & leserBits);
      }
      geaendert = geaendert || !(z == vorher);
    }
  }
  return geaendert;
}

void KonvertiereAlteFlags(Array<PROFIL*>& profile) {
  for (int p = 0; p < profile.Anzahl; ++p) {
    for (Zeitlinie& z : Element(profile, p).Zeitlinien) {
      if ((z.Tage & TAG_SONDERTAG2) != 0) {
        z.Tage &= static_cast<std::uint16_t>(~TAG_SONDERTAG2);
        z.Tueren |= 0x20;
      }
      if ((z.Tage & TAG_SONDERTAG1) != 0) {
        z.Tage &= static_cast<std::uint16_t>(~TAG_SONDERTAG1);
        z.Tueren |= 0x01;
      }
    }
  }
}
