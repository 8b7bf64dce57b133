// The program's German text tables (UTF-8). Every entry is a constant literal, so the
// tables are usable from any static initialiser. Entries are kept exactly as the windows
// and messages show them, trailing blanks and odd spellings included; an entry " "
// fills a position that carries no text. Code picks an entry by the name declared beside
// its table, in a lower-case namespace named after the table:
// Texte::Titel[Texte::titel::Datenuebertragung]. The tables indexed by a value of the
// model (transaction results, ports, addresses, months, weekday columns, hours, device
// types) are indexed by that value, and one read from a file, the configuration or the
// controller goes through Texte::Eintrag.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstring>
#include <utility>

namespace Texte {

template <std::size_t N>
using Tabelle = std::array<const char*, N>;

// version tag written at the head of a document file
extern const char* const TextVersion;
// warning at start when the PC clock is before 1998
extern const char* const TextSystemzeit;
// warning before the expert settings
extern const char* const TextExpertModus;
// warning before the card memory of the controller is erased
extern const char* const TextFlashLoeschen;
// yes/no question before holidays go to a controller with old firmware
extern const char* const TextAlteFirmware;
// confirmation before the holiday table is cleared or regenerated
extern const char* const TextFeiertageLoeschen;

// 0, 1: device type names by Geraetetyp (read them through Geraetetypname); 2, 3, 4:
// the pieces of the type-mismatch question, joined as piece before the document's type,
// the document's type name, piece before the controller's type, the controller's type
// name, closing piece
extern const Tabelle<5> Geraetetypen;
namespace geraetetyp {
enum : std::size_t {
  FrageVorDokumenttyp = 2,
  FrageVorGemeldetemTyp = 3,
  FrageSchluss = 4,
};
}  // namespace geraetetyp

// day rows and day kinds: Monday..Sunday, half holiday, holiday, the default names of
// the two special days, the heading of both special days
extern const Tabelle<12> Tagesarten;
namespace tagesart {
enum : std::size_t {
  Montag = 0,
  Dienstag = 1,
  Mittwoch = 2,
  Donnerstag = 3,
  Freitag = 4,
  Samstag = 5,
  Sonntag = 6,
  HalberFeiertag = 7,
  Feiertag = 8,
  Sondertag1 = 9,
  Sondertag2 = 10,
  Sondertage = 11,
};
}  // namespace tagesart

// weekday heads of the holiday calendar; index = column modulo 7, 0 is Saturday
extern const Tabelle<7> Tageskuerzel;
// hour ruler of the week graphs, index = hour 0..24
extern const Tabelle<25> Stundenleiste;
namespace stundenleiste {
enum : std::size_t {
  Uhr = 24,  // also follows the time of day in the printouts' page header
};
}  // namespace stundenleiste
// month names, index = month - 1
extern const Tabelle<12> Monate;
// general messages and the captions of error, information and notice boxes
extern const Tabelle<18> AllgemeineTexte;
namespace allgemein {
enum : std::size_t {
  FehlerBeimLesen = 1,
  FehlerBeimSchreiben = 2,
  EinAusgabefehler = 3,
  FehlerBeimLesenAusDatei = 4,
  FehlerBeimSchreibenInDatei = 5,
  KeinSpeicher = 6,                   // allocation failure of the model
  Fehler = 7,                         // caption of error boxes
  Info = 8,                           // caption of information boxes
  Hinweis = 9,                        // caption of notice boxes
  Erfolgreich = 10,                   // follows an operation's name in a result message
  Fehlgeschlagen = 11,                // likewise
  DatenNichtGespeichert = 12,         // first line of the unsaved-document question
  JetztSpeichern = 13,                // its second line
  Zeitlinie = 14,                     // prefix of the time-line list items
  KeineBuchungen = 15,                // notice when a bookings file has none
  DateiUeberschreiben = 16,           // overwrite question of the save dialogs
  ExportierteBuchungenLoeschen = 17,  // question after a bookings export
};
}  // namespace allgemein

// communication errors: 1..3 by transaction result (1 no answer, 2 'NumNA',
// 3 'unknownCommand'), then the named entries: the link cannot be opened, a general
// error, and the operation suffixes that complete the texts of a failed operation
extern const Tabelle<18> KommFehlerTexte;
namespace kommfehler {
enum : std::size_t {
  SchnittstelleNichtVerfuegbar = 4,
  Kommunikationsfehler = 5,
  BeiZeitabfrage = 6,
  BeimZeitstellen = 7,
  BeimLesenDerBuchungen = 8,
  BeiVersionsabfrage = 9,
  BeiPersonenzahlabfrage = 10,
  BeimLesenDerPersonen = 11,
  BeimSendenDerPersonen = 12,
  BeiProfilzahlabfrage = 13,
  BeimLesenDerProfile = 14,
  BeimSendenDerProfile = 15,
  BeimLesenDerFeiertage = 16,
  BeimSendenDerFeiertage = 17,
};
}  // namespace kommfehler

// serial port names, index = COM port number; 0 is a space
extern const Tabelle<25> Anschluesse;
// captions, labels and column titles set in code; the reader and door names also name
// readers and doors in the bookings list and the printouts (door 2 of a "ZO 10" is
// Tuer2MK). The entries "-" hold places that carry no text.
extern const Tabelle<60> Beschriftungen;
namespace beschriftung {
enum : std::size_t {
  DatenSenden = 1,
  DatenHolen = 2,
  Personendaten = 3,
  ZeitStellen = 4,
  Geraetedaten = 5,
  Zutrittsprofile = 6,
  ErweiterteEinstellungen = 7,
  StandardEinstellungen = 8,
  Tuerdaten = 9,
  Feiertagskalender = 10,
  BuchungenAnsehen = 11,
  Drucken = 12,
  ZutrittsprofileAbschnitt = 13,  // the same text again, for the print window's section
  GueltigAm = 14,
  BuchungenAbrufen = 15,
  BuchungenLoeschen = 16,
  Leser1 = 17,
  Leser2 = 18,
  Tuer1 = 19,
  Tuer2 = 20,
  Tuer3MK = 21,
  Tuer2MK = 22,
  Meldekontakt = 23,
  WirksamFuer = 24,
  Tuerstatus = 25,
  ZeitlinienFuerZutrittsprofil = 26,
  ZeitlinienFuerTuerstatus = 27,
  NamenFuerNeuesProfil = 28,
  NeuesZutrittsprofil = 29,
  Tuerstandorte = 30,
  LeserzuordnungDerSteuerung = 31,
  Geraetetyp = 32,
  Daueroffen = 33,
  Dauergesperrt = 34,
  Kartenbetrieb = 35,
  NameAufdruck = 36,
  Kartencodierung = 37,
  Zutrittsprofil = 38,
  DatumUhrzeit = 39,
  AlleTueren = 40,
  Erweitert = 41,
  LeserTuerzuordnung = 45,
  Neu = 47,
  Aendern = 48,
  Loeschen = 49,
  Jahr = 50,
  DoppeltenZutrittPruefen = 52,
  TueroeffnungOhneLeser = 53,
  Freigabezeit = 54,
  Ueberwachungszeit = 55,
  ProtokollierungDerKommunikation = 56,
  VerbindungMitProgrammierkabel = 57,
  Geraeteadresse = 58,
  Verbindungstest = 59,
};
}  // namespace beschriftung

// day kinds of the holiday legend and printout, the program title, window titles and
// prompts
extern const Tabelle<19> Titel;
namespace titel {
enum : std::size_t {
  NormalerTag = 0,
  Feiertag = 1,
  HalberFeiertag = 2,
  SommerWinterUmschaltung = 3,
  Programmtitel = 4,
  Eingabe = 5,
  ZusaetzlicheSondertage = 6,
  FeiertageGenerieren = 7,
  Verbindungsparameter = 8,
  PasswortFuerExpertModus = 9,
  ErweiterteOptionen = 10,
  Datenuebertragung = 11,
  ZeitlinieBearbeiten = 12,
  InfoUeber = 13,
  NeuePersonAnlegen = 14,
  PersonAendern = 15,
  ExpertModusEinstellungen = 16,
  PasswortEingeben = 17,
  FeiertageGenerierenKnopf = 18,  // the same text again, for the holiday calendar's button
};
}  // namespace titel

// data-selection window: its line for sending and for fetching, its three check boxes,
// its two button captions and the options button
extern const Tabelle<10> UebertragungsTexte;
namespace uebertragung {
enum : std::size_t {
  WerdenGesendet = 1,
  WerdenGelesen = 2,
  PersonenKarten = 3,
  ProfileGeraetedaten = 4,
  FeiertageUmschalttage = 5,
  Senden = 7,
  Holen = 8,
  Optionen = 9,
};
}  // namespace uebertragung

// the holiday calendar's popup menu, then the main window's menu in menu order
extern const Tabelle<27> MenueTexte;
namespace menue {
enum : std::size_t {
  NormalerTag = 0,
  Feiertag = 1,
  HalberFeiertag = 2,
  SommerWinterUmschaltung = 3,
  Datei = 5,
  Neu = 6,
  Oeffnen = 7,
  Speichern = 8,
  SpeichernAls = 9,
  Drucken = 10,
  Druckereinrichtung = 11,
  Beenden = 12,
  Konfigurieren = 13,
  Personendaten = 14,
  Tuerdaten = 15,
  Geraetedaten = 16,
  Feiertage = 17,
  Zutrittsprofile = 18,
  Verbindungsparameter = 19,
  UhrStellen = 20,
  ExpertModus = 21,
  ZusaetzeAnzeigen = 22,
  Hilfe = 23,
  Inhalt = 24,
  Index = 25,
  InfoUeber = 26,
};
}  // namespace menue

// progress lines of the transfers ("von" between the two counts of an item line), the
// connection test's result box and the card-memory erase; " Dummy" at the end holds a
// place that carries no text
extern const Tabelle<43> FortschrittsTexte;
namespace fortschritt {
enum : std::size_t {
  Von = 0,
  SendePersonenanzahl = 1,
  SendePersonen = 2,
  SendePerson = 3,
  HolePersonenanzahl = 4,
  HolePersonen = 5,
  HolePerson = 6,
  SendeGeraetedaten = 7,
  HoleGeraetedaten = 8,
  SendeZutrittsprofile = 9,
  SendeProfil = 10,
  HoleZutrittsprofile = 11,
  HoleProfil = 12,
  SendeTuerprofile = 13,
  SendeTuerprofil = 14,
  HoleTuerprofile = 15,
  HoleTuerprofil = 16,
  SendeBezugsjahr = 17,
  HoleBezugsjahr = 18,
  SendeFeiertage = 19,
  HoleFeiertage = 20,
  HoleBlock = 21,
  SendeBlock = 22,
  SendePersonendaten = 23,
  HolePersonendaten = 24,
  SendeZeit = 25,
  HoleZeit = 26,
  VersionAbfragen = 27,
  HoleAnzahlBuchungen = 28,
  HoleBuchungen = 29,
  SendeAnzahlFeiertagebloecke = 30,
  HoleAnzahlFeiertagebloecke = 31,
  SendeSommerWinterumschaltung = 32,
  HoleBuchung = 33,
  ErgebnisDesVerbindungstests = 35,
  SteuerungMeldetSichMit = 36,
  Geraetezeit = 37,
  AnzahlPersonen = 38,
  AnzahlProfile = 39,
  FlashLoeschen = 40,
  WarteAufEnde = 41,
};
}  // namespace fortschritt

// printouts: the day heads Monday..Sunday, half holiday, holiday, special days 1 and 2
// (in the order of the day bits of a time line), column heads and section names, state
// words, the third door
extern const Tabelle<25> DruckTexte;
namespace druck {
enum : std::size_t {
  Montag = 0,
  Dienstag = 1,
  Mittwoch = 2,
  Donnerstag = 3,
  Freitag = 4,
  Samstag = 5,
  Sonntag = 6,
  HalberFeiertag = 7,
  Feiertag = 8,
  Sondertag1 = 9,
  Sondertag2 = 10,
  Von = 11,
  Bis = 12,
  Zeitlinien = 13,
  Buchungen = 14,
  Seite = 15,
  Zutrittskontrolle = 16,
  Strich = 17,
  Feiertage = 18,
  SortiertNach = 19,
  AlleAuswaehlen = 20,
  Druckersetup = 21,
  Aktiv = 22,
  Inaktiv = 23,
  Tuer3 = 24,
};
}  // namespace druck

// file errors of the protocol log, the document (write/read pairs in file order) and the
// bookings file
extern const Tabelle<27> DateiFehlerTexte;
namespace dateifehler {
enum : std::size_t {
  ProtokolldateiOeffnen = 0,
  DateiOeffnen = 1,
  FeiertageSchreiben = 2,
  FeiertageLesen = 3,
  ProfilanzahlSchreiben = 4,
  ProfilanzahlLesen = 5,
  ZutrittsprofileSchreiben = 6,
  ZutrittsprofileLesen = 7,
  PersonenanzahlSchreiben = 8,
  PersonenanzahlLesen = 9,
  PersonenSchreiben = 10,
  PersonenLesen = 11,
  TuerprofilanzahlSchreiben = 12,
  TuerprofilanzahlLesen = 13,
  TuerprofileSchreiben = 14,
  TuerprofileLesen = 15,
  GeraetedatenSchreiben = 16,
  GeraetedatenLesen = 17,
  Sondertag1Schreiben = 18,
  Sondertag1Lesen = 19,
  Sondertag2Schreiben = 20,
  Sondertag2Lesen = 21,
  VersionSchreiben = 22,
  VersionLesen = 23,
  ProtokolldateiSchreiben = 24,
  BuchungenLesen = 25,
  BuchungenSchreiben = 26,
};
}  // namespace dateifehler

// device address names, index = address 0..15 (13 is a lower-case "d")
extern const Tabelle<16> Adressnamen;

// Entry `index` of `tabelle`; outside the table the table's own filler " ", or "" when
// the table has none.
template <std::size_t N, std::integral Index>
const char* Eintrag(const Tabelle<N>& tabelle, Index index) noexcept {
  if (std::cmp_greater_equal(index, 0) && std::cmp_less(index, N)) {
    return tabelle[static_cast<std::size_t>(index)];
  }
  for (const char* text : tabelle) {
    if (std::strcmp(text, " ") == 0) {
      return text;
    }
  }
  return "";
}

// Name of device type `typ` (0 "ZO 10", 1 "RA 20"); "" for any other value, so that a
// type read from a file or the controller never picks a piece of the mismatch question.
template <std::integral Index>
const char* Geraetetypname(Index typ) noexcept {
  if (std::cmp_greater_equal(typ, 0) && std::cmp_less(typ, 2)) {
    return Geraetetypen[static_cast<std::size_t>(typ)];
  }
  return "";
}

}  // namespace Texte
