// The document file and the bookings file.
//
// Document, current layout: the holiday table (4096 entries), the profile count and the
// profiles (160 bytes), the person count and the persons (64 bytes), the door-profile count
// and the door profiles (64 bytes), the device data (40 bytes), the two special-day names
// (25 bytes each), the reader-to-door word and the tag "Version2" as its last 8 bytes.
// The older layout has no tag: 64-byte profiles (six lines, a 12-byte name), then the persons,
// exactly two door profiles without a count and 36 bytes of device data.
// Bookings file: 62-byte bookings one after the other, without header or count.
// All numbers are little-endian.

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "document/Dateioeffnung.h"
#include "document/SichereDatei.h"
#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/FeiertagsRebase.h"
#include "model/ListenZugriff.h"
#include "model/Profile.h"
#include "platform/Plattform.h"
#include "text/Texte.h"

namespace {

namespace dateifehler = Texte::dateifehler;

const char* DateiText(std::size_t eintrag) { return Texte::DateiFehlerTexte[eintrag]; }

constexpr std::size_t kTagLaenge = 8;
constexpr std::size_t kSondertagLaenge = 25;
constexpr std::size_t kAlterProfilLaenge = 64;
constexpr std::size_t kAlteGeraetedatenLaenge = 36;
constexpr int kAlteTuerprofile = 2;
constexpr std::uint16_t kAltesBezugsjahr = 1998;
// A save into a folder that may not be written; the folder follows.
constexpr const char* kOrdnerSchreibgeschuetzt = "Speichern nicht möglich, der Ordner ist schreibgeschützt:\n";
// A bookings file that could not be read is kept as it is; its path stands between the two.
constexpr const char* kBuchungsdateiUngelesen = "Die Buchungsdatei\n";
constexpr const char* kBuchungenNichtGespeichert =
    "\nkonnte nicht gelesen werden und bleibt unverändert.\nDie Buchungen wurden nicht gespeichert.";
// A document saved under another name while its bookings file could not be read.
constexpr const char* kBuchungenNichtImNeuenDokument =
    "\nkonnte nicht gelesen werden und bleibt unverändert.\nDie Buchungen dieser Datei sind nicht im neuen Dokument.";
// A bookings file that another instance or another program changed since it was read or written.
constexpr const char* kBuchungsdateiGeaendert =
    "\nwurde inzwischen geändert.\nDie Buchungen dieser Datei werden zusammen mit den neu abgerufenen gespeichert.";

constexpr std::size_t kMaxAnzahl = std::numeric_limits<std::uint16_t>::max();

using Datei = std::unique_ptr<std::FILE, TSteuerung::DateiSchliesser>;

// The largest document the file can hold: the holiday table, 65535 profiles, persons and door
// profiles with their counts, the device data, the special-day names, the reader word and the
// tag. An older-layout document is smaller still.
constexpr std::size_t kMaxDokumentGroesse = FEIERTAGSTABELLE_GROESSE + 3 * 2 +
                                            kMaxAnzahl * (PROFIL::Groesse + PERSON::Groesse + TUERPROFIL::Groesse) +
                                            GERAETEDATEN::Groesse + 2 * kSondertagLaenge + 2 + kTagLaenge;

// Far above any real bookings file (a million bookings take 62 MB): a larger one is refused
// before it is read, like one that does not fit in memory.
constexpr std::size_t kMaxBuchungsdateiGroesse = std::size_t{1} << 30;

// A document file's content, read in one go.
struct Dateiinhalt {
  std::vector<std::uint8_t> Bytes;
  bool Lesefehler = false;  // the file could not be read to its end
};

std::string ZuGross(std::size_t groesse) {
  return "Die Datei ist zu groß für ein Dokument (" + std::to_string(groesse) + " Bytes, höchstens " +
         std::to_string(kMaxDokumentGroesse) + ").";
}

// False when the file cannot be opened or is no regular file. A file larger than any document
// is refused before it is read (StdError). A read that fails part-way leaves the bytes read so
// far and sets Lesefehler, as does a folder. StdError "kein Speicher" when the content does not
// fit in memory.
bool LiesDokumentdatei(const std::string& pfad, Dateiinhalt& inhalt) {
  const Datei datei(OeffneDatei(pfad, Oeffnung::Lesen));
  if (!datei) {
    // A folder in its place reads as a file that cannot be read, as it always did.
    inhalt.Lesefehler = errno == EISDIR;
    return inhalt.Lesefehler;
  }
  try {
    struct stat info {};
    if (fstat(fileno(datei.get()), &info) == 0 && info.st_size > 0) {
      const auto groesse = static_cast<std::size_t>(info.st_size);
      if (groesse > kMaxDokumentGroesse) throw StdError(ZuGross(groesse));
      inhalt.Bytes.reserve(groesse);
    }
    std::uint8_t puffer[64 * 1024];
    std::size_t n = 0;
    while ((n = std::fread(puffer, 1, sizeof puffer, datei.get())) > 0) {
      // A file that grows while it is read, or one whose size the file system does not tell.
      if (inhalt.Bytes.size() + n > kMaxDokumentGroesse) throw StdError(ZuGross(inhalt.Bytes.size() + n));
      inhalt.Bytes.insert(inhalt.Bytes.end(), puffer, puffer + n);
    }
    inhalt.Lesefehler = std::ferror(datei.get()) != 0;
  } catch (const std::bad_alloc&) {
    throw StdError(Texte::AllgemeineTexte[Texte::allgemein::KeinSpeicher]);
  }
  return true;
}

// Reads fields one after the other from a file's bytes; a field that runs past the end raises
// StdError with the section's text.
class Leser {
 public:
  explicit Leser(std::span<const std::uint8_t> daten) : daten_(daten) {}

  template <std::size_t N>
  std::span<const std::uint8_t, N> Bytes(const char* text) {
    if (daten_.size() - pos_ < N) throw StdError(text);
    const auto teil = daten_.subspan(pos_).template first<N>();
    pos_ += N;
    return teil;
  }
  std::uint16_t U16(const char* text) {
    const auto b = Bytes<2>(text);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
  }
  template <typename T>
  std::unique_ptr<T> Datensatz(const char* text) {
    auto r = NeuerDatensatz<T>();
    LiesBytes(Bytes<T::Groesse>(text), *r);
    return r;
  }

 private:
  std::span<const std::uint8_t> daten_;
  std::size_t pos_ = 0;
};

// Text of a special-day name: up to its NUL, never past its 25 bytes.
std::string SondertagName(std::span<const std::uint8_t, kSondertagLaenge> feld) {
  std::size_t laenge = 0;
  while (laenge < feld.size() && feld[laenge] != 0) ++laenge;
  return std::string(reinterpret_cast<const char*>(feld.data()), laenge);
}

// Writes the file section by section; a section that is not written whole raises StdError
// with its text. Each section is flushed at its end, so a failure is reported with the text
// of the section it happened in.
class Schreiber {
 public:
  explicit Schreiber(TSichereDatei& datei) : datei_(datei) {}
  void Abschnitt(std::span<const std::uint8_t> bytes, const char* text) {
    Puffere(bytes, text);
    Ende(text);
  }
  void U16(std::uint16_t wert, const char* text) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(wert), static_cast<std::uint8_t>(wert >> 8)};
    Abschnitt(b, text);
  }
  // The records of a list, preceded by their count when `anzahlText` is given.
  template <typename T>
  void Liste(Array<T*>& liste, const char* anzahlText, const char* text) {
    if (anzahlText != nullptr) U16(static_cast<std::uint16_t>(liste.Anzahl), anzahlText);
    std::uint8_t b[T::Groesse];
    for (int i = 0; i < liste.Anzahl; ++i) {
      SchreibeBytes(Element(liste, i), std::span<std::uint8_t, T::Groesse>(b));
      Puffere(b, text);
    }
    Ende(text);
  }
  template <typename T>
  void Datensatz(const T& r, const char* text) {
    std::uint8_t b[T::Groesse];
    SchreibeBytes(r, std::span<std::uint8_t, T::Groesse>(b));
    Abschnitt(b, text);
  }

 private:
  void Puffere(std::span<const std::uint8_t> bytes, const char* text) {
    if (!datei_.Schreibe(bytes.data(), bytes.size())) throw StdError(text);
  }
  void Ende(const char* text) {
    if (!datei_.Leeren()) throw StdError(text);
  }
  TSichereDatei& datei_;
};

// How reading a bookings file ended.
enum class Buchungslesung {
  Gelesen,   // every whole record was read
  Fehlt,     // there is no such file
  Unlesbar,  // the file is there but could not be opened or read (permission, no regular file, I/O, memory)
};

// Reads the bookings of the file at `pfad` into `buchungen`: as many whole 62-byte records as
// the file's length holds, and its identity into `kennung`. Nothing is kept of a read that
// failed part-way. Shows nothing; `meldung` receives the text of a read failure ("Fehler beim
// Lesen der Buchungen", "kein Speicher") and stays empty when the file could not be opened or
// is no regular file (a named pipe, a device).
Buchungslesung LiesBuchungsdatei(const std::string& pfad, Array<books*>& buchungen, std::string& meldung,
                                 Dateikennung& kennung) {
  const Datei datei(OeffneDatei(pfad, Oeffnung::Lesen));
  if (!datei) {
    // A folder in its place reads as a file that cannot be read, as it always did.
    if (errno == EISDIR) {
      meldung = DateiText(dateifehler::BuchungenLesen);
      return Buchungslesung::Unlesbar;
    }
    struct stat info {};
    const bool fehlt = stat(pfad.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
    return fehlt ? Buchungslesung::Fehlt : Buchungslesung::Unlesbar;
  }
  Array<books*> gelesen;
  Dateikennung gelesenVon;
  const std::optional<std::string> fehler = Fehlermeldung([&] {
    try {
      struct stat info {};
      const bool bekannt = fstat(fileno(datei.get()), &info) == 0;
      if (bekannt) gelesenVon = KennungAus(info);
      const std::size_t laenge = bekannt && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
      if (laenge > kMaxBuchungsdateiGroesse) {
        throw StdError("Die Buchungsdatei ist zu groß (" + std::to_string(laenge) + " Bytes, höchstens " +
                       std::to_string(kMaxBuchungsdateiGroesse) + ").");
      }
      // Read in pieces of whole records, so loading needs little more than the records.
      std::size_t offen = laenge / books::Groesse;
      std::uint8_t stueck[books::Groesse * 1024];
      while (offen > 0) {
        const std::size_t anzahl = std::min(offen, sizeof stueck / books::Groesse);
        if (std::fread(stueck, books::Groesse, anzahl, datei.get()) != anzahl) {
          throw StdError(DateiText(dateifehler::BuchungenLesen));
        }
        Leser leser(std::span<const std::uint8_t>(stueck, anzahl * books::Groesse));
        for (std::size_t i = 0; i < anzahl; ++i) {
          HaengeAn(gelesen, leser.Datensatz<books>(DateiText(dateifehler::BuchungenLesen)));
        }
        offen -= anzahl;
      }
      // A file that cannot be read at all (its size unknown, a folder) fails here.
      if (std::fgetc(datei.get()) == EOF && std::ferror(datei.get()) != 0) {
        throw StdError(DateiText(dateifehler::BuchungenLesen));
      }
    } catch (const std::bad_alloc&) {
      throw StdError(Texte::AllgemeineTexte[Texte::allgemein::KeinSpeicher]);
    }
  });
  if (fehler) {
    meldung = *fehler;
    return Buchungslesung::Unlesbar;
  }
  buchungen = std::move(gelesen);
  kennung = gelesenVon;
  return Buchungslesung::Gelesen;
}

// Reads the bookings file at `pfad` into `buchungen` and shows what went wrong: a file that
// cannot be opened as "Keine Buchungen vorhanden.", a failed read with its text in a box
// "Fehler". Nothing is kept of a failed read, so a retry never duplicates bookings.
Buchungslesung LadeBuchungsdatei(const std::string& pfad, Array<books*>& buchungen, Dateikennung& kennung) {
  std::string meldung;
  const Buchungslesung ergebnis = LiesBuchungsdatei(pfad, buchungen, meldung, kennung);
  if (ergebnis == Buchungslesung::Gelesen) return ergebnis;
  if (meldung.empty()) {
    plattform::Current().MessageBox(Texte::AllgemeineTexte[Texte::allgemein::KeineBuchungen],
                                    Texte::AllgemeineTexte[Texte::allgemein::Hinweis], plattform::MB_INFO);
  } else {
    plattform::Current().MessageBox(meldung, Texte::AllgemeineTexte[Texte::allgemein::Fehler], plattform::MB_ERROR);
  }
  return ergebnis;
}

// True when the two paths name one file (or, where either is not there, are the same text).
bool GleicheDatei(const std::string& a, const std::string& b) {
  struct stat ia {};
  struct stat ib {};
  if (stat(a.c_str(), &ia) != 0 || stat(b.c_str(), &ib) != 0) return a == b;
  return ia.st_dev == ib.st_dev && ia.st_ino == ib.st_ino;
}

Buchungsbytes BytesVon(const books& buchung) {
  Buchungsbytes bytes;
  SchreibeBytes(buchung, std::span<std::uint8_t, books::Groesse>(bytes));
  return bytes;
}

// The bookings of a list as bytes, in list order.
std::vector<Buchungsbytes> BytesDerListe(const Array<books*>& buchungen) {
  std::vector<Buchungsbytes> bytes;
  bytes.reserve(static_cast<std::size_t>(buchungen.Anzahl));
  for (const ArrayElement<books*>* k = buchungen.Kopf; k != nullptr; k = k->Next) bytes.push_back(BytesVon(*k->Daten));
  return bytes;
}

// Whether the two hold the same bookings, each as often, in whatever order. Sorts both by
// their bytes.
bool GleicheBuchungen(std::vector<Buchungsbytes>& a, std::vector<Buchungsbytes>& b) {
  if (a.size() != b.size()) return false;
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

// The bookings of `liste` that `stand` holds, each booking of `stand` taken by one of them at
// most; in the order of their addresses. Sorts `stand` by its bytes.
std::vector<const books*> Enthaltene(const Array<books*>& liste, std::vector<Buchungsbytes>& stand) {
  std::sort(stand.begin(), stand.end());
  // For each run of equal bookings in `stand`, at its first place: how many of it are taken.
  std::vector<std::size_t> vergeben(stand.size());
  std::vector<const books*> treffer;
  for (const ArrayElement<books*>* k = liste.Kopf; k != nullptr && treffer.size() < stand.size(); k = k->Next) {
    const auto [von, bis] = std::equal_range(stand.begin(), stand.end(), BytesVon(*k->Daten));
    if (von == bis) continue;
    std::size_t& genommen = vergeben[static_cast<std::size_t>(von - stand.begin())];
    if (genommen == static_cast<std::size_t>(bis - von)) continue;
    ++genommen;
    treffer.push_back(k->Daten);
  }
  std::sort(treffer.begin(), treffer.end(), std::less<>());
  return treffer;
}

// The counts in the file are 16 bits wide: a longer list is refused, never written wrapped.
void PruefeAnzahl(int anzahl, const char* was) {
  if (static_cast<std::size_t>(anzahl) > kMaxAnzahl) {
    throw StdError(std::string("Das Dokument kann höchstens 65535 ") + was + " speichern (" + std::to_string(anzahl) +
                   " vorhanden).");
  }
}

// A special-day name in its 25 bytes: at most 24 characters, a NUL, zeros.
std::array<std::uint8_t, kSondertagLaenge> SondertagFeld(const std::string& name) {
  std::array<std::uint8_t, kSondertagLaenge> feld{};
  std::memcpy(feld.data(), name.data(), std::min(name.size(), kSondertagLaenge - 1));
  return feld;
}

}  // namespace

std::string BuchungsDateinameFuer(const std::string& dokument) {
  const std::size_t n = dokument.size();
  const bool endung = n >= 4 && dokument[n - 4] == '.' && dokument.find('/', n - 4) == std::string::npos;
  return (endung ? dokument.substr(0, n - 4) : dokument) + ".bks";
}

// What a load reads, apart from the open document until all of it was read.
struct TSteuerung::Ladung {
  char Version[24] = {};
  ::Feiertagstabelle Feiertagstabelle = {};
  Array<PROFIL*> Profile;
  Array<PERSON*> Personen;
  Array<TUERPROFIL*> Tuerprofile;
  Array<books*> Buchungen;
  bool BuchungenGeladen = false;
  Buchungsdateistand Buchungsdatei;
  GERAETEDATEN Geraetedaten;
  std::string NameSondertag1;
  std::string NameSondertag2;
  std::uint16_t LeserTuerZuordnung = 0;
  int Geraetetyp = 0;
  std::uint16_t AnzahlProfile = 0;
  std::uint16_t AnzahlPersonen = 0;
  std::uint16_t AnzahlTuerprofile = 0;

  void LiesDokument(std::span<const std::uint8_t> inhalt, std::uint16_t aktuellesJahr);
};

void TSteuerung::Ladung::LiesDokument(std::span<const std::uint8_t> inhalt, std::uint16_t aktuellesJahr) {
  if (inhalt.size() < kTagLaenge) throw StdError(DateiText(dateifehler::VersionLesen));
  std::memcpy(Version, inhalt.data() + inhalt.size() - kTagLaenge, kTagLaenge);
  const bool version2 = std::string_view(Version) == Texte::TextVersion;
  // The tag is the file's end: no section of a current document reaches into it.
  Leser leser(version2 ? inhalt.first(inhalt.size() - kTagLaenge) : inhalt);

  LiesBytes(leser.Bytes<FEIERTAGSTABELLE_GROESSE>(DateiText(dateifehler::FeiertageLesen)), Feiertagstabelle);
  AnzahlProfile = leser.U16(DateiText(dateifehler::ProfilanzahlLesen));
  if (version2) {
    for (int i = 0; i < AnzahlProfile; ++i) {
      HaengeAn(Profile, leser.Datensatz<PROFIL>(DateiText(dateifehler::ZutrittsprofileLesen)));
    }
  } else {
    for (int i = 0; i < AnzahlProfile; ++i) {
      const auto alt = leser.Bytes<kAlterProfilLaenge>(DateiText(dateifehler::ZutrittsprofileLesen));
      auto profil = NeuerDatensatz<PROFIL>();
      for (std::size_t z = 0; z < 6; ++z) {
        LiesBytes(alt.subspan(z * Zeitlinie::Groesse).first<Zeitlinie::Groesse>(), profil->Zeitlinien[z]);
      }
      std::memcpy(profil->Name, alt.data() + 48, 12);
      HaengeAn(Profile, std::move(profil));
    }
    ::KonvertiereAlteFlags(Profile);
  }

  AnzahlPersonen = leser.U16(DateiText(dateifehler::PersonenanzahlLesen));
  for (int i = 0; i < AnzahlPersonen; ++i) {
    HaengeAn(Personen, leser.Datensatz<PERSON>(DateiText(dateifehler::PersonenLesen)));
  }

  AnzahlTuerprofile = version2 ? leser.U16(DateiText(dateifehler::TuerprofilanzahlLesen)) : kAlteTuerprofile;
  for (int i = 0; i < AnzahlTuerprofile; ++i) {
    HaengeAn(Tuerprofile, leser.Datensatz<TUERPROFIL>(DateiText(dateifehler::TuerprofileLesen)));
  }

  if (version2) {
    LiesBytes(leser.Bytes<GERAETEDATEN::Groesse>(DateiText(dateifehler::GeraetedatenLesen)), Geraetedaten);
    NameSondertag1 = SondertagName(leser.Bytes<kSondertagLaenge>(DateiText(dateifehler::Sondertag1Lesen)));
    NameSondertag2 = SondertagName(leser.Bytes<kSondertagLaenge>(DateiText(dateifehler::Sondertag2Lesen)));
    LeserTuerZuordnung = leser.U16(Texte::AllgemeineTexte[Texte::allgemein::FehlerBeimLesenAusDatei]);
    Geraetetyp = (Geraetedaten.Flags & GD_TYP_RA20) != 0 ? 1 : 0;
  } else {
    NameSondertag1 = "Sondertag1";
    NameSondertag2 = "Sondertag2";
    const auto alt = leser.Bytes<kAlteGeraetedatenLaenge>(DateiText(dateifehler::GeraetedatenLesen));
    Geraetedaten.Flags = static_cast<std::uint32_t>(alt[0] | (alt[1] << 8) | (alt[2] << 16)) |
                         (static_cast<std::uint32_t>(alt[3]) << 24);
    std::memcpy(Geraetedaten.NameTuer1, alt.data() + 4, sizeof Geraetedaten.NameTuer1);
    std::memcpy(Geraetedaten.NameTuer2, alt.data() + 20, sizeof Geraetedaten.NameTuer2);
    Geraetedaten.Bezugsjahr = kAltesBezugsjahr;
    Geraetedaten.Reserve = 0;
    Geraetedaten.Flags |= GD_TYP_RA20 | GD_TUER1_OHNE_LESER | GD_TUER2_OHNE_LESER;
    ::KonvertiereFeiertage(Feiertagstabelle, false, 0);
    LeserTuerZuordnung = ::PruefeZeitlinien(Profile);
    Geraetetyp = 1;
  }
  ErgaenzeTuerprofile(Tuerprofile);
  ::VerschiebeFeiertage(Feiertagstabelle, Geraetedaten.Bezugsjahr, aktuellesJahr);
}

bool TSteuerung::Load(const std::string& pfad) {
  std::unique_ptr<Ladung> ladung;
  std::string dateiname;
  std::string buchungsDateiname;
  try {
    ladung = std::make_unique<Ladung>();
    dateiname = pfad;
    buchungsDateiname = BuchungsDateinameFuer(pfad);
    Dateikennung kennung;
    const Buchungslesung lesung = LadeBuchungsdatei(buchungsDateiname, ladung->Buchungen, kennung);
    ladung->BuchungenGeladen = lesung == Buchungslesung::Gelesen;
    ladung->Buchungsdatei = {buchungsDateiname, kennung, BytesDerListe(ladung->Buchungen),
                             lesung == Buchungslesung::Unlesbar ? buchungsDateiname : std::string()};

    Dateiinhalt inhalt;
    if (!LiesDokumentdatei(pfad, inhalt)) throw IoError(DateiText(dateifehler::DateiOeffnen), pfad);
    // What was read before a read failure lacks the file's end, where the tag is.
    if (inhalt.Lesefehler) throw StdError(DateiText(dateifehler::VersionLesen));
    ladung->LiesDokument(inhalt.Bytes, AktuellesJahr);
  } catch (const std::bad_alloc&) {
    throw StdError(Texte::AllgemeineTexte[Texte::allgemein::KeinSpeicher]);
  }

  // All was read: the new document replaces the open one (nothing below allocates).
  std::memcpy(Version, ladung->Version, sizeof Version);
  Feiertagstabelle = ladung->Feiertagstabelle;
  Profile = std::move(ladung->Profile);
  Personen = std::move(ladung->Personen);
  Tuerprofile = std::move(ladung->Tuerprofile);
  Buchungen = std::move(ladung->Buchungen);
  BuchungenGeladen = ladung->BuchungenGeladen;
  Buchungsdatei = std::move(ladung->Buchungsdatei);
  Feiertage.Clear();
  // The summer/winter pairs belong to the previous document; the holiday calendar rebuilds
  // them from the table.
  SWUmschaltungen.Clear();
  Geraetedaten = ladung->Geraetedaten;
  NameSondertag1 = std::move(ladung->NameSondertag1);
  NameSondertag2 = std::move(ladung->NameSondertag2);
  LeserTuerZuordnung = ladung->LeserTuerZuordnung;
  Geraetetyp = ladung->Geraetetyp;
  AnzahlProfile = ladung->AnzahlProfile;
  AnzahlPersonen = ladung->AnzahlPersonen;
  AnzahlTuerprofile = ladung->AnzahlTuerprofile;
  Dateiname = std::move(dateiname);
  BuchungsDateiname = std::move(buchungsDateiname);
  DokumentGeladen = true;
  return DokumentGeladen;
}

void TSteuerung::LoadBuchungen() {
  if (BuchungenGeladen) return;
  Array<books*> gelesen;
  Dateikennung kennung;
  const Buchungslesung lesung = LadeBuchungsdatei(BuchungsDateiname, gelesen, kennung);
  if (lesung == Buchungslesung::Unlesbar) Buchungsdatei.Ungelesen = BuchungsDateiname;
  if (lesung != Buchungslesung::Gelesen) return;
  if (const std::optional<std::string> fehler =
          Fehlermeldung([&] { NimmGeleseneBuchungen(gelesen, BuchungsDateiname, kennung); })) {
    plattform::Current().MessageBox(*fehler, Texte::AllgemeineTexte[Texte::allgemein::Fehler], plattform::MB_ERROR);
  }
}

bool TSteuerung::NimmGeleseneBuchungen(Array<books*>& gelesen, const std::string& pfad, const Dateikennung& kennung) {
  Buchungsdateistand stand{pfad, kennung, BytesDerListe(gelesen),
                           Buchungsdatei.Ungelesen == pfad ? std::string() : Buchungsdatei.Ungelesen};
  if (pfad == Buchungsdatei.Pfad && GleicheBuchungen(stand.Buchungen, Buchungsdatei.Buchungen)) {
    // Written again with the same bookings (another instance saved the document): the list
    // stays as it is, in its order.
    Buchungsdatei = std::move(stand);
    BuchungenGeladen = true;
    return false;
  }
  // What the list holds of the file it stood for is in `gelesen` now, as that file is today.
  const std::vector<const books*> alte =
      pfad == Buchungsdatei.Pfad ? Enthaltene(Buchungen, Buchungsdatei.Buchungen) : std::vector<const books*>();
  gelesen.AppendAll(Buchungen);
  gelesen.RemoveIf([&](const books& b) { return std::binary_search(alte.begin(), alte.end(), &b, std::less<>()); });
  Buchungen = std::move(gelesen);
  Buchungsdatei = std::move(stand);
  BuchungenGeladen = true;
  return true;
}

bool TSteuerung::DarfBuchungsdateiSchreiben(const std::string& ziel) {
  Buchungsdateistand& stand = Buchungsdatei;
  const bool ungelesen =
      !stand.Ungelesen.empty() && (stand.Ungelesen == stand.Pfad || GleicheDatei(stand.Ungelesen, ziel));
  const bool geaendert =
      !ungelesen && !stand.Pfad.empty() && GleicheDatei(stand.Pfad, ziel) && !(KennungVon(stand.Pfad) == stand.Kennung);
  if (!ungelesen && !geaendert) return true;
  // Read again: it could not be read, or it is no longer the file the list was read from or
  // written to.
  const std::string pfad = ungelesen ? stand.Ungelesen : stand.Pfad;
  Array<books*> gelesen;
  std::string meldung;
  Dateikennung kennung;
  switch (LiesBuchungsdatei(pfad, gelesen, meldung, kennung)) {
    case Buchungslesung::Gelesen:
      if (NimmGeleseneBuchungen(gelesen, pfad, kennung) && geaendert) {
        plattform::Current().MessageBox(kBuchungsdateiUngelesen + pfad + kBuchungsdateiGeaendert,
                                        Texte::AllgemeineTexte[Texte::allgemein::Hinweis], plattform::MB_INFO);
      }
      return true;
    case Buchungslesung::Fehlt:
      // Gone: there is nothing of it to keep, and no booking of the list is in it.
      if (stand.Pfad == pfad) stand = {pfad, Dateikennung{}, {}, std::string()};
      if (stand.Ungelesen == pfad) stand.Ungelesen.clear();
      return true;
    case Buchungslesung::Unlesbar: break;
  }
  // What it holds now is unknown; the bookings it held when it was read stay in the list.
  stand.Ungelesen = pfad;
  if (!GleicheDatei(pfad, ziel)) {
    plattform::Current().MessageBox(kBuchungsdateiUngelesen + pfad + kBuchungenNichtImNeuenDokument,
                                    Texte::AllgemeineTexte[Texte::allgemein::Hinweis], plattform::MB_WARN);
    return true;
  }
  plattform::Current().MessageBox(kBuchungsdateiUngelesen + pfad + kBuchungenNichtGespeichert,
                                  Texte::AllgemeineTexte[Texte::allgemein::Fehler], plattform::MB_ERROR);
  return false;
}

void TSteuerung::SaveBuchungen() {
  if (!DarfBuchungsdateiSchreiben(BuchungsDateiname)) return;
  TSichereDatei datei(BuchungsDateiname);
  if (!SchreibeBuchungen(datei)) return;
  Buchungsdateistand stand{BuchungsDateiname, Dateikennung{}, BytesDerListe(Buchungen), Buchungsdatei.Ungelesen};
  if (!datei.Abschliessen()) throw StdError(DateiText(dateifehler::BuchungenSchreiben));
  stand.Kennung = datei.Kennung();
  Buchungsdatei = std::move(stand);
  BuchungenGespeichert = true;
  // The file now holds exactly the list: reading it again would only duplicate it.
  BuchungenGeladen = true;
}

bool TSteuerung::SchreibeBuchungen(TSichereDatei& datei) {
  if (!datei.Offen()) {
    plattform::Current().MessageBox(DateiText(dateifehler::BuchungenSchreiben),
                                    Texte::AllgemeineTexte[Texte::allgemein::Hinweis], plattform::MB_INFO);
    return false;
  }
  Schreiber(datei).Liste(Buchungen, nullptr, DateiText(dateifehler::BuchungenSchreiben));
  return true;
}

bool TSteuerung::Save(const std::string& pfad) {
  Dateiname = pfad;
  BuchungsDateiname = BuchungsDateinameFuer(pfad);
  try {
    // A document named like a bookings file would be written over its own bookings.
    if (BuchungsDateiname == Dateiname) {
      throw StdError("Ein Dokument mit der Endung \".bks\" würde seine eigenen Buchungen überschreiben.");
    }
    PruefeAnzahl(Profile.Anzahl, "Zutrittsprofile");
    PruefeAnzahl(Personen.Anzahl, "Personen");
    PruefeAnzahl(Tuerprofile.Anzahl, "Türprofile");
    TSichereDatei dokument(Dateiname);
    if (!dokument.Offen()) {
      if (dokument.OrdnerSchreibgeschuetzt()) throw IoError(kOrdnerSchreibgeschuetzt, dokument.Ordner());
      throw IoError(DateiText(dateifehler::DateiOeffnen), pfad);
    }
    // Both files are written whole before either replaces the old one, and replaced together,
    // so a failure leaves the old document and the old bookings file as they were.
    std::optional<TSichereDatei> buchungen;
    Buchungsdateistand stand;
    if (DarfBuchungsdateiSchreiben(BuchungsDateiname)) {
      buchungen.emplace(BuchungsDateiname);
      if (SchreibeBuchungen(*buchungen)) {
        stand = {BuchungsDateiname, Dateikennung{}, BytesDerListe(Buchungen), Buchungsdatei.Ungelesen};
      } else {
        buchungen.reset();
      }
    }
    SchreibeDokument(dokument);
    if (buchungen && !buchungen->Bereitstellen()) throw StdError(DateiText(dateifehler::BuchungenSchreiben));
    if (!dokument.Bereitstellen()) throw StdError(DateiText(dateifehler::VersionSchreiben));
    if (!buchungen) {
      if (!dokument.Ersetzen()) throw StdError(DateiText(dateifehler::VersionSchreiben));
    } else {
      const int gescheitert = ErsetzeBeide(*buchungen, dokument);
      stand.Kennung = buchungen->Kennung();
      // Where the document could not be renamed and the old bookings file could not be put
      // back, the new bookings file stays: it holds the list all the same.
      if (gescheitert == 0 || (gescheitert == 2 && KennungVon(BuchungsDateiname) == stand.Kennung)) {
        Buchungsdatei = std::move(stand);
        BuchungenGespeichert = true;
        BuchungenGeladen = true;
      }
      if (gescheitert == 1) throw StdError(DateiText(dateifehler::BuchungenSchreiben));
      if (gescheitert == 2) throw StdError(DateiText(dateifehler::VersionSchreiben));
    }
    AnzahlProfile = static_cast<std::uint16_t>(Profile.Anzahl);
    AnzahlPersonen = static_cast<std::uint16_t>(Personen.Anzahl);
    AnzahlTuerprofile = static_cast<std::uint16_t>(Tuerprofile.Anzahl);
  } catch (const IoError&) {
    throw;  // the document could not be created: nothing was written, the flag stays
  } catch (const std::bad_alloc&) {
    DatenGespeichert = false;
    throw StdError(Texte::AllgemeineTexte[Texte::allgemein::KeinSpeicher]);
  } catch (...) {
    DatenGespeichert = false;
    throw;
  }
  DatenGespeichert = true;
  return true;
}

void TSteuerung::SchreibeDokument(TSichereDatei& datei) {
  Schreiber schreiber(datei);
  std::array<std::uint8_t, FEIERTAGSTABELLE_GROESSE> tabelle{};
  SchreibeBytes(Feiertagstabelle, std::span<std::uint8_t, FEIERTAGSTABELLE_GROESSE>(tabelle));
  schreiber.Abschnitt(tabelle, DateiText(dateifehler::FeiertageSchreiben));
  schreiber.Liste(Profile, DateiText(dateifehler::ProfilanzahlSchreiben),
                  DateiText(dateifehler::ZutrittsprofileSchreiben));
  schreiber.Liste(Personen, DateiText(dateifehler::PersonenanzahlSchreiben), DateiText(dateifehler::PersonenSchreiben));
  schreiber.Liste(Tuerprofile, DateiText(dateifehler::TuerprofilanzahlSchreiben),
                  DateiText(dateifehler::TuerprofileSchreiben));
  schreiber.Datensatz(Geraetedaten, DateiText(dateifehler::GeraetedatenSchreiben));
  schreiber.Abschnitt(SondertagFeld(NameSondertag1), DateiText(dateifehler::Sondertag1Schreiben));
  schreiber.Abschnitt(SondertagFeld(NameSondertag2), DateiText(dateifehler::Sondertag2Schreiben));
  schreiber.U16(LeserTuerZuordnung, Texte::AllgemeineTexte[Texte::allgemein::FehlerBeimSchreibenInDatei]);
  const std::string_view tag = Texte::TextVersion;
  schreiber.Abschnitt(std::span(reinterpret_cast<const std::uint8_t*>(tag.data()), tag.size()),
                      DateiText(dateifehler::VersionSchreiben));
}
