// Small pieces shared by the transfer operations of the document object: the connection
// settings for the transfer frame, the progress lines and failure suffixes of the text tables,
// and the failure for an answer that cannot be used.
#pragma once

#include <string>
#include <utility>

#include "document/Steuerung.h"
#include "link/Uebertragung.h"
#include "model/Fehler.h"
#include "text/Texte.h"

inline Verbindung VerbindungVon(const TSteuerung& s) {
  return Verbindung{s.Page, s.ComPort, s.TCPPort, s.IP, s.GetAdresse(), s.Kabel};
}

// The frame of one transfer of `s` (opens the link; see Uebertragung.h), its failures of
// results 2 and 3 completed by `suffix`.
inline Uebertragung UebertragungVon(TSteuerung& s, std::string suffix) {
  return Uebertragung(*s.Komm, VerbindungVon(s), s.ProtokollDatei.get(), s.AntwortPuffer, s.KommErgebnis,
                      std::move(suffix));
}

// Progress line `i` of the text table (a name of Texte::fortschritt).
inline const char* Fortschritt(std::size_t i) { return Texte::Eintrag(Texte::FortschrittsTexte, i); }

// Operation suffix `i` (a name of Texte::kommfehler) that completes a transfer's failure texts.
inline std::string Suffix(std::size_t i) { return Texte::Eintrag(Texte::KommFehlerTexte, i); }

// "<what> <n> von <count><tail>", the item line of the progress window.
inline std::string Fortschrittszeile(const char* was, int n, int anzahl, const char* schluss = "") {
  return std::string(was) + ' ' + std::to_string(n) + " von " + std::to_string(anzahl) + schluss;
}

// A count the controller announced that is not a number, negative or beyond 65535.
inline StdError UnbrauchbareAnzahl(const char* was) {
  return StdError(std::string("Unbrauchbare ") + was + " der Steuerung");
}
