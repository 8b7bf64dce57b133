// The controller's telegram codes. A request that fetches is named after what it asks for
// (...Holen); a record or a count travels under one code both ways: the program sends it
// under that code to store it, and the controller answers the fetch with it.
#pragma once

// Answer codes with a meaning of their own.
constexpr int kAntwortAck = 3;
constexpr int kAntwortNak = 36;
constexpr int kAntwortNumNa = 39;
constexpr int kAntwortUnbekannt = 255;

namespace befehl {

constexpr int VersionAbfrage = 75;
constexpr int Version = 77;

constexpr int PersonenanzahlHolen = 46;
constexpr int Personenanzahl = 48;
constexpr int PersonHolen = 51;
constexpr int Person = 53;
// The person count with the text "-1": erase the card memory.
constexpr int KartenspeicherLoeschen = Personenanzahl;

constexpr int GeraetedatenHolen = 24;
constexpr int Geraetedaten = 27;
constexpr int ProfilanzahlHolen = 54;
constexpr int Profilanzahl = 57;
constexpr int ProfilHolen = 58;
constexpr int Profil = 60;
constexpr int TuerprofilanzahlHolen = 66;
constexpr int Tuerprofilanzahl = 68;
constexpr int TuerprofilHolen = 71;
constexpr int Tuerprofil = 72;

constexpr int BlockanzahlHolen = 17;
constexpr int Blockanzahl = 18;
constexpr int BlockHolen = 20;
constexpr int Block = 23;
constexpr int BezugsjahrHolen = 96;
constexpr int Bezugsjahr = 95;
constexpr int UmschaltlisteAnfang = 90;
constexpr int Umschaltpaar = 92;

constexpr int ZeitHolen = 63;
constexpr int Zeit = 65;

constexpr int BuchungsanzahlHolen = 10;
constexpr int Buchungsanzahl = 12;
constexpr int BuchungHolen = 5;
constexpr int Buchung = 15;
// Acknowledges one booking (firmware 300 and later); the controller does not answer it.
constexpr int Quittung = 3;
constexpr int Buchungsende = 6;

}  // namespace befehl
