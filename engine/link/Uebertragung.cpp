#include "link/Uebertragung.h"

#include <utility>

#include "link/KommFunktionen.h"
#include "text/Texte.h"

int Zieladresse(const Verbindung& verbindung) { return verbindung.Kabel ? kKabelAdresse : verbindung.Adresse; }

std::string Anschlussname(int comPort) {
  if (comPort >= 1 && comPort < static_cast<int>(Texte::Anschluesse.size()))
    return Texte::Eintrag(Texte::Anschluesse, comPort);
  return "Com" + std::to_string(comPort);
}

Uebertragung::Uebertragung(TSerialKomm& komm, const Verbindung& verbindung, std::FILE* protokoll,
                           AntwortPufferRef antwort, int& kommErgebnis, std::string suffix)
    : komm_(komm),
      verbindung_(verbindung),
      protokoll_(protokoll),
      antwort_(antwort),
      kommErgebnis_(kommErgebnis),
      suffix_(std::move(suffix)),
      ziel_(Zieladresse(verbindung)) {
  if (komm_.Open(verbindung_.Page, verbindung_.ComPort, verbindung_.TCPPort, verbindung_.IP) != 0) {
    const char* grund = KommTabelle().GetLastErrorMessage();
    throw KommError(Texte::KommFehlerTexte[Texte::kommfehler::SchnittstelleNichtVerfuegbar],
                    grund != nullptr ? grund : "");
  }
  offen_ = true;
}

Uebertragung::~Uebertragung() {
  if (offen_) komm_.Close();
}

void Uebertragung::Kommando(int command, const std::string& text, int expected) {
  kommErgebnis_ = komm_.Kommando(ziel_, kPcAdresse, protokoll_, kVersuche, antwort_, expected, text, command);
  if (kommErgebnis_ != kKommOk) throw Fehler(kommErgebnis_);
}

bool Uebertragung::KommandoOk(int command, const std::string& text, int expected, Protokoll log) {
  return komm_.KommandoOk(ziel_, kPcAdresse, log == Protokoll::Mit ? protokoll_ : nullptr, kVersuche, antwort_,
                          expected, text, command);
}

void Uebertragung::Schliessen() {
  if (!offen_) return;
  offen_ = false;
  komm_.Close();
}

KommError Uebertragung::Fehler(int r) const {
  const char* text = Texte::Eintrag(Texte::KommFehlerTexte, r);
  if (r == kKommKeineAntwort) {
    return KommError(text, verbindung_.Page == 1 ? Anschlussname(verbindung_.ComPort) : verbindung_.IP);
  }
  return KommError(text, suffix_);
}
