// The version query and the transfer of the persons (cards) between document and controller.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "document/Steuerung.h"
#include "link/AntwortScanner.h"
#include "link/Befehle.h"
#include "link/Uebertragung.h"
#include "model/ListenZugriff.h"
#include "platform/Plattform.h"
#include "text/Texte.h"
#include "text/WireText.h"
#include "transfer/TransferRahmen.h"

namespace {

// The person send sets the library's reply time-out; it stays so for later operations.
constexpr int kAntwortzeitPersonenMs = 2000;

// The firmware number from the version answer's text after "V.0" (the zero included, at most
// ten characters): the points removed and the last two characters dropped, the rest a
// decimal number.
int Firmwarenummer(std::string f) {
  std::erase(f, '.');
  if (f.size() > 1) f.resize(f.size() - 2);
  int nummer = 0;
  AntwortScanner s(f);
  s.Zahl(nummer);
  if (!s.Ok() || s.Position() != f.size()) throw StdError("Unbrauchbare Versionsantwort der Steuerung");
  return nummer;
}

// "%s %s %s %d %d %s": the name on the wire, card, profile, both status bytes as signed
// numbers, code.
std::string Personentext(const PERSON& p) {
  char name[sizeof p.Name];
  SchreibeText(name, LiesText(p.Name));
  KodiereText(name);
  return LiesText(name) + ' ' + LiesText(p.Karte) + ' ' + LiesText(p.Profil) + ' ' +
         std::to_string(static_cast<std::int8_t>(p.Status1)) + ' ' +
         std::to_string(static_cast<std::int8_t>(p.Status2)) + ' ' + LiesText(p.Code);
}

// Six words: name, card, profile, status 1, status 2, code. A status byte is the code of the
// first character of its word; a field whose word is missing stays as it was.
void LiesPerson(AntwortScanner& s, PERSON& p) {
  char status1[2] = {static_cast<char>(p.Status1), 0};
  char status2[2] = {static_cast<char>(p.Status2), 0};
  s.Wort(p.Name).Wort(p.Karte).Wort(p.Profil).Wort(status1).Wort(status2).Wort(p.Code);
  p.Status1 = static_cast<std::uint8_t>(status1[0]);
  p.Status2 = static_cast<std::uint8_t>(status2[0]);
}

}  // namespace

void TSteuerung::GetVersion() {
  FirmwareNummer = 0;
  {
    Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeiVersionsabfrage));
    u.Kommando(befehl::VersionAbfrage, "", befehl::Version);
    u.Schliessen();
  }
  const std::string_view antwort(AntwortPuffer, strnlen(AntwortPuffer, sizeof AntwortPuffer));
  const std::size_t p = antwort.find("V.0");
  std::string firmware;
  if (p == std::string_view::npos) {
    AlteFirmware = true;
  } else {
    AlteFirmware = false;
    firmware = std::string(antwort.substr(p + 2, 10));
  }
  GemeldeterTyp = antwort.find("VI20") != std::string_view::npos ? 1 : 0;
  if (!firmware.empty()) FirmwareNummer = Firmwarenummer(firmware);
}

bool TSteuerung::SendePersonen(plattform::ProgressWindow& status) {
  plattform::ProgressBar& balken = status.Item();
  balken.SetPosition(0);
  balken.SetMax(100);
  const int anzahl = Personen.Anzahl;
  AnzahlPersonen = static_cast<std::uint16_t>(anzahl);
  status.SetLabel2(Fortschritt(Texte::fortschritt::SendePersonendaten));
  status.SetLabel1(Fortschritt(Texte::fortschritt::SendePersonenanzahl));
  balken.StepIt();
  if (anzahl != 0) balken.SetMax(anzahl + 1);

  Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimSendenDerPersonen));
  u.Komm().SetParameter(kAntwortzeitPersonenMs);
  SendeText = std::to_string(anzahl);
  u.Kommando(befehl::Personenanzahl, SendeText, kAntwortAck);
  for (int i = 0; i < anzahl; ++i) {
    SendeText = Personentext(Element(Personen, i));
    status.SetLabel1(Fortschrittszeile(Fortschritt(Texte::fortschritt::SendePerson), i + 1, anzahl, "."));
    balken.StepIt();
    u.Kommando(befehl::Person, SendeText, kAntwortAck);
  }
  u.Schliessen();
  return true;
}

bool TSteuerung::HolePersonen(plattform::ProgressWindow& status) {
  plattform::ProgressBar& balken = status.Item();
  balken.SetPosition(0);
  balken.SetMax(100);
  status.SetLabel2(Fortschritt(Texte::fortschritt::HolePersonendaten));
  status.SetLabel1(Fortschritt(Texte::fortschritt::HolePersonenanzahl));
  balken.StepIt();

  Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimLesenDerPersonen));
  u.Kommando(befehl::PersonenanzahlHolen, "", befehl::Personenanzahl);
  std::uint16_t anzahl = 0;
  if (!AntwortScanner(AntwortPuffer).Zahl(anzahl).Ok()) throw UnbrauchbareAnzahl("Personenanzahl");
  if (anzahl != 0) balken.SetMax(anzahl + 1);

  // The persons are gathered apart; the document's list is replaced only when all arrived.
  Array<PERSON*> neu;
  for (int i = 0; i < anzahl; ++i) {
    auto person = NeuerDatensatz<PERSON>();
    SchreibeText(person->Profil, "");  // every byte zero
    SendeText = std::to_string(i);
    status.SetLabel1(Fortschrittszeile(Fortschritt(Texte::fortschritt::HolePerson), i + 1, anzahl));
    balken.StepIt();
    u.Kommando(befehl::PersonHolen, SendeText, befehl::Person);
    AntwortScanner s(AntwortPuffer);
    LiesPerson(s, *person);
    DekodiereText(person->Name);
    HaengeAn(neu, std::move(person));
  }
  u.Schliessen();
  Personen = std::move(neu);
  AnzahlPersonen = anzahl;
  return true;
}
