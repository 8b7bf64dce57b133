// The transfer of the device data (flag word and door names), the access profiles and the
// door profiles between document and controller.
#include <cstdint>
#include <exception>
#include <string>

#include "document/Steuerung.h"
#include "link/AntwortScanner.h"
#include "link/Befehle.h"
#include "link/Uebertragung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"
#include "model/Profile.h"
#include "platform/Plattform.h"
#include "text/Texte.h"
#include "text/WireText.h"
#include "transfer/TransferRahmen.h"

namespace {

// The controller answers -1 for the device data when its memory is empty.
constexpr std::int32_t kLeererSpeicher = -1;

// A "ZO 10" controller has two doors.
constexpr int kTuerenZO10 = 2;

// Time bytes travel as one character: the value plus this.
constexpr int kZeitversatz = 65;

// An answer the fetch cannot use; it leaves the fetch as the StdError it carries, not as a
// memory fault.
struct UnbrauchbareAntwort {
  StdError fehler;
};

// "{%c.%c.%c.%c.%hd.%hd}"
std::string Gruppe(const Zeitlinie& z) {
  std::string g = "{";
  for (const std::uint8_t zeit : {z.VonStunde, z.VonMinute, z.BisStunde, z.BisMinute}) {
    g += static_cast<char>(static_cast<std::uint8_t>(zeit + kZeitversatz));
    g += '.';
  }
  g += std::to_string(static_cast<std::int16_t>(z.Tage)) + '.' + std::to_string(static_cast<std::int16_t>(z.Tueren)) +
       '}';
  return g;
}

// One group into `z`; `z` takes its values only when the whole group was read.
void LiesGruppe(AntwortScanner& s, Zeitlinie& z) {
  std::uint8_t zeit[4] = {};
  std::int16_t tage = 0;
  std::int16_t tueren = 0;
  s.Literal('{');
  for (std::uint8_t& t : zeit) s.Zeichen(t).Literal('.');
  s.Zahl(tage).Literal('.').Zahl(tueren).Literal('}');
  if (!s.Ok()) return;
  z.VonStunde = static_cast<std::uint8_t>(zeit[0] - kZeitversatz);
  z.VonMinute = static_cast<std::uint8_t>(zeit[1] - kZeitversatz);
  z.BisStunde = static_cast<std::uint8_t>(zeit[2] - kZeitversatz);
  z.BisMinute = static_cast<std::uint8_t>(zeit[3] - kZeitversatz);
  z.Tage = static_cast<std::uint16_t>(tage);
  z.Tueren = static_cast<std::uint16_t>(tueren);
}

// Groups joined by "," without blanks; reading stops at the first one that does not match.
template <std::size_t N>
void LiesGruppen(AntwortScanner& s, Zeitlinie (&linien)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) s.Literal(',');
    LiesGruppe(s, linien[i]);
  }
}

// The door-profile lines are checked with the rule of the access-profile lines.
void LeereUngueltigeLinien(TUERPROFIL& t) {
  for (Zeitlinie& z : t.Zeitlinien) {
    if (!Gueltig(z)) z = Zeitlinie{};
  }
}

std::string Profiltext(const PROFIL& p, int index) {
  char name[sizeof p.Name];
  SchreibeText(name, LiesText(p.Name));
  KodiereText(name);
  std::string text = LiesText(name) + ' ' + std::to_string(index) + ' ';
  for (std::size_t i = 0; i < PROFIL::AnzahlZeitlinien; ++i) {
    if (i > 0) text += ',';
    text += Gruppe(p.Zeitlinien[i]);
  }
  return text;
}

// The controller takes the door groups with a blank after the first, third and fifth comma.
std::string Tuerprofiltext(const TUERPROFIL& t, int index) {
  std::string text =
      std::to_string(index) + ' ' + std::to_string(t.Ueberwachungszeit) + ' ' + std::to_string(t.Freigabezeit) + ' ';
  for (std::size_t i = 0; i < TUERPROFIL::AnzahlZeitlinien; ++i) {
    if (i > 0) text += i % 2 == 1 ? ", " : ",";
    text += Gruppe(t.Zeitlinien[i]);
  }
  return text;
}

template <std::size_t N>
std::uint16_t LiesAnzahl(const char (&antwort)[N], const char* was) {
  std::uint16_t anzahl = 0;
  if (!AntwortScanner(antwort).Zahl(anzahl).Ok()) {
    throw UnbrauchbareAntwort{UnbrauchbareAnzahl(was)};
  }
  return anzahl;
}

}  // namespace

bool TSteuerung::SendeProfile(plattform::ProgressWindow& status) {
  plattform::ProgressBar& balken = status.Item();
  balken.SetPosition(0);
  balken.SetMax(100);
  AnzahlProfile = static_cast<std::uint16_t>(Profile.Anzahl);
  AnzahlTuerprofile = static_cast<std::uint16_t>(Geraetetyp == 0 ? kTuerenZO10 : Tuerprofile.Anzahl);
  status.SetLabel2(Fortschritt(Texte::fortschritt::SendeGeraetedaten));
  status.SetLabel1(Fortschritt(Texte::fortschritt::SendeGeraetedaten));
  balken.StepIt();

  Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimSendenDerProfile));
  // The names go on the wire encoded; the document keeps its own spelling.
  GERAETEDATEN namen = Geraetedaten;
  KodiereText(namen.NameTuer1);
  KodiereText(namen.NameTuer2);
  SendeText = std::to_string(static_cast<std::int32_t>(Geraetedaten.Flags)) + ' ' + LiesText(namen.NameTuer1) + ' ' +
              LiesText(namen.NameTuer2);
  u.Kommando(befehl::Geraetedaten, SendeText, kAntwortAck);

  SendeText = std::to_string(Profile.Anzahl);
  balken.SetMax(AnzahlProfile + AnzahlTuerprofile + 2);
  status.SetLabel2(Fortschritt(Texte::fortschritt::SendeZutrittsprofile));
  balken.StepIt();
  u.Kommando(befehl::Profilanzahl, SendeText, kAntwortAck);
  for (int i = 0; i < AnzahlProfile; ++i) {
    SendeText = Profiltext(Element(Profile, i), i);
    status.SetLabel1(Fortschrittszeile(Fortschritt(Texte::fortschritt::SendeProfil), i + 1, AnzahlProfile, " ..."));
    balken.StepIt();
    u.Kommando(befehl::Profil, SendeText, kAntwortAck);
  }

  status.SetLabel2(Fortschritt(Texte::fortschritt::SendeTuerprofile));
  balken.StepIt();
  SendeText = std::to_string(AnzahlTuerprofile);
  u.Kommando(befehl::Tuerprofilanzahl, SendeText, kAntwortAck);
  balken.SetMax(AnzahlTuerprofile);
  for (int j = 0; j < AnzahlTuerprofile; ++j) {
    SendeText = Tuerprofiltext(Element(Tuerprofile, j), j);
    status.SetLabel1(
        Fortschrittszeile(Fortschritt(Texte::fortschritt::SendeTuerprofil), j + 1, AnzahlTuerprofile, " "));
    balken.StepIt();
    u.Kommando(befehl::Tuerprofil, SendeText, kAntwortAck);
  }
  u.Schliessen();
  return true;
}

bool TSteuerung::HoleProfile(plattform::ProgressWindow& status) {
  plattform::ProgressBar& balken = status.Item();
  balken.SetMax(100);
  status.SetLabel2(Fortschritt(Texte::fortschritt::HoleGeraetedaten));
  status.SetLabel1(Fortschritt(Texte::fortschritt::HoleGeraetedaten));
  balken.StepIt();

  try {
    Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimLesenDerProfile));
    u.Kommando(befehl::GeraetedatenHolen, "", befehl::Geraetedaten);
    std::int32_t erste = 0;
    AntwortScanner(AntwortPuffer).Zahl(erste);
    if (erste == kLeererSpeicher) throw IoError("Steuerung hat leeren Flash, ", "Daten holen unmöglich.");

    // Everything is gathered apart and replaces the document's data only at the end.
    GERAETEDATEN geraetedaten = Geraetedaten;
    auto flags = static_cast<std::int32_t>(geraetedaten.Flags);
    AntwortScanner antwort(AntwortPuffer);
    antwort.Zahl(flags).Wort(geraetedaten.NameTuer1).Wort(geraetedaten.NameTuer2);
    geraetedaten.Flags = static_cast<std::uint32_t>(flags);
    // Only a name that came from the controller is in its wire form; one kept stays as it is.
    if (antwort.Felder() >= 2) DekodiereText(geraetedaten.NameTuer1);
    if (antwort.Felder() >= 3) DekodiereText(geraetedaten.NameTuer2);

    status.SetLabel2(Fortschritt(Texte::fortschritt::HoleZutrittsprofile));
    balken.StepIt();
    u.Kommando(befehl::ProfilanzahlHolen, "", befehl::Profilanzahl);
    const std::uint16_t anzahlProfile = LiesAnzahl(AntwortPuffer, "Profilanzahl");
    balken.SetMax(anzahlProfile + 5);
    Array<PROFIL*> profile;
    for (int i = 0; i < anzahlProfile; ++i) {
      auto profil = NeuerDatensatz<PROFIL>();
      SendeText = std::to_string(i);
      status.SetLabel1(Fortschrittszeile(Fortschritt(Texte::fortschritt::HoleProfil), i + 1, anzahlProfile));
      balken.StepIt();
      u.Kommando(befehl::ProfilHolen, SendeText, befehl::Profil);
      // "%s %d " and the groups; the index in the answer is read and dropped.
      std::int32_t index = 0;
      AntwortScanner s(AntwortPuffer);
      s.Wort(profil->Name).Zahl(index).Leerraum();
      LiesGruppen(s, profil->Zeitlinien);
      DekodiereText(profil->Name);
      HaengeAn(profile, std::move(profil));
    }
    if (anzahlProfile == 0) ::ErzeugeStandardProfile(profile);

    status.SetLabel2(Fortschritt(Texte::fortschritt::HoleTuerprofile));
    balken.StepIt();
    u.Kommando(befehl::TuerprofilanzahlHolen, "", befehl::Tuerprofilanzahl);
    const std::uint16_t anzahlTuerprofile = LiesAnzahl(AntwortPuffer, "Türprofilanzahl");
    Array<TUERPROFIL*> tuerprofile;
    for (int j = 0; j < anzahlTuerprofile; ++j) {
      auto tuer = NeuerDatensatz<TUERPROFIL>();
      tuer->Ueberwachungszeit = 0;  // every byte zero
      tuer->Freigabezeit = 0;
      SendeText = std::to_string(j);
      status.SetLabel1(Fortschrittszeile(Fortschritt(Texte::fortschritt::HoleTuerprofil), j + 1, anzahlTuerprofile));
      balken.StepIt();
      u.Kommando(befehl::TuerprofilHolen, SendeText, befehl::Tuerprofil);
      // "%d %ld %ld " and the groups; the index is read and dropped.
      std::int32_t index = 0;
      AntwortScanner s(AntwortPuffer);
      s.Zahl(index).Zahl(tuer->Ueberwachungszeit).Zahl(tuer->Freigabezeit).Leerraum();
      LiesGruppen(s, tuer->Zeitlinien);
      LeereUngueltigeLinien(*tuer);
      HaengeAn(tuerprofile, std::move(tuer));
    }
    u.Schliessen();

    if (AlteFirmware) ::KonvertiereAlteFlags(profile);
    const std::uint16_t zuordnung = ::PruefeZeitlinien(profile);
    ErgaenzeTuerprofile(tuerprofile);
    // The type is the one the controller reported in the version answer, whatever flag it sent.
    if (GemeldeterTyp == 1) {
      geraetedaten.Flags |= GD_TYP_RA20;
    } else {
      geraetedaten.Flags &= ~GD_TYP_RA20;
    }

    Geraetedaten = geraetedaten;
    Profile = std::move(profile);
    Tuerprofile = std::move(tuerprofile);
    AnzahlProfile = anzahlProfile;
    AnzahlTuerprofile = anzahlTuerprofile;
    LeserTuerZuordnung = zuordnung;
    Geraetetyp = GemeldeterTyp == 1 ? 1 : 0;
    return true;
  } catch (const KommError&) {
    throw;
  } catch (const IoError&) {
    throw;
  } catch (const UnbrauchbareAntwort& e) {
    throw e.fehler;
  } catch (...) {
    // Any other failure of the program's classes or of the standard library is the memory fault.
    if (!Fehlermeldung(std::current_exception())) throw;
  }
  throw KommError("Speicherzugriffsfehler ", "in Funktion 'Profile holen'.");
}
