// Setting the controller's clock and fetching the bookings it recorded. Both show their own
// failures in a box titled "Fehler" and return, so their callers see no communication failure.
#include <cstdint>
#include <limits>
#include <string>

#include "link/AntwortScanner.h"
#include "model/Fehler.h"
#include "link/KommFunktionen.h"
#include "model/ListenZugriff.h"
#include "platform/Plattform.h"
#include "document/Steuerung.h"
#include "text/Texte.h"
#include "link/TelegrammTexte.h"
#include "transfer/TransferRahmen.h"
#include "link/Uebertragung.h"
#include "text/WireText.h"

namespace {

constexpr int kQuittung = 3;  // acknowledgement of one booking; no answer
constexpr int kBuchungHolen = 5;
constexpr int kBuchungsende = 6;
constexpr int kBuchungsanzahlHolen = 10;
constexpr int kBuchungsanzahl = 12;
constexpr int kBuchung = 15;
constexpr int kUhrzeit = 65;

constexpr int kQuittungAbFirmware = 300;
constexpr unsigned kPauseNachBuchungMs = 60;
constexpr int kVersuche = 3;

const char* Fehlertitel() { return Texte::AllgemeineTexte[Texte::allgemein::Fehler]; }

}  // namespace

bool TSteuerung::SetzeUhrzeit() {
  const plattform::LocalTime jetzt = plattform::Current().Now();
  SendeText = Formatiert("%04d.%02d.%02d.%02d.%02d.%02d", jetzt.year, jetzt.month, jetzt.day, jetzt.hour,
                         jetzt.minute, jetzt.second);
  try {
    Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimZeitstellen));
    if (!u.KommandoOk(kUhrzeit, SendeText, kAntwortAck)) {
      throw KommError(Texte::KommFehlerTexte[Texte::kommfehler::Kommunikationsfehler],
                      Texte::KommFehlerTexte[Texte::kommfehler::BeimZeitstellen]);
    }
    u.Schliessen();
    return true;
  } catch (const KommError& fehler) {
    plattform::Current().MessageBox(fehler.Meldung, Fehlertitel(), plattform::MB_ERROR);
    return false;
  }
}

void TSteuerung::HoleBuchungen(plattform::ProgressWindow& status) {
  plattform::ProgressBar& balken = status.Item();
  balken.SetMax(100);
  balken.SetPosition(0);
  balken.SetStep(1);
  status.SetCaption(Texte::Titel[Texte::titel::Datenuebertragung]);
  status.SetLabel2(Fortschritt(Texte::fortschritt::HoleBuchungen));
  status.Show();
  BuchungenGespeichert = false;

  try {
    GetVersion();
    plattform::Current().ProcessMessages();

    Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimLesenDerBuchungen));
    status.SetLabel1(Fortschritt(Texte::fortschritt::HoleAnzahlBuchungen));
    SendeText.clear();
    // The count request never writes protocol lines.
    if (!u.KommandoOk(kBuchungsanzahlHolen, SendeText, kBuchungsanzahl, Uebertragung::Protokoll::Ohne)) {
      throw KommError(Texte::KommFehlerTexte[Texte::kommfehler::Kommunikationsfehler],
                      Texte::KommFehlerTexte[Texte::kommfehler::BeimLesenDerBuchungen]);
    }
    balken.StepIt();
    // A count that is negative or no number asks for nothing.
    int anzahl = 0;
    AntwortScanner(AntwortPuffer).Zahl(anzahl, 0, std::numeric_limits<int>::max() - 1);
    balken.SetMax(anzahl + 1);

    for (int i = 0; i < anzahl; ++i) {
      auto buchung = NeuerDatensatz<books>();
      KommErgebnis = u.Komm().Kommando(u.Ziel(), kPcAdresse, ProtokollDatei.get(), kVersuche, AntwortPuffer, kBuchung,
                                       SendeText, kBuchungHolen);
      if (KommErgebnis != kKommOk) throw KommError(Texte::Eintrag(Texte::KommFehlerTexte, KommErgebnis), " ");
      status.SetLabel1(Formatiert("%s %d %s %d", Fortschritt(Texte::fortschritt::HoleBuchung), i + 1,
                                  Fortschritt(Texte::fortschritt::Von), anzahl));
      balken.StepIt();
      LiesBuchung(std::string_view(AntwortPuffer, sizeof AntwortPuffer), *buchung);
      DekodiereText(buchung->Name);
      HaengeAn(Buchungen, std::move(buchung));
      if (FirmwareNummer >= kQuittungAbFirmware && u.Komm().SendeTele(u.Ziel(), kPcAdresse, kQuittung, " ", 0) < 0) {
        const char* grund = KommTabelle().GetLastErrorMessage();
        throw KommError("Fehler beim Senden der Quittung\n", grund != nullptr ? grund : "");
      }
      Warte(kPauseNachBuchungMs);
    }
    // The end of the transfer; what the controller answers does not matter.
    u.KommandoOk(kBuchungsende, SendeText, kAntwortAck);
    status.Close();
    u.Schliessen();
  } catch (const KommError& fehler) {
    status.Close();
    plattform::Current().MessageBox(fehler.Meldung, Fehlertitel(), plattform::MB_ERROR);
  } catch (const StdError& fehler) {
    status.Close();
    plattform::Current().MessageBox(fehler.Meldung, Fehlertitel(), plattform::MB_ERROR);
  }
}
