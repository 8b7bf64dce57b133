#include "document/Steuerung.h"

#include <new>
#include <utility>
#include <vector>

#include "document/Dateioeffnung.h"
#include "document/IniDatei.h"
#include "document/ProgrammOrdner.h"
#include "link/Uebertragung.h"
#include "model/Fehler.h"
#include "model/FeiertagsRebase.h"
#include "model/ListenZugriff.h"
#include "model/Profile.h"
#include "model/Umschaltpaare.h"
#include "model/Vergleiche.h"
#include "platform/Plattform.h"
#include "text/Texte.h"

namespace {

constexpr int kReservewert = 200;
constexpr int kStandardAdresse = 9;
constexpr const char* kKonfiguration = "Wup.ini";

// The IP text as part of a file name: characters other than letters, digits, '.', '-', '_'
// and ':' become '_', so the name never leaves the folder.
std::string SichererName(const std::string& text) {
  std::string name = text;
  for (char& c : name) {
    const bool erlaubt = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                         c == '-' || c == '_' || c == ':';
    if (!erlaubt) c = '_';
  }
  return name;
}

void SchreibeProtokollZeile(std::FILE* datei, const char* anfang, const plattform::LocalTime& t) {
  std::fprintf(datei, "\n%s: %d.%d.%d %d:%d:%d \n- - - - \n", anfang, t.day, t.month, t.year, t.hour, t.minute,
               t.second);
}

}  // namespace

TSteuerung::TSteuerung(std::uint16_t aktuellesJahr) : TSteuerung(aktuellesJahr, ProgrammOrdner()) {}

TSteuerung::TSteuerung(std::uint16_t aktuellesJahr, std::string programmOrdner)
    : AktuellesJahr(aktuellesJahr), Programmordner(std::move(programmOrdner)) {
  if (Programmordner.empty() || Programmordner.back() != '/') Programmordner += '/';
  Komm = std::make_unique<TSerialKomm>(kReservewert, false);
  ComPort = 2;
  SetAdresse(kStandardAdresse);

  const TIniDatei ini(Programmordner + kKonfiguration);
  Page = ini.LeseZahl("Global", "Page", 1);
  IP = ini.LeseText("Network", "IP", "127.0.0.1");
  TCPPort = ini.LeseZahl("Network", "TCPPort", 10001);
  ComPort = ini.LeseZahl("Comm", "port", 2);
  SetAdresse(ini.LeseZahl("Comm", "Adress", kStandardAdresse));
  Kabel = ini.LeseBool("Comm", "Cable", true);
  // A log that cannot be opened does not keep the program from starting: it says so and runs
  // with the log off.
  try {
    SetProtokoll(ini.LeseBool("Global", "LOG", false) ? 1 : 0);
  } catch (const IoError& fehler) {
    plattform::Current().MessageBox(fehler.Meldung, Texte::AllgemeineTexte[Texte::allgemein::Fehler],
                                    plattform::MB_ERROR);
  }

  New();
  DatenGespeichert = false;
  BuchungenGespeichert = true;
}

TSteuerung::~TSteuerung() {
  Komm.reset();
  SWUmschaltungen.Clear();
  Tuerprofile.Clear();
  Feiertage.Clear();
  Buchungen.Clear();
  Personen.Clear();
  Profile.Clear();
}

void TSteuerung::New() {
  LeereFeiertagstabelle(Feiertagstabelle);
  AnzahlFeiertage = 1;
  Profile.Clear();
  Personen.Clear();
  Buchungen.Clear();
  Tuerprofile.Clear();
  Feiertage.Clear();
  SWUmschaltungen.Clear();
  ErzeugeStandardProfile();
  ErzeugeStandardTuerprofile();
  Dateiname = Programmordner + "temp";
  BuchungsDateiname = Dateiname + ".bks";
  Buchungsdatei = {};
  DokumentGeladen = false;
  BuchungenGeladen = false;
  Geraetedaten = GERAETEDATEN{};
  SchreibeText(Geraetedaten.NameTuer1, "T\xFCr 1");
  SchreibeText(Geraetedaten.NameTuer2, "T\xFCr 2");
  LeserTuerZuordnung = 1;
  Geraetedaten.Flags = GD_TUER1 | GD_TUER1_OHNE_LESER | GD_TUER2_OHNE_LESER;
  NameSondertag1 = "Sondertag1";
  NameSondertag2 = "Sondertag2";
  Geraetetyp = 0;
  Geraetedaten.Bezugsjahr = AktuellesJahr;
  AlteFirmware = false;

  // Created last, so that a failure leaves a complete new document, only without the file.
  std::unique_ptr<std::FILE, DateiSchliesser> leer(OeffneDatei(BuchungsDateiname, Oeffnung::Neu));
  if (!leer) throw IoError(Texte::DateiFehlerTexte[Texte::dateifehler::DateiOeffnen], BuchungsDateiname);
  // The empty list stands for this empty file.
  Buchungsdatei = {BuchungsDateiname, KennungVon(BuchungsDateiname), {}, std::string()};
}

void TSteuerung::ClearLists() {
  Profile.Clear();
  Personen.Clear();
  Buchungen.Clear();
  Feiertage.Clear();
  Tuerprofile.Clear();
  SWUmschaltungen.Clear();
}

void TSteuerung::SetFakeComm(bool on) { Komm->SetFake(on); }

bool TSteuerung::FakeComm() const { return Komm->IstFake(); }

void TSteuerung::SetLinkLog(bool on) { Komm->SetLogMode(on); }

void TSteuerung::SetProtokoll(int on) {
  if (Protokoll) {
    if (on != 0) return;
    if (ProtokollDatei) {
      SchreibeProtokollZeile(ProtokollDatei.get(), "Ende Protokoll", plattform::Current().Now());
      ProtokollDatei.reset();
    }
    Protokoll = false;
    SetLinkLog(false);
    return;
  }
  if (on == 0) return;
  const std::string verbindung = Page == 1 ? Anschlussname(ComPort) : SichererName(IP);
  const std::string pfad = Programmordner + "log_" + verbindung + ".log";
  ProtokollDatei.reset(OeffneDatei(pfad, Oeffnung::Protokoll));
  if (!ProtokollDatei) throw IoError(Texte::DateiFehlerTexte[Texte::dateifehler::ProtokolldateiOeffnen], "*.log");
  SchreibeProtokollZeile(ProtokollDatei.get(), "Beginn Protokoll", plattform::Current().Now());
  Protokoll = true;
  SetLinkLog(true);
}

void TSteuerung::SetAdresse(int a) { Adresse = (a >= 0 && a <= 15) ? a : kStandardAdresse; }

void TSteuerung::Beenden() {
  TIniDatei ini(Programmordner + kKonfiguration);
  ini.SchreibeZahl("Global", "Page", Page);
  ini.SchreibeText("Network", "IP", IP);
  ini.SchreibeZahl("Network", "TCPPort", TCPPort);
  ini.SchreibeBool("Global", "LOG", Protokoll);
  ini.SchreibeZahl("Comm", "port", ComPort);
  ini.SchreibeZahl("Comm", "Adress", Adresse);
  ini.SchreibeBool("Comm", "Cable", Kabel);
  ini.Speichern();  // a configuration that cannot be written is not reported
  if (Protokoll) SetProtokoll(0);
  ClearLists();
}

void TSteuerung::ErzeugeStandardProfile() { ::ErzeugeStandardProfile(Profile); }

void TSteuerung::ErzeugeStandardTuerprofile() { ::ErzeugeStandardTuerprofile(Tuerprofile); }

void TSteuerung::PruefeZeitlinien() {
  LeserTuerZuordnung = ::PruefeZeitlinien(Profile);
  Geraetetyp = (Geraetedaten.Flags & GD_TYP_RA20) != 0 ? 1 : 0;
  ErgaenzeTuerprofile(Tuerprofile);
}

void TSteuerung::KonvertiereAlteFlags() { ::KonvertiereAlteFlags(Profile); }

void TSteuerung::VerschiebeFeiertage() {
  ::VerschiebeFeiertage(Feiertagstabelle, Geraetedaten.Bezugsjahr, AktuellesJahr);
}

void TSteuerung::FeiertageAuf1998() { ::FeiertageAuf1998(Feiertagstabelle, Geraetedaten.Bezugsjahr); }

void TSteuerung::BaueUmschaltungen() {
  SWUmschaltungen.Clear();
  for (const SWUMSCHALTUNG& paar : Umschaltpaare(Feiertagstabelle, Geraetedaten.Bezugsjahr)) {
    std::unique_ptr<SWUMSCHALTUNG> neu = NeuerDatensatz<SWUMSCHALTUNG>();
    *neu = paar;
    HaengeAn(SWUmschaltungen, std::move(neu));
  }
}

void TSteuerung::KonvertiereFeiertage(std::uint8_t erzwingen) {
  ::KonvertiereFeiertage(Feiertagstabelle, std::string_view(Version) == Texte::TextVersion, erzwingen);
}

namespace {

// Sorts `liste` and tells whether an element moved. When the order before cannot be noted
// (no memory), a move is assumed.
template <typename T>
bool SortiereUndMelde(Array<T*>& liste, typename Array<T*>::Vergleich vergleich, int richtung) {
  std::vector<const T*> vorher;
  try {
    vorher.reserve(static_cast<std::size_t>(liste.Anzahl));
  } catch (const std::bad_alloc&) {
    liste.Sortiere(vergleich, richtung);
    return true;
  }
  for (const ArrayElement<T*>* e = liste.Kopf; e != nullptr; e = e->Next) vorher.push_back(e->Daten);
  liste.Sortiere(vergleich, richtung);
  std::size_t i = 0;
  for (const ArrayElement<T*>* e = liste.Kopf; e != nullptr; e = e->Next) {
    if (e->Daten != vorher[i++]) return true;
  }
  return false;
}

}  // namespace

void TSteuerung::SortiereBuchungen(int schluessel, int richtung) {
  static constexpr Array<books*>::Vergleich kSchluessel[] = {VergleicheBuchungName, VergleicheBuchungKarte,
                                                             VergleicheBuchungZeit};
  if (schluessel < 0 || schluessel > 2) return;
  if (SortiereUndMelde(Buchungen, kSchluessel[schluessel], richtung)) BuchungenGespeichert = false;
}

void TSteuerung::SortierePersonen(int schluessel, int richtung) {
  static constexpr Array<PERSON*>::Vergleich kSchluessel[] = {VergleichePersonName, VergleichePersonKarte,
                                                              VergleichePersonProfil};
  if (schluessel < 0 || schluessel > 2) return;
  if (SortiereUndMelde(Personen, kSchluessel[schluessel], richtung)) DatenGespeichert = false;
}
