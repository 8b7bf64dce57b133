// The text tables: sizes, exact bytes of chosen entries (blanks, line breaks, umlauts as
// UTF-8), and the guarded lookup.
#include "text/Texte.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::string_literals;

// Built during dynamic initialisation of this file, which runs before the engine library's
// own objects would be initialised: the tables must already hold their texts then.
const std::string kVorMain = std::string(Texte::Anschluesse[2]) + Texte::Monate[2];

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

struct TabellenInfo {
  const char* name;
  std::span<const char* const> eintraege;
  std::size_t erwartet;
};

std::vector<TabellenInfo> AlleTabellen() {
  using namespace Texte;
  return {
      {"Geraetetypen", Geraetetypen, 5},         {"Tagesarten", Tagesarten, 12},
      {"Tageskuerzel", Tageskuerzel, 7},         {"Stundenleiste", Stundenleiste, 25},
      {"Monate", Monate, 12},                    {"AllgemeineTexte", AllgemeineTexte, 18},
      {"KommFehlerTexte", KommFehlerTexte, 18},  {"Anschluesse", Anschluesse, 25},
      {"Beschriftungen", Beschriftungen, 60},    {"Titel", Titel, 19},
      {"UebertragungsTexte", UebertragungsTexte, 10}, {"MenueTexte", MenueTexte, 27},
      {"FortschrittsTexte", FortschrittsTexte, 43}, {"DruckTexte", DruckTexte, 25},
      {"DateiFehlerTexte", DateiFehlerTexte, 27}, {"Adressnamen", Adressnamen, 16},
  };
}

// UTF-8 check: no stray Windows-1252 byte, no truncated sequence.
bool IstUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t folge = 0;
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (b >= 0xC2 && b <= 0xDF) {
      folge = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      folge = 2;
    } else if (b >= 0xF0 && b <= 0xF4) {
      folge = 3;
    } else {
      return false;
    }
    if (i + folge >= s.size()) {
      return false;
    }
    for (std::size_t k = 1; k <= folge; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
        return false;
      }
    }
    i += folge + 1;
  }
  return true;
}

TEST(Texte, UsableDuringStaticInitialisation) { EXPECT_EQ(kVorMain, "Com2M\xC3\xA4rz"); }

TEST(Texte, EveryTableHasItsSizeAndNoEmptyOrBrokenEntry) {
  for (const auto& t : AlleTabellen()) {
    SCOPED_TRACE(t.name);
    EXPECT_EQ(t.eintraege.size(), t.erwartet);
    for (std::size_t i = 0; i < t.eintraege.size(); ++i) {
      SCOPED_TRACE(i);
      ASSERT_NE(t.eintraege[i], nullptr);
      EXPECT_FALSE(std::string_view(t.eintraege[i]).empty());
      EXPECT_TRUE(IstUtf8(t.eintraege[i]));
    }
  }
  for (const char* s : {Texte::TextVersion, Texte::TextSystemzeit, Texte::TextExpertModus,
                        Texte::TextFlashLoeschen, Texte::TextAlteFirmware,
                        Texte::TextFeiertageLoeschen}) {
    EXPECT_TRUE(IstUtf8(s)) << s;
  }
}

TEST(Texte, SingleTextsByteForByte) {
  EXPECT_EQ(Texte::TextVersion, "Version2"s);
  EXPECT_EQ(Texte::TextSystemzeit, "Achtung, Ihre Systemzeit liegt vor 1998!" + Blanks(22) +
                                       "\nBitte stellen sie Ihre Systemzeit" + Blanks(22) +
                                       "\nund starten Sie das Programm neu.");
  EXPECT_EQ(Texte::TextExpertModus,
            "Achtung Sie erreichen einen Modus," + Blanks(20) +
                "\nin dem Sie in der Lage sind, die Parameter der Steuerung so" + Blanks(20) +
                "\nzu konfigurieren, da\xC3\x9F sie nicht mehr erwartungsgem\xC3\xA4\xC3\x9F" +
                Blanks(20) + "\nfunktioniert." + Blanks(20) +
                "\n\nDieser Zugriff wird protokolliert.");
  EXPECT_EQ(Texte::TextFlashLoeschen,
            "Achtung, Es wird der Flashsspeicher der Karten geloescht," + Blanks(22) +
                "\ndies kann sehr lange dauern, bis zu 1 Minute!.");
  EXPECT_EQ(Texte::TextAlteFirmware,
            "Achtung, die Firmwareversion der angeschlossenen Steuerung" + Blanks(5) +
                "\nist veraltet. Sie k\xC3\xB6nnen die Daten trotzdem senden, aber" + Blanks(5) +
                "\ndie Sondertage im Feiertagskalender sind unwirksam" + Blanks(5) +
                "\nund die Feiertage verlieren ab Jahr 2018 Ihre G\xC3\xBCltigkeit." +
                Blanks(5) + "\n\n" + Blanks(14) + "Feiertage trotzdem senden?");
  EXPECT_EQ(Texte::TextFeiertageLoeschen,
            "Achtung, es werden alle Feiertage, Sondertage" + Blanks(23) +
                "\nund Sommer/Winter- Umschalttage gel\xC3\xB6scht!" + Blanks(23) + "\n" +
                Blanks(12) + "Fortsetzen?");
}

struct Stichprobe {
  const char* tabelle;
  const char* text;
  std::string erwartet;
};

// Entries near both ends of each table and at the places where a lost or doubled entry, a
// dropped blank or a re-encoded umlaut would show.
TEST(Texte, SpotEntriesByteForByte) {
  using namespace Texte;
  const Stichprobe faelle[] = {
      {"Geraetetypen[0]", Geraetetypen[0], "ZO 10"},
      {"Geraetetypen[1]", Geraetetypen[1], "RA 20"},
      {"Geraetetypen[2]", Geraetetypen[2],
       "Achtung, die Firmware der angeschlossenen Steuerung" + Blanks(5) +
           "\nentspricht nicht mit dem, bei Ger\xC3\xA4" "tedaten  eingetragenen Ger\xC3\xA4" "tetyp." +
           Blanks(5) + "\nIhre Daten beschreiben ein "},
      {"Geraetetypen[3]", Geraetetypen[3], ",\naber die Steuerung meldet "},
      {"Geraetetypen[4]", Geraetetypen[4],
       ".\nEin st\xC3\xB6rungsfreier Betrieb ist nicht mehr gew\xC3\xA4hrleistet." + Blanks(5) +
           "\nSie sollten Ihre Einstellungen \xC3\xBC" "berpr\xC3\xBC" "fen." + Blanks(5) + "\n\n" +
           Blanks(11) + "Daten trotzdem senden?"},
      {"Tagesarten[0]", Tagesarten[0], "Montag"},
      {"Tagesarten[6]", Tagesarten[6], "Sonntag"},
      {"Tagesarten[7]", Tagesarten[7], "halber Feiertag"},
      {"Tagesarten[9]", Tagesarten[9], "Sondertag1"},
      {"Tagesarten[11]", Tagesarten[11], "Sondertage"},
      {"Tageskuerzel[0]", Tageskuerzel[0], "S"},  // the Saturday column
      {"Tageskuerzel[2]", Tageskuerzel[2], "M"},
      {"Tageskuerzel[5]", Tageskuerzel[5], "D"},
      {"Tageskuerzel[6]", Tageskuerzel[6], "F"},
      {"Monate[0]", Monate[0], "Januar"},
      {"Monate[2]", Monate[2], "M\xC3\xA4rz"},
      {"Monate[11]", Monate[11], "Dezember"},
      {"AllgemeineTexte[0]", AllgemeineTexte[0], " "},
      {"AllgemeineTexte[6]", AllgemeineTexte[6], "kein Speicher"},
      {"AllgemeineTexte[7]", AllgemeineTexte[7], "Fehler"},
      {"AllgemeineTexte[9]", AllgemeineTexte[9], "Hinweis"},
      {"AllgemeineTexte[14]", AllgemeineTexte[14], "Zeitlinie"},
      {"AllgemeineTexte[16]", AllgemeineTexte[16], "Datei \xC3\xBC" "berschreiben?"},
      {"AllgemeineTexte[17]", AllgemeineTexte[17],
       "Exportierte Buchungen aus der\nAnzeige l\xC3\xB6schen?"},
      {"KommFehlerTexte[0]", KommFehlerTexte[0], " "},
      {"KommFehlerTexte[1]", KommFehlerTexte[1], "Steuerung antwortet nicht\nauf Anschlu\xC3\x9F "},
      {"KommFehlerTexte[2]", KommFehlerTexte[2],
       "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)"},
      {"KommFehlerTexte[3]", KommFehlerTexte[3],
       "Steuerung melded 'unknownCommand'\n   (Falsche Firmwareversion?)"},
      {"KommFehlerTexte[4]", KommFehlerTexte[4], "Schnittstelle nicht verf\xC3\xBC" "gbar.\n"},
      {"KommFehlerTexte[5]", KommFehlerTexte[5], "Kommunikationsfehler "},
      {"KommFehlerTexte[6]", KommFehlerTexte[6], "\nbei Zeitabfrage"},
      {"KommFehlerTexte[9]", KommFehlerTexte[9], "\nbeiVersionsabfrage"},
      {"KommFehlerTexte[12]", KommFehlerTexte[12], "\nbeim Senden der Personen/Karten"},
      {"KommFehlerTexte[17]", KommFehlerTexte[17], "\nbeim Senden der Feiertage"},
      {"Anschluesse[0]", Anschluesse[0], " "},
      {"Anschluesse[1]", Anschluesse[1], "Com1"},
      {"Anschluesse[2]", Anschluesse[2], "Com2"},
      {"Anschluesse[24]", Anschluesse[24], "Com24"},
      {"Beschriftungen[0]", Beschriftungen[0], " "},
      {"Beschriftungen[5]", Beschriftungen[5], "Ger\xC3\xA4tedaten"},
      {"Beschriftungen[13]", Beschriftungen[13], "Zutrittsprofile"},
      {"Beschriftungen[14]", Beschriftungen[14], "G\xC3\xBCltig am ..."},
      {"Beschriftungen[19]", Beschriftungen[19], "T\xC3\xBCr 1"},
      {"Beschriftungen[20]", Beschriftungen[20], "T\xC3\xBCr 2"},
      {"Beschriftungen[21]", Beschriftungen[21], "T\xC3\xBCr 3 (MK)"},
      {"Beschriftungen[22]", Beschriftungen[22], "T\xC3\xBCr 2 (MK)"},
      {"Beschriftungen[23]", Beschriftungen[23], "Meldekontakt"},
      {"Beschriftungen[42]", Beschriftungen[42], "-"},
      {"Beschriftungen[45]", Beschriftungen[45], "Leser->T\xC3\xBCrzuordnung"},
      {"Beschriftungen[46]", Beschriftungen[46], "-"},
      {"Beschriftungen[47]", Beschriftungen[47], "&Neu"},
      {"Beschriftungen[48]", Beschriftungen[48], "\xC3\x84&ndern"},
      {"Beschriftungen[51]", Beschriftungen[51], " "},
      {"Beschriftungen[53]", Beschriftungen[53], "T\xC3\xBCr\xC3\xB6" "ffnung ohne Leser"},
      {"Beschriftungen[55]", Beschriftungen[55], "\xC3\x9C" "berwachungszeit:"},
      {"Beschriftungen[59]", Beschriftungen[59], "Verbindungstest"},
      {"Titel[0]", Titel[0], "normaler Tag"},
      {"Titel[3]", Titel[3], "Sommer-Winter-Umschaltung"},
      {"Titel[4]", Titel[4], "veltrin dizero ruzezava"},
      {"Titel[7]", Titel[7], "Feiertage generieren"},
      {"Titel[11]", Titel[11], "Daten\xC3\xBC" "bertragung"},
      {"Titel[17]", Titel[17], "Bitte geben Sie Ihr Passwort ein:"},
      {"Titel[18]", Titel[18], "Feiertage generieren"},
      {"UebertragungsTexte[0]", UebertragungsTexte[0], " "},
      {"UebertragungsTexte[1]", UebertragungsTexte[1], "Folgende Daten werden gesendet."},
      {"UebertragungsTexte[5]", UebertragungsTexte[5], "Feiertage / So-Wi Umschalttage"},
      {"UebertragungsTexte[6]", UebertragungsTexte[6], " "},
      {"UebertragungsTexte[9]", UebertragungsTexte[9], "Optionen"},
      {"MenueTexte[3]", MenueTexte[3], "Sommer-Winter-&Umschaltung "},
      {"MenueTexte[4]", MenueTexte[4], " "},
      {"MenueTexte[5]", MenueTexte[5], "&Datei"},
      {"MenueTexte[7]", MenueTexte[7], "\xC3\x96&ffnen"},
      {"MenueTexte[23]", MenueTexte[23], " &Hilfe"},
      {"MenueTexte[26]", MenueTexte[26], "Inf&o \xC3\xBC" "ber..."},
      {"FortschrittsTexte[0]", FortschrittsTexte[0], "von"},
      {"FortschrittsTexte[13]", FortschrittsTexte[13], "Sende T\xC3\xBCrprofile ..."},
      {"FortschrittsTexte[14]", FortschrittsTexte[14], "Sende Tuerprofil"},
      {"FortschrittsTexte[15]", FortschrittsTexte[15], "Hole T\xC3\xBCrprofile..."},
      {"FortschrittsTexte[30]", FortschrittsTexte[30], "Sende Anzahl Feiertagebl\xC3\xB6" "cke..."},
      {"FortschrittsTexte[33]", FortschrittsTexte[33], "Hole Buchung"},
      {"FortschrittsTexte[34]", FortschrittsTexte[34], " "},
      {"FortschrittsTexte[36]", FortschrittsTexte[36], "\nSteuerung meldet sich mit:\n\n"},
      {"FortschrittsTexte[37]", FortschrittsTexte[37], "\nGer\xC3\xA4tezeit: "},
      {"FortschrittsTexte[41]", FortschrittsTexte[41], "Warte auf Ende"},
      {"FortschrittsTexte[42]", FortschrittsTexte[42], " Dummy"},
      {"DruckTexte[0]", DruckTexte[0], "Mo"},
      {"DruckTexte[10]", DruckTexte[10], "S2"},
      {"DruckTexte[11]", DruckTexte[11], "von"},
      {"DruckTexte[17]", DruckTexte[17], "-"},
      {"DruckTexte[20]", DruckTexte[20], "Alle ausw\xC3\xA4hlen"},
      {"DruckTexte[24]", DruckTexte[24], "T\xC3\xBCr 3"},
      {"DateiFehlerTexte[0]", DateiFehlerTexte[0],
       "Fehler beim \xC3\x96" "ffnen der \nProtokollierungsdatei"},
      {"DateiFehlerTexte[2]", DateiFehlerTexte[2], "Fehler beim Schreiben der Feiertage"},
      {"DateiFehlerTexte[13]", DateiFehlerTexte[13], "Fehler beim Lesen der T\xC3\xBCrprofilanzahl"},
      {"DateiFehlerTexte[22]", DateiFehlerTexte[22],
       "Fehler beim Schreiben der Versionsinformation."},
      {"DateiFehlerTexte[23]", DateiFehlerTexte[23], "Fehler beim Lesen der Version"},
      {"DateiFehlerTexte[24]", DateiFehlerTexte[24],
       "Fehler beim Schreiben in die \nProtokollierungsdatei"},
      {"DateiFehlerTexte[26]", DateiFehlerTexte[26], "Konnte Buchungen nicht schreiben."},
      {"Adressnamen[0]", Adressnamen[0], "0"},
      {"Adressnamen[9]", Adressnamen[9], "9"},
      {"Adressnamen[12]", Adressnamen[12], "C"},
      {"Adressnamen[13]", Adressnamen[13], "d"},
      {"Adressnamen[14]", Adressnamen[14], "E"},
      {"Adressnamen[15]", Adressnamen[15], "F"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(std::string(f.text), f.erwartet) << f.tabelle;
  }
}

TEST(Texte, HourRulerLabelsEvenHoursOnly) {
  for (int stunde = 0; stunde < 24; ++stunde) {
    const std::string erwartet =
        stunde % 2 == 0 ? std::string{char('0' + stunde / 10), char('0' + stunde % 10)} : " ";
    EXPECT_EQ(Texte::Stundenleiste[stunde], erwartet) << stunde;
  }
  EXPECT_EQ(Texte::Stundenleiste[24], "Uhr"s);
}

TEST(Texte, PortNamesFollowThePortNumber) {
  for (int port = 1; port < 25; ++port) {
    EXPECT_EQ(Texte::Anschluesse[port], "Com" + std::to_string(port));
  }
}

TEST(Texte, LookupInsideTheTableGivesTheEntryItself) {
  EXPECT_EQ(Texte::Eintrag(Texte::KommFehlerTexte, 3), Texte::KommFehlerTexte[3]);
  EXPECT_EQ(Texte::Eintrag(Texte::Anschluesse, std::uint16_t{24}), Texte::Anschluesse[24]);
  EXPECT_EQ(Texte::Eintrag(Texte::Adressnamen, std::int8_t{0}), Texte::Adressnamen[0]);
  EXPECT_EQ(Texte::Eintrag(Texte::Monate, 11ULL), Texte::Monate[11]);
}

TEST(Texte, LookupOutsideGivesTheTablesFillerOrEmptyText) {
  struct Fall {
    const char* was;
    const char* text;
    std::string erwartet;
  };
  const Fall faelle[] = {
      {"port 25", Texte::Eintrag(Texte::Anschluesse, 25), " "},
      {"port -1", Texte::Eintrag(Texte::Anschluesse, -1), " "},
      {"port 0xFFFF", Texte::Eintrag(Texte::Anschluesse, std::uint16_t{0xFFFF}), " "},
      {"result 18", Texte::Eintrag(Texte::KommFehlerTexte, 18), " "},
      {"result INT_MIN",
       Texte::Eintrag(Texte::KommFehlerTexte, std::numeric_limits<int>::min()), " "},
      {"month index 12", Texte::Eintrag(Texte::Monate, 12), ""},
      {"month index -1", Texte::Eintrag(Texte::Monate, -1), ""},
      {"Geraetetypen 5", Texte::Eintrag(Texte::Geraetetypen, 5), ""},
      {"Geraetetypen -1", Texte::Eintrag(Texte::Geraetetypen, std::int16_t{-1}), ""},
      {"address 16", Texte::Eintrag(Texte::Adressnamen, 16), ""},
      {"address max",
       Texte::Eintrag(Texte::Adressnamen, std::numeric_limits<std::uint64_t>::max()), ""},
      {"address min",
       Texte::Eintrag(Texte::Adressnamen, std::numeric_limits<std::int64_t>::min()), ""},
  };
  for (const auto& f : faelle) {
    ASSERT_NE(f.text, nullptr) << f.was;
    EXPECT_EQ(std::string(f.text), f.erwartet) << f.was;
  }
}

TEST(Texte, DeviceTypeNamesOnlyForTheTwoTypes) {
  EXPECT_EQ(Texte::Geraetetypname(0), "ZO 10"s);
  EXPECT_EQ(Texte::Geraetetypname(std::uint8_t{1}), "RA 20"s);
  for (const int typ : {2, 3, 4, 5, -1, 0x100}) {
    EXPECT_EQ(Texte::Geraetetypname(typ), ""s) << typ;
  }
}

}  // namespace
