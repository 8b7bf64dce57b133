// The connection test, the erasing of the controller's card memory, and the send-all and
// fetch-all sequences that run the data transfers in their fixed order.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "document/Steuerung.h"
#include "link/AntwortScanner.h"
#include "link/Befehle.h"
#include "link/KommFunktionen.h"
#include "link/TelegrammTexte.h"
#include "link/Uebertragung.h"
#include "model/Fehler.h"
#include "platform/Plattform.h"
#include "text/Codec1252.h"
#include "text/Texte.h"
#include "transfer/TransferRahmen.h"

namespace {

constexpr int kTestSchritt = 20;
constexpr int kLoeschDurchgaenge = 10;
constexpr int kLoeschLeseversuche = 10;
constexpr int kLoeschAntwortzeitMs = 350;
constexpr int kSendeSchritt = 25;

constexpr const char* kTitelTest = "Ergebnis des Verbindungstestes";

// Puts the reply time-out found at the start back when the erase ends, on every way out: the
// erase's short time-out would cut the long answers of later operations (a full holiday block
// needs more than 400 ms at 9600 baud).
class AntwortzeitZurueck {
 public:
  explicit AntwortzeitZurueck(TSerialKomm& komm) : komm_(komm), ms_(komm.Antwortzeit()) {}
  ~AntwortzeitZurueck() { komm_.SetParameter(ms_); }
  AntwortzeitZurueck(const AntwortzeitZurueck&) = delete;
  AntwortzeitZurueck& operator=(const AntwortzeitZurueck&) = delete;

 private:
  TSerialKomm& komm_;
  int ms_;
};

std::string Antworttext(const char* puffer, std::size_t groesse) {
  return Cp1252NachUtf8(std::string_view(puffer, strnlen(puffer, groesse)));
}

}  // namespace

bool TSteuerung::SendeAlleDaten(plattform::ProgressWindow& status) {
  plattform::ProgressBar& gesamt = status.Overall();
  status.SetLabel2(Fortschritt(Texte::fortschritt::SendePersonendaten));
  gesamt.StepBy(kSendeSchritt);
  SendePersonen(status);
  status.SetLabel2(Fortschritt(Texte::fortschritt::SendeZutrittsprofile));
  gesamt.StepBy(kSendeSchritt);
  SendeProfile(status);
  status.SetLabel2(Fortschritt(Texte::fortschritt::SendeFeiertage));
  gesamt.StepBy(kSendeSchritt);
  SendeFeiertage(status);
  status.SetLabel2(Fortschritt(Texte::fortschritt::SendeZeit));
  gesamt.StepBy(kSendeSchritt);
  return SetzeUhrzeit();
}

void TSteuerung::HoleAlleDaten(plattform::ProgressWindow& status) {
  plattform::ProgressBar& gesamt = status.Overall();
  status.SetLabel2(Fortschritt(Texte::fortschritt::HolePersonendaten));
  gesamt.StepIt();
  HolePersonen(status);
  status.SetLabel2(Fortschritt(Texte::fortschritt::HoleZutrittsprofile));
  gesamt.StepIt();
  HoleProfile(status);
  status.SetLabel2(Fortschritt(Texte::fortschritt::HoleFeiertage));
  gesamt.StepIt();
  HoleFeiertage(status);
}

void TSteuerung::Verbindungstest(plattform::ProgressWindow& status) {
  plattform::Plattform& p = plattform::Current();
  plattform::ProgressBar& balken = status.Item();
  balken.SetPosition(0);
  balken.SetMax(100);
  status.Overall().SetPosition(0);
  if (FakeComm()) {
    p.MessageBox("Simulation ok", kTitelTest, plattform::MB_INFO);
    return;
  }
  status.Overall().SetVisible(false);
  status.SetLabel1("Öffne com ...");
  status.SetLabel2(" ");
  status.Show();
  const std::string anschluss = Page != 0 ? Anschlussname(ComPort) : IP;

  // What the controller does not supply is shown as 0.
  int jahr = 0, monat = 0, tag = 0, stunde = 0, minute = 0, sekunde = 0;
  int personen = 0, profile = 0;
  std::string version;
  try {
    Uebertragung u = UebertragungVon(*this, "");
    // Whatever makes a request fail, the box names the port.
    const auto frage = [&](int kommando, int erwartet) {
      SendeText.clear();
      if (!u.KommandoOk(kommando, SendeText, erwartet)) {
        throw KommError(Texte::KommFehlerTexte[kKommKeineAntwort], anschluss);
      }
    };
    balken.StepBy(kTestSchritt);
    status.SetLabel1(Fortschritt(Texte::fortschritt::HoleZeit));
    frage(befehl::ZeitHolen, befehl::Zeit);
    balken.StepBy(kTestSchritt);
    AntwortScanner(AntwortPuffer)
        .Zahl(jahr)
        .Literal('.')
        .Zahl(monat)
        .Literal('.')
        .Zahl(tag)
        .Literal('.')
        .Zahl(stunde)
        .Literal('.')
        .Zahl(minute)
        .Literal('.')
        .Zahl(sekunde)
        .Literal('.');

    status.SetLabel1("Hole Anzahl Personen...");
    frage(befehl::PersonenanzahlHolen, befehl::Personenanzahl);
    balken.StepBy(kTestSchritt);
    AntwortScanner(AntwortPuffer).Zahl(personen);

    status.SetLabel1("Hole Anzahl Profile ...");
    frage(befehl::ProfilanzahlHolen, befehl::Profilanzahl);
    balken.StepBy(kTestSchritt);
    AntwortScanner(AntwortPuffer).Zahl(profile);

    status.SetLabel1(Fortschritt(Texte::fortschritt::VersionAbfragen));
    frage(befehl::VersionAbfrage, befehl::Version);
    balken.StepBy(kTestSchritt);
    version = Antworttext(AntwortPuffer, sizeof AntwortPuffer);
    u.Schliessen();
  } catch (const KommError& fehler) {
    status.Close();
    balken.SetPosition(0);
    p.MessageBox(fehler.Meldung, Texte::AllgemeineTexte[Texte::allgemein::Fehler], plattform::MB_ERROR);
    status.Overall().SetVisible(true);
    return;
  }
  const std::string ergebnis =
      "\nSteuerung meldet sich mit:\n\n" + version +
      Formatiert("   \nGerätezeit: %02d.%02d.%4d %02d:%02d:%02d\nAnzahl Personen: %d\nAnzahl Profile:%d", tag, monat,
                 jahr, stunde, minute, sekunde, personen, profile);
  status.Close();
  p.MessageBox(ergebnis, kTitelTest, plattform::MB_INFO);
  status.Overall().SetVisible(true);
}

void TSteuerung::LoescheFlash(plattform::ProgressWindow& status) {
  plattform::Plattform& p = plattform::Current();
  plattform::ProgressBar& balken = status.Item();
  int rest = kLoeschDurchgaenge;
  balken.SetMax(kLoeschDurchgaenge);
  status.Show();

  Uebertragung u = UebertragungVon(*this, "");
  // The controller answers the erase late: it is awaited in short read attempts.
  const AntwortzeitZurueck zurueck(u.Komm());
  u.Komm().SetParameter(kLoeschAntwortzeitMs);
  SendeText = "-1";
  if (u.Komm().SendeTele(u.Ziel(), kPcAdresse, befehl::KartenspeicherLoeschen, SendeText, 0) < 0) {
    const char* grund = KommTabelle().GetLastErrorMessage();
    throw KommError("Fehler beim Senden des Löschbefehls\n", grund != nullptr ? grund : "");
  }

  const auto ergebnis = [&](const char* text) {
    u.Schliessen();
    p.MessageBox(text, Texte::AllgemeineTexte[Texte::allgemein::Info], plattform::MB_INFO);
  };
  while (rest > 0) {
    --rest;
    balken.StepIt();
    p.ProcessMessages();
    int absender = 0;
    const int antwort = u.Komm().WarteAufTele(&absender, kPcAdresse, AntwortPuffer, kLoeschLeseversuche);
    if (antwort == 0) {
      status.SetLabel2("Keine Antwort erhalten, warte ..." + std::to_string(rest));
      balken.StepIt();
      continue;
    }
    if (absender != u.Ziel()) {
      status.SetLabel2("Telegramm von " + std::to_string(absender) + "statt von " + std::to_string(u.Ziel()) +
                       Antworttext(AntwortPuffer, sizeof AntwortPuffer));
      continue;
    }
    switch (antwort) {
      case kAntwortAck: return ergebnis("Flash loeschen erfolgreich.");
      case kAntwortNumNa: return ergebnis("NUM_NA empfangen");
      case kAntwortUnbekannt:
        return ergebnis("SLAVE_RECEIVED_UNKNOWN_COMMAND empfangen bitte Flashversion ueberpruefen");
      case kAntwortNak: return ergebnis("NAK empfangen");
      default: break;  // any other answer: wait on
    }
  }
  ergebnis("Keine Antwort erhalten");
}
