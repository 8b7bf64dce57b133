// Setting the controller's clock and fetching the bookings it recorded. Both show their own
// failures in a box titled "Fehler" and return, so their callers see no communication failure.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "document/Steuerung.h"
#include "link/AntwortScanner.h"
#include "link/Befehle.h"
#include "link/KommFunktionen.h"
#include "link/TelegrammTexte.h"
#include "link/Uebertragung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"
#include "platform/Plattform.h"
#include "text/Texte.h"
#include "text/WireText.h"
#include "transfer/TransferRahmen.h"

namespace {

constexpr int kQuittungAbFirmware = 300;
constexpr unsigned kPauseNachBuchungMs = 60;

const char* Fehlertitel() { return Texte::AllgemeineTexte[Texte::allgemein::Fehler]; }

}  // namespace

bool TSteuerung::SetzeUhrzeit() {
  const plattform::LocalTime jetzt = plattform::Current().Now();
  SendeText = Formatiert("%04d.%02d.%02d.%02d.%02d.%02d", jetzt.year, jetzt.month, jetzt.day, jetzt.hour, jetzt.minute,
                         jetzt.second);
  try {
    Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimZeitstellen));
    if (!u.KommandoOk(befehl::Zeit, SendeText, kAntwortAck)) {
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

  const std::optional<std::string> fehler = Fehlermeldung([&] {
    GetVersion();
    plattform::Current().ProcessMessages();

    Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimLesenDerBuchungen));
    status.SetLabel1(Fortschritt(Texte::fortschritt::HoleAnzahlBuchungen));
    SendeText.clear();
    // The count request never writes protocol lines.
    if (!u.KommandoOk(befehl::BuchungsanzahlHolen, SendeText, befehl::Buchungsanzahl, Uebertragung::Protokoll::Ohne)) {
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
      KommErgebnis = u.Komm().Kommando(u.Ziel(), kPcAdresse, ProtokollDatei.get(), kVersuche, AntwortPuffer,
                                       befehl::Buchung, SendeText, befehl::BuchungHolen);
      if (KommErgebnis != kKommOk) throw KommError(Texte::Eintrag(Texte::KommFehlerTexte, KommErgebnis), " ");
      status.SetLabel1(Formatiert("%s %d %s %d", Fortschritt(Texte::fortschritt::HoleBuchung), i + 1,
                                  Fortschritt(Texte::fortschritt::Von), anzahl));
      balken.StepIt();
      LiesBuchung(std::string_view(AntwortPuffer, sizeof AntwortPuffer), *buchung);
      DekodiereText(buchung->Name);
      HaengeAn(Buchungen, std::move(buchung));
      if (FirmwareNummer >= kQuittungAbFirmware &&
          u.Komm().SendeTele(u.Ziel(), kPcAdresse, befehl::Quittung, " ", 0) < 0) {
        const char* grund = KommTabelle().GetLastErrorMessage();
        throw KommError("Fehler beim Senden der Quittung\n", grund != nullptr ? grund : "");
      }
      Warte(kPauseNachBuchungMs);
    }
    // The end of the transfer; what the controller answers does not matter.
    u.KommandoOk(befehl::Buchungsende, SendeText, kAntwortAck);
    status.Close();
    u.Schliessen();
  });
  if (fehler) {
    status.Close();
    plattform::Current().MessageBox(*fehler, Fehlertitel(), plattform::MB_ERROR);
  }
}
