// The document object: the one object that stands for the controller in hand. It holds the
// document (device data, profiles, persons, door profiles, holiday table, bookings), the
// connection settings read from Wup.ini, the link to the controller, the protocol log and the
// working state of the transfers. Every window and every transfer works on it.
//
// Texts held in record fields and in NameSondertag1/2 are Windows-1252 bytes, as in the
// document file; the windows convert them at their boundary.
//
// The transfer operations are member functions defined in their own source files.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "document/SichereDatei.h"
#include "link/SerialKomm.h"
#include "model/Array.h"
#include "model/Records.h"
#include "platform/Plattform.h"

// A booking as its 62 bytes in the bookings file.
using Buchungsbytes = std::array<std::uint8_t, books::Groesse>;

// What the document knows of its bookings files. The list stands for the file it was read
// from or last written to; a bookings file that is no longer that file (another instance of
// the program saved it, another program rewrote it) is read again before it is written, and
// its bookings are kept, followed by those fetched since.
struct Buchungsdateistand {
  std::string Pfad;      // the file the list stands for; empty while there is none
  Dateikennung Kennung;  // its identity when it was read or written; not Vorhanden: there was none
  // The bookings it held then, in no order that matters: the bookings of the list that are
  // not among them were fetched since.
  std::vector<Buchungsbytes> Buchungen;
  // A bookings file of the document that is there but could not be read (no permission, an
  // I/O error, no memory); empty otherwise. It is never replaced by a list that lacks its
  // bookings: a write onto it, or of the list that stands for it, reads it again first.
  std::string Ungelesen;
};

class TSteuerung {
 public:
  // Reads Wup.ini in the program's folder and makes a new document. `programmOrdner` (ending
  // in '/') is where Wup.ini, the new document "temp" and the protocol logs lie. Raises
  // IoError when the new document's empty bookings file cannot be created. A protocol log
  // that cannot be opened is shown in an error box and the program starts with the log off.
  explicit TSteuerung(std::uint16_t aktuellesJahr);
  TSteuerung(std::uint16_t aktuellesJahr, std::string programmOrdner);
  ~TSteuerung();
  TSteuerung(const TSteuerung&) = delete;
  TSteuerung& operator=(const TSteuerung&) = delete;

  // ---- document and configuration ----

  // Makes the document empty: holiday table with only its end marker, the default profiles
  // and door profiles, no persons and no bookings, the device data defaults, the path
  // program folder + "temp" and an empty bookings file beside it (IoError when that file
  // cannot be created). The saved flags DatenGespeichert and BuchungenGespeichert stay.
  void New();
  void ClearLists();
  // The simulation switch lives in the link wrapper; these set and read it there.
  void SetFakeComm(bool on);
  bool FakeComm() const;
  // Log mode of the communication library: on while the protocol log is on.
  void SetLinkLog(bool on);
  // Protocol log on (nonzero) or off (0). Switching on opens program folder + "log_" + port
  // name or IP + ".log" for appending (IoError when that fails; the log then stays off) and
  // writes the header; switching off writes the footer and closes it.
  void SetProtokoll(int on);
  // Adresse := a when 0 <= a <= 15, else 9.
  void SetAdresse(int a);
  int GetAdresse() const { return Adresse; }
  // Writes the configuration to Wup.ini, switches the protocol log off and clears the lists.
  void Beenden();
  const std::string& Ordner() const { return Programmordner; }

  // ---- profiles ----

  void ErzeugeStandardProfile();
  void ErzeugeStandardTuerprofile();
  // Zeroes invalid lines, rebuilds LeserTuerZuordnung, takes Geraetetyp from the device flags
  // and leaves exactly three door profiles.
  void PruefeZeitlinien();
  void KonvertiereAlteFlags();

  // ---- holiday table ----

  // Rebases Feiertagstabelle from Geraetedaten.Bezugsjahr to AktuellesJahr.
  void VerschiebeFeiertage();
  // Rebases Feiertagstabelle to 1998 and drops the special days (controller with old firmware).
  void FeiertageAuf1998();
  // Rebuilds SWUmschaltungen from the switch days of the table, one pair per calendar year
  // that has two. StdError "kein Speicher" when a pair cannot be had.
  void BaueUmschaltungen();
  // Converts the holiday table of an older document (`erzwingen` 1 also for "Version2").
  void KonvertiereFeiertage(std::uint8_t erzwingen);

  // ---- document and bookings files ----

  // Writes the bookings file and then the document to `pfad`, each through a temporary file,
  // and replaces both together, so a failure leaves the files there as they were. True, or
  // raises: IoError when the document cannot be created, StdError (or ListError) when writing
  // fails, which also clears DatenGespeichert. A bookings file that could not be read stays
  // as it is (see Buchungsdateistand): the document is saved, BuchungenGespeichert stays
  // false. A bookings file that changed since it was read or written is read again first,
  // and its bookings are saved followed by those fetched since (after a box naming it).
  // Saved under another name while the bookings file could not be read, the new bookings
  // file holds the list only, after a box that names the unread file, which stays as it is.
  bool Save(const std::string& pfad);
  // Reads the document `pfad` (either layout) and its bookings file into a fresh document
  // and takes it over only when all of it was read. Returns true (DokumentGeladen), or raises
  // IoError / StdError and leaves the open document exactly as it was.
  bool Load(const std::string& pfad);
  // Reads the bookings file once per document; reports problems in message boxes itself. Its
  // bookings go before those already in the list (fetched before the file could be read).
  void LoadBuchungen();
  // Rewrites the bookings file. An open failure is shown in a box; a write failure raises
  // StdError "Konnte Buchungen nicht schreiben.". The old file stays as it was on failure,
  // and so does a file that could not be read (after a box; BuchungenGespeichert stays false).
  // A file that changed since it was read or written is read again first, as by Save.
  void SaveBuchungen();

  // ---- sorting ----
  // The lists are reordered in place; the order stays and is the order they are saved in, so
  // a sort that moves an element marks its list unsaved (persons: the document, bookings: the
  // bookings file).

  // Key 0 name, 1 card, 2 date and time; richtung 0 ascending, 1 descending. Any other key or
  // direction leaves the list as it is.
  void SortiereBuchungen(int schluessel, int richtung);
  // Key 0 name, 1 card, 2 access profile; richtung as above.
  void SortierePersonen(int schluessel, int richtung);

  // ---- transfers: version, persons, profiles ----
  // Each opens the link, runs its telegrams and closes the link on every way out. A failed
  // transaction raises KommError (no answer: + port name or IP; 'NumNA' / 'unknownCommand':
  // + the operation's suffix). The progress window receives the phase text (Label2), the
  // item text (Label1) and the item bar's maximum and steps.

  // Asks for the firmware: FirmwareNummer (0 when the answer lacks "V.0"), AlteFirmware and
  // GemeldeterTyp (1 when the answer contains "VI20"). StdError "Unbrauchbare
  // Versionsantwort der Steuerung" when the text after "V.0" holds no number.
  void GetVersion();
  // Sends every person; sets the library's reply time-out to 2000 ms for the rest of the run.
  bool SendePersonen(plattform::ProgressWindow& status);
  // Replaces the person list with the controller's, only when every person arrived. StdError
  // when the announced count is not a number from 0 to 65535.
  bool HolePersonen(plattform::ProgressWindow& status);
  // Sends the flag word and door names, every access profile and the door profiles (two for a
  // "ZO 10"). The document is not changed but for AnzahlProfile and AnzahlTuerprofile.
  bool SendeProfile(plattform::ProgressWindow& status);
  // Fetches device data, access profiles (the defaults when the controller holds none) and
  // door profiles, validates them, leaves three door profiles and takes the device type from
  // the last version answer. The document changes only when all of it arrived. An empty
  // controller memory raises IoError and leaves the document as it was; an unusable count
  // StdError; any other failure inside KommError "Speicherzugriffsfehler in Funktion
  // 'Profile holen'.".
  bool HoleProfile(plattform::ProgressWindow& status);

  // ---- transfers: holidays, bookings, clock, test, erase, sequences ----

  // Sends the reference year, the holiday table in blocks of 64 entries and the summer/winter
  // switch pairs, which it first rebuilds from the table (BaueUmschaltungen). For old firmware
  // (AlteFirmware) the user is asked first; "No" sends nothing, "Yes" sends a copy rebased to
  // 1998 without the special days and no reference year; the document's table and reference
  // year stay as they are. Recounts AnzahlFeiertage.
  bool SendeFeiertage(plattform::ProgressWindow& status);
  // Fetches the table in blocks and the controller's reference year (1998 for old firmware)
  // and rebases it to AktuellesJahr. The document takes table, reference year and
  // AnzahlFeiertage only when all of it arrived; an empty controller memory or a reference
  // year before 1900 raise IoError and leave the document as it was.
  bool HoleFeiertage(plattform::ProgressWindow& status);
  // Reads the block answer in AntwortPuffer into `tabelle` from HolePosition on: the values
  // after the block index, each one only when a blank follows it. Returns 2 when the end
  // marker was stored (HolePosition stays on it), else 0. The table's last entry only ever
  // receives the marker.
  int LeseFeiertagsblock(::Feiertagstabelle& tabelle);
  // Sets the controller's clock to the PC's local time; a failure is shown in a box titled
  // "Fehler" and gives false.
  bool SetzeUhrzeit();
  // Asks for the version, then fetches the bookings and appends them to Buchungen (each one
  // acknowledged from firmware 300 on). Drives, shows and closes the progress window; a
  // failure is shown in a box titled "Fehler" and the bookings fetched so far stay.
  // BuchungenGespeichert is false from the start.
  void HoleBuchungen(plattform::ProgressWindow& status);
  // Asks for time, person and profile counts and version and shows them in one box; any
  // failure in a box titled "Fehler". "Simulation ok" while simulating.
  void Verbindungstest(plattform::ProgressWindow& status);
  // Erases the controller's card memory and waits up to ten passes for the answer, shown in
  // a box titled "Info". Reads with a reply time-out of 350 ms and puts the one in force
  // before back when it ends, also on a failure. KommError when the link cannot be opened or
  // the telegram cannot be sent.
  void LoescheFlash(plattform::ProgressWindow& status);
  // Persons, profiles, holidays, then the clock, the overall bar advancing by 25 before each;
  // the first failing step's exception ends the sequence. The clock reports its own failure:
  // the result is false then, so the caller shows no success box after it.
  bool SendeAlleDaten(plattform::ProgressWindow& status);
  // Persons, profiles, holidays, the overall bar stepping before each; a failure ends it.
  void HoleAlleDaten(plattform::ProgressWindow& status);

  // ---- fields ----

  char Version[24] = {};                           // the last 8 bytes of the document file last read, NUL-terminated
  std::int16_t HolePosition = 0;                   // write position while holiday blocks are fetched
  std::string SendeText;                           // text of the telegram being sent
  char AntwortPuffer[kAntwortPufferGroesse] = {};  // answer text of the last transaction
  std::unique_ptr<TSerialKomm> Komm;               // the link wrapper
  struct DateiSchliesser {
    void operator()(std::FILE* datei) const { std::fclose(datei); }
  };
  std::unique_ptr<std::FILE, DateiSchliesser> ProtokollDatei;  // the protocol log; null while off
  int KommErgebnis = 0;                                        // result 0..3 of the last transaction
  bool AlteFirmware = false;                                   // the version answer lacked "V.0"
  int FirmwareNummer = 0;
  int Adresse = 9;         // device address 0..15
  bool Protokoll = false;  // protocol log on
  int Geraetetyp = 0;      // 0 "ZO 10", 1 "RA 20"; equals bit 0x100 of the flags after a load or fetch
  int ComPort = 2;         // serial port number (1 = COM1)
  bool Kabel = true;       // through the programming cable
  int Page = 1;            // connection kind: 0 network, 1 serial
  std::string IP;          // controller's host name or IPv4 address
  int TCPPort = 10001;
  std::uint16_t LeserTuerZuordnung = 1;  // 0x01/0x02/0x04 reader 1, 0x10/0x20/0x40 reader 2 to door 1/2/3
  std::uint16_t AktuellesJahr = 0;
  int GemeldeterTyp = 0;  // 1 when the version answer contains "VI20"
  std::string NameSondertag1;
  std::string NameSondertag2;
  bool BuchungenGeladen = false;     // the bookings file of the current document has been read
  bool BuchungenGespeichert = true;  // the bookings list is saved
  bool DokumentGeladen = false;      // the last Load succeeded
  bool DatenGespeichert = false;     // the document is saved
  GERAETEDATEN Geraetedaten;
  Array<PROFIL*> Profile;
  Array<PERSON*> Personen;
  Array<books*> Buchungen;
  Array<FEIERTAG*> Feiertage;      // never filled
  Array<TUERPROFIL*> Tuerprofile;  // three, door 1 first
  Array<SWUMSCHALTUNG*> SWUmschaltungen;
  std::uint16_t AnzahlProfile = 0;      // as stored in the document
  std::uint16_t AnzahlPersonen = 0;     // as stored in the document
  std::uint16_t AnzahlTuerprofile = 0;  // as stored in the document
  std::uint16_t AnzahlFeiertage = 0;    // entries before the end marker, as counted by the holiday transfer
  ::Feiertagstabelle Feiertagstabelle = {};
  std::string Dateiname;          // path of the document file
  std::string BuchungsDateiname;  // path of the bookings file

 private:
  struct Ladung;
  // Writes the document's bytes into `datei` (StdError with the section's text when that fails).
  void SchreibeDokument(TSichereDatei& datei);
  // Writes the bookings into `datei`; false (after a box) when it could not be created.
  bool SchreibeBuchungen(TSichereDatei& datei);
  // Whether the bookings file `ziel` may be written now. The file the list stands for is
  // read again first when it could not be read, or when it is `ziel` and no longer the file
  // it was (a box says so then, unless it holds just the bookings it held); when it loads,
  // its bookings and those fetched since make the list. When it cannot be read, it is not
  // replaced: false for that file, after a box naming it; for another `ziel` true, after a
  // box saying that its bookings are not there.
  bool DarfBuchungsdateiSchreiben(const std::string& ziel);
  // The bookings `gelesen` from the file `pfad` (its identity `kennung`) followed by those of
  // the list that the file the list stood for did not hold, in their order; the list now
  // stands for `pfad` (StdError when there is no memory for that; everything then stays as
  // it was). A file that holds just the bookings the list stands for leaves the list as it
  // is, and false is returned; true when the list was made anew.
  bool NimmGeleseneBuchungen(Array<books*>& gelesen, const std::string& pfad, const Dateikennung& kennung);

  Buchungsdateistand Buchungsdatei;
  std::string Programmordner;
};

// The bookings file beside a document: an ending of a dot and three characters is replaced by
// ".bks", any other name gets ".bks" appended.
std::string BuchungsDateinameFuer(const std::string& dokument);
