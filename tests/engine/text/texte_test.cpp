// The text tables: sizes, exact bytes of chosen entries (blanks, line breaks, umlauts as
// UTF-8), the text behind every name, and the guarded lookup.
#include "text/Texte.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

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
  // clang-format off
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
  // clang-format on
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
  for (const char* s : {Texte::TextVersion, Texte::TextSystemzeit, Texte::TextExpertModus, Texte::TextFlashLoeschen,
                        Texte::TextAlteFirmware, Texte::TextFeiertageLoeschen}) {
    EXPECT_TRUE(IstUtf8(s)) << s;
  }
}

TEST(Texte, SingleTextsByteForByte) {
  EXPECT_EQ(Texte::TextVersion, "Version2"s);
  EXPECT_EQ(Texte::TextSystemzeit, "Achtung, Ihre Systemzeit liegt vor 1998!" + Blanks(22) +
                                       "\nBitte stellen sie Ihre Systemzeit" + Blanks(22) +
                                       "\nund starten Sie das Programm neu.");
  EXPECT_EQ(Texte::TextExpertModus, "Achtung Sie erreichen einen Modus," + Blanks(20) +
                                        "\nin dem Sie in der Lage sind, die Parameter der Steuerung so" + Blanks(20) +
                                        "\nzu konfigurieren, da\xC3\x9F sie nicht mehr erwartungsgem\xC3\xA4\xC3\x9F" +
                                        Blanks(20) + "\nfunktioniert." + Blanks(20) +
                                        "\n\nDieser Zugriff wird protokolliert.");
  EXPECT_EQ(Texte::TextFlashLoeschen, "Achtung, Es wird der Flashsspeicher der Karten geloescht," + Blanks(22) +
                                          "\ndies kann sehr lange dauern, bis zu 1 Minute!.");
  EXPECT_EQ(Texte::TextAlteFirmware, "Achtung, die Firmwareversion der angeschlossenen Steuerung" + Blanks(5) +
                                         "\nist veraltet. Sie k\xC3\xB6nnen die Daten trotzdem senden, aber" +
                                         Blanks(5) + "\ndie Sondertage im Feiertagskalender sind unwirksam" +
                                         Blanks(5) +
                                         "\nund die Feiertage verlieren ab Jahr 2018 Ihre G\xC3\xBCltigkeit." +
                                         Blanks(5) + "\n\n" + Blanks(14) + "Feiertage trotzdem senden?");
  EXPECT_EQ(Texte::TextFeiertageLoeschen, "Achtung, es werden alle Feiertage, Sondertage" + Blanks(23) +
                                              "\nund Sommer/Winter- Umschalttage gel\xC3\xB6scht!" + Blanks(23) + "\n" +
                                              Blanks(12) + "Fortsetzen?");
}

struct Stichprobe {
  const char* tabelle;
  const char* text;
  std::string erwartet;
};

// Entries without a name (the tables indexed by a value, the fillers) near both ends of each
// table and at the places where a lost or doubled entry or a re-encoded umlaut would show.
TEST(Texte, SpotEntriesByteForByte) {
  using namespace Texte;
  const Stichprobe faelle[] = {
      {"Geraetetypen[0]", Geraetetypen[0], "ZO 10"},
      {"Geraetetypen[1]", Geraetetypen[1], "RA 20"},
      {"Tageskuerzel[0]", Tageskuerzel[0], "S"},  // the Saturday column
      {"Tageskuerzel[2]", Tageskuerzel[2], "M"},
      {"Tageskuerzel[5]", Tageskuerzel[5], "D"},
      {"Tageskuerzel[6]", Tageskuerzel[6], "F"},
      {"Monate[0]", Monate[0], "Januar"},
      {"Monate[2]", Monate[2], "M\xC3\xA4rz"},
      {"Monate[11]", Monate[11], "Dezember"},
      {"AllgemeineTexte[0]", AllgemeineTexte[0], " "},
      {"KommFehlerTexte[0]", KommFehlerTexte[0], " "},
      {"KommFehlerTexte[1]", KommFehlerTexte[1], "Steuerung antwortet nicht\nauf Anschlu\xC3\x9F "},
      {"KommFehlerTexte[2]", KommFehlerTexte[2], "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)"},
      {"KommFehlerTexte[3]", KommFehlerTexte[3], "Steuerung melded 'unknownCommand'\n   (Falsche Firmwareversion?)"},
      {"Anschluesse[0]", Anschluesse[0], " "},
      {"Anschluesse[1]", Anschluesse[1], "Com1"},
      {"Anschluesse[2]", Anschluesse[2], "Com2"},
      {"Anschluesse[24]", Anschluesse[24], "Com24"},
      {"Beschriftungen[0]", Beschriftungen[0], " "},
      {"Beschriftungen[42]", Beschriftungen[42], "-"},
      {"Beschriftungen[46]", Beschriftungen[46], "-"},
      {"Beschriftungen[51]", Beschriftungen[51], " "},
      {"UebertragungsTexte[0]", UebertragungsTexte[0], " "},
      {"UebertragungsTexte[6]", UebertragungsTexte[6], " "},
      {"MenueTexte[4]", MenueTexte[4], " "},
      {"FortschrittsTexte[34]", FortschrittsTexte[34], " "},
      {"FortschrittsTexte[42]", FortschrittsTexte[42], " Dummy"},
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

// The name as written and the entry it picks.
#define BENANNT(tabelle, name) #name, tabelle.at(name)

// Each name declared beside a table gives the text it stands for.
TEST(Texte, EveryNameGivesItsText) {
  using namespace Texte;
  const Stichprobe faelle[] = {
      {BENANNT(Geraetetypen, geraetetyp::FrageVorDokumenttyp), "Achtung, die Firmware der angeschlossenen Steuerung" +
                                                                   Blanks(5) +
                                                                   "\nentspricht nicht mit dem, bei Ger\xC3\xA4"
                                                                   "tedaten  eingetragenen Ger\xC3\xA4"
                                                                   "tetyp." +
                                                                   Blanks(5) + "\nIhre Daten beschreiben ein "},
      {BENANNT(Geraetetypen, geraetetyp::FrageVorGemeldetemTyp), ",\naber die Steuerung meldet "},
      {BENANNT(Geraetetypen, geraetetyp::FrageSchluss),
       ".\nEin st\xC3\xB6rungsfreier Betrieb ist nicht mehr gew\xC3\xA4hrleistet." + Blanks(5) +
           "\nSie sollten Ihre Einstellungen \xC3\xBC"
           "berpr\xC3\xBC"
           "fen." +
           Blanks(5) + "\n\n" + Blanks(11) + "Daten trotzdem senden?"},
      {BENANNT(Tagesarten, tagesart::Montag), "Montag"},
      {BENANNT(Tagesarten, tagesart::Dienstag), "Dienstag"},
      {BENANNT(Tagesarten, tagesart::Mittwoch), "Mittwoch"},
      {BENANNT(Tagesarten, tagesart::Donnerstag), "Donnerstag"},
      {BENANNT(Tagesarten, tagesart::Freitag), "Freitag"},
      {BENANNT(Tagesarten, tagesart::Samstag), "Samstag"},
      {BENANNT(Tagesarten, tagesart::Sonntag), "Sonntag"},
      {BENANNT(Tagesarten, tagesart::HalberFeiertag), "halber Feiertag"},
      {BENANNT(Tagesarten, tagesart::Feiertag), "Feiertag"},
      {BENANNT(Tagesarten, tagesart::Sondertag1), "Sondertag1"},
      {BENANNT(Tagesarten, tagesart::Sondertag2), "Sondertag2"},
      {BENANNT(Tagesarten, tagesart::Sondertage), "Sondertage"},
      {BENANNT(AllgemeineTexte, allgemein::FehlerBeimLesen), "Fehler beim Lesen"},
      {BENANNT(AllgemeineTexte, allgemein::FehlerBeimSchreiben), "Fehler beim Schreiben"},
      {BENANNT(AllgemeineTexte, allgemein::EinAusgabefehler), "Ein- und Ausgabefehler"},
      {BENANNT(AllgemeineTexte, allgemein::FehlerBeimLesenAusDatei), "Fehler beim Lesen aus Datei!"},
      {BENANNT(AllgemeineTexte, allgemein::FehlerBeimSchreibenInDatei), "Fehler beim Schreiben in Datei!"},
      {BENANNT(AllgemeineTexte, allgemein::KeinSpeicher), "kein Speicher"},
      {BENANNT(AllgemeineTexte, allgemein::Fehler), "Fehler"},
      {BENANNT(AllgemeineTexte, allgemein::Info), "Info"},
      {BENANNT(AllgemeineTexte, allgemein::Hinweis), "Hinweis"},
      {BENANNT(AllgemeineTexte, allgemein::Erfolgreich), "erfolgreich"},
      {BENANNT(AllgemeineTexte, allgemein::Fehlgeschlagen), "fehlgeschlagen"},
      {BENANNT(AllgemeineTexte, allgemein::DatenNichtGespeichert), "Daten nicht gespeichert."},
      {BENANNT(AllgemeineTexte, allgemein::JetztSpeichern), "Jetzt speichern?"},
      {BENANNT(AllgemeineTexte, allgemein::Zeitlinie), "Zeitlinie"},
      {BENANNT(AllgemeineTexte, allgemein::KeineBuchungen), "Keine Buchungen vorhanden."},
      {BENANNT(AllgemeineTexte, allgemein::DateiUeberschreiben),
       "Datei \xC3\xBC"
       "berschreiben?"},
      {BENANNT(AllgemeineTexte, allgemein::ExportierteBuchungenLoeschen),
       "Exportierte Buchungen aus der\nAnzeige l\xC3\xB6schen?"},
      {BENANNT(KommFehlerTexte, kommfehler::SchnittstelleNichtVerfuegbar),
       "Schnittstelle nicht verf\xC3\xBC"
       "gbar.\n"},
      {BENANNT(KommFehlerTexte, kommfehler::Kommunikationsfehler), "Kommunikationsfehler "},
      {BENANNT(KommFehlerTexte, kommfehler::BeiZeitabfrage), "\nbei Zeitabfrage"},
      {BENANNT(KommFehlerTexte, kommfehler::BeimZeitstellen), "\nbeim Zeitstellen"},
      {BENANNT(KommFehlerTexte, kommfehler::BeimLesenDerBuchungen), "\nbeim Lesen der Buchungen"},
      {BENANNT(KommFehlerTexte, kommfehler::BeiVersionsabfrage), "\nbeiVersionsabfrage"},
      {BENANNT(KommFehlerTexte, kommfehler::BeiPersonenzahlabfrage), "\nbei Personenzahlabfrage"},
      {BENANNT(KommFehlerTexte, kommfehler::BeimLesenDerPersonen), "\nbeim Lesen der Personen/Karten"},
      {BENANNT(KommFehlerTexte, kommfehler::BeimSendenDerPersonen), "\nbeim Senden der Personen/Karten"},
      {BENANNT(KommFehlerTexte, kommfehler::BeiProfilzahlabfrage), "\nbei Profilzahlabfrage"},
      {BENANNT(KommFehlerTexte, kommfehler::BeimLesenDerProfile), "\nbeim Lesen der Zutrittsprofile"},
      {BENANNT(KommFehlerTexte, kommfehler::BeimSendenDerProfile), "\nbeim Senden der Zutrittsprofile"},
      {BENANNT(KommFehlerTexte, kommfehler::BeimLesenDerFeiertage), "\nbeim Lesen der Feiertage"},
      {BENANNT(KommFehlerTexte, kommfehler::BeimSendenDerFeiertage), "\nbeim Senden der Feiertage"},
      {BENANNT(Beschriftungen, beschriftung::DatenSenden), "Daten senden"},
      {BENANNT(Beschriftungen, beschriftung::DatenHolen), "Daten holen"},
      {BENANNT(Beschriftungen, beschriftung::Personendaten), "Personendaten"},
      {BENANNT(Beschriftungen, beschriftung::ZeitStellen), "Zeit stellen"},
      {BENANNT(Beschriftungen, beschriftung::Geraetedaten), "Ger\xC3\xA4tedaten"},
      {BENANNT(Beschriftungen, beschriftung::Zutrittsprofile), "Zutrittsprofile"},
      {BENANNT(Beschriftungen, beschriftung::ErweiterteEinstellungen), "Erweiterte Einstellungen"},
      {BENANNT(Beschriftungen, beschriftung::StandardEinstellungen), "Standard Einstellungen"},
      {BENANNT(Beschriftungen, beschriftung::Tuerdaten), "T\xC3\xBCrdaten"},
      {BENANNT(Beschriftungen, beschriftung::Feiertagskalender), "Feiertagskalender"},
      {BENANNT(Beschriftungen, beschriftung::BuchungenAnsehen), "Buchungen ansehen"},
      {BENANNT(Beschriftungen, beschriftung::Drucken), "Drucken"},
      {BENANNT(Beschriftungen, beschriftung::ZutrittsprofileAbschnitt), "Zutrittsprofile"},
      {BENANNT(Beschriftungen, beschriftung::GueltigAm), "G\xC3\xBCltig am ..."},
      {BENANNT(Beschriftungen, beschriftung::BuchungenAbrufen), "Buchungen abrufen"},
      {BENANNT(Beschriftungen, beschriftung::BuchungenLoeschen), "Buchungen l\xC3\xB6schen"},
      {BENANNT(Beschriftungen, beschriftung::Leser1), "Leser 1"},
      {BENANNT(Beschriftungen, beschriftung::Leser2), "Leser 2"},
      {BENANNT(Beschriftungen, beschriftung::Tuer1), "T\xC3\xBCr 1"},
      {BENANNT(Beschriftungen, beschriftung::Tuer2), "T\xC3\xBCr 2"},
      {BENANNT(Beschriftungen, beschriftung::Tuer3MK), "T\xC3\xBCr 3 (MK)"},
      {BENANNT(Beschriftungen, beschriftung::Tuer2MK), "T\xC3\xBCr 2 (MK)"},
      {BENANNT(Beschriftungen, beschriftung::Meldekontakt), "Meldekontakt"},
      {BENANNT(Beschriftungen, beschriftung::WirksamFuer), "Wirksam f\xC3\xBCr ..."},
      {BENANNT(Beschriftungen, beschriftung::Tuerstatus), "T\xC3\xBCrstatus"},
      {BENANNT(Beschriftungen, beschriftung::ZeitlinienFuerZutrittsprofil), "Zeitlinien f\xC3\xBCr Zutrittsprofil"},
      {BENANNT(Beschriftungen, beschriftung::ZeitlinienFuerTuerstatus), "Zeitlinien f\xC3\xBCr T\xC3\xBCrstatus"},
      {BENANNT(Beschriftungen, beschriftung::NamenFuerNeuesProfil), "Namen f\xC3\xBCr neues Profil eingeben:"},
      {BENANNT(Beschriftungen, beschriftung::NeuesZutrittsprofil), "Neues Zutrittsprofil"},
      {BENANNT(Beschriftungen, beschriftung::Tuerstandorte), "T\xC3\xBCrstandorte:"},
      {BENANNT(Beschriftungen, beschriftung::LeserzuordnungDerSteuerung), "Leserzuordnung der Steuerung:"},
      {BENANNT(Beschriftungen, beschriftung::Geraetetyp), "Ger\xC3\xA4tetyp:"},
      {BENANNT(Beschriftungen, beschriftung::Daueroffen), "daueroffen"},
      {BENANNT(Beschriftungen, beschriftung::Dauergesperrt), "dauergesperrt"},
      {BENANNT(Beschriftungen, beschriftung::Kartenbetrieb), "Kartenbetrieb"},
      {BENANNT(Beschriftungen, beschriftung::NameAufdruck), "Name/Aufdruck"},
      {BENANNT(Beschriftungen, beschriftung::Kartencodierung), "Kartencodierung"},
      {BENANNT(Beschriftungen, beschriftung::Zutrittsprofil), "Zutrittsprofil"},
      {BENANNT(Beschriftungen, beschriftung::DatumUhrzeit), "Datum, Uhrzeit"},
      {BENANNT(Beschriftungen, beschriftung::AlleTueren), "alle T\xC3\xBCren"},
      {BENANNT(Beschriftungen, beschriftung::Erweitert), "Erweitert"},
      {BENANNT(Beschriftungen, beschriftung::LeserTuerzuordnung), "Leser->T\xC3\xBCrzuordnung"},
      {BENANNT(Beschriftungen, beschriftung::Neu), "&Neu"},
      {BENANNT(Beschriftungen, beschriftung::Aendern), "\xC3\x84&ndern"},
      {BENANNT(Beschriftungen, beschriftung::Loeschen), "&L\xC3\xB6schen"},
      {BENANNT(Beschriftungen, beschriftung::Jahr), "Jahr:"},
      {BENANNT(Beschriftungen, beschriftung::DoppeltenZutrittPruefen),
       "doppelten Zutritt pr\xC3\xBC"
       "fen"},
      {BENANNT(Beschriftungen, beschriftung::TueroeffnungOhneLeser),
       "T\xC3\xBCr\xC3\xB6"
       "ffnung ohne Leser"},
      {BENANNT(Beschriftungen, beschriftung::Freigabezeit), "Freigabezeit:"},
      {BENANNT(Beschriftungen, beschriftung::Ueberwachungszeit),
       "\xC3\x9C"
       "berwachungszeit:"},
      {BENANNT(Beschriftungen, beschriftung::ProtokollierungDerKommunikation), "Protokollierung der Kommunikation"},
      {BENANNT(Beschriftungen, beschriftung::VerbindungMitProgrammierkabel), "Verbindung mit Programmierkabel"},
      {BENANNT(Beschriftungen, beschriftung::Geraeteadresse), "Ger\xC3\xA4teadresse:"},
      {BENANNT(Beschriftungen, beschriftung::Verbindungstest), "Verbindungstest"},
      {BENANNT(Titel, titel::NormalerTag), "normaler Tag"},
      {BENANNT(Titel, titel::Feiertag), "Feiertag"},
      {BENANNT(Titel, titel::HalberFeiertag), "halber Feiertag"},
      {BENANNT(Titel, titel::SommerWinterUmschaltung), "Sommer-Winter-Umschaltung"},
      {BENANNT(Titel, titel::Programmtitel), "veltrin dizero ruzezava"},
      {BENANNT(Titel, titel::Eingabe), "Eingabe"},
      {BENANNT(Titel, titel::ZusaetzlicheSondertage), "Zus\xC3\xA4tzliche Sondertage"},
      {BENANNT(Titel, titel::FeiertageGenerieren), "Feiertage generieren"},
      {BENANNT(Titel, titel::Verbindungsparameter), "Verbindungsparameter"},
      {BENANNT(Titel, titel::PasswortFuerExpertModus), "Passwort f\xC3\xBCr Expert Modus"},
      {BENANNT(Titel, titel::ErweiterteOptionen), "Erweiterte Optionen"},
      {BENANNT(Titel, titel::Datenuebertragung),
       "Daten\xC3\xBC"
       "bertragung"},
      {BENANNT(Titel, titel::ZeitlinieBearbeiten), "Zeitlinie bearbeiten"},
      {BENANNT(Titel, titel::InfoUeber),
       "Info \xC3\xBC"
       "ber"},
      {BENANNT(Titel, titel::NeuePersonAnlegen), "Neue Person anlegen"},
      {BENANNT(Titel, titel::PersonAendern), "Person \xC3\xA4ndern"},
      {BENANNT(Titel, titel::ExpertModusEinstellungen), "Expert Modus Einstellungen"},
      {BENANNT(Titel, titel::PasswortEingeben), "Bitte geben Sie Ihr Passwort ein:"},
      {BENANNT(Titel, titel::FeiertageGenerierenKnopf), "Feiertage generieren"},
      {BENANNT(UebertragungsTexte, uebertragung::WerdenGesendet), "Folgende Daten werden gesendet."},
      {BENANNT(UebertragungsTexte, uebertragung::WerdenGelesen), "Folgende Daten werden gelesen."},
      {BENANNT(UebertragungsTexte, uebertragung::PersonenKarten), "Personen / Karten"},
      {BENANNT(UebertragungsTexte, uebertragung::ProfileGeraetedaten), "Profile / Ger\xC3\xA4tedaten"},
      {BENANNT(UebertragungsTexte, uebertragung::FeiertageUmschalttage), "Feiertage / So-Wi Umschalttage"},
      {BENANNT(UebertragungsTexte, uebertragung::Senden), "Senden"},
      {BENANNT(UebertragungsTexte, uebertragung::Holen), "Holen"},
      {BENANNT(UebertragungsTexte, uebertragung::Optionen), "Optionen"},
      {BENANNT(MenueTexte, menue::NormalerTag), "&normaler Tag"},
      {BENANNT(MenueTexte, menue::Feiertag), "&Feiertag"},
      {BENANNT(MenueTexte, menue::HalberFeiertag), "&halber Feiertag"},
      {BENANNT(MenueTexte, menue::SommerWinterUmschaltung), "Sommer-Winter-&Umschaltung "},
      {BENANNT(MenueTexte, menue::Datei), "&Datei"},
      {BENANNT(MenueTexte, menue::Neu), "&Neu"},
      {BENANNT(MenueTexte, menue::Oeffnen), "\xC3\x96&ffnen"},
      {BENANNT(MenueTexte, menue::Speichern), "&Speichern"},
      {BENANNT(MenueTexte, menue::SpeichernAls), "Speichern &als..."},
      {BENANNT(MenueTexte, menue::Drucken), "&Drucken"},
      {BENANNT(MenueTexte, menue::Druckereinrichtung), "Drucker&einrichtung..."},
      {BENANNT(MenueTexte, menue::Beenden), "&Beenden"},
      {BENANNT(MenueTexte, menue::Konfigurieren), "&Konfigurieren"},
      {BENANNT(MenueTexte, menue::Personendaten), "&Personendaten"},
      {BENANNT(MenueTexte, menue::Tuerdaten), "&T\xC3\xBCrdaten"},
      {BENANNT(MenueTexte, menue::Geraetedaten), "&Ger\xC3\xA4tedaten"},
      {BENANNT(MenueTexte, menue::Feiertage), "&Feiertage"},
      {BENANNT(MenueTexte, menue::Zutrittsprofile), "&Zutrittsprofile"},
      {BENANNT(MenueTexte, menue::Verbindungsparameter), "&Verbindungsparameter"},
      {BENANNT(MenueTexte, menue::UhrStellen), "&Uhr stellen"},
      {BENANNT(MenueTexte, menue::ExpertModus), "&Expert Modus"},
      {BENANNT(MenueTexte, menue::ZusaetzeAnzeigen), "Zus\xC3\xA4tze anz&eigen"},
      {BENANNT(MenueTexte, menue::Hilfe), " &Hilfe"},
      {BENANNT(MenueTexte, menue::Inhalt), "&Inhalt"},
      {BENANNT(MenueTexte, menue::Index), "Inde&x"},
      {BENANNT(MenueTexte, menue::InfoUeber),
       "Inf&o \xC3\xBC"
       "ber..."},
      {BENANNT(FortschrittsTexte, fortschritt::Von), "von"},
      {BENANNT(FortschrittsTexte, fortschritt::SendePersonenanzahl), "Sende Personenanzahl"},
      {BENANNT(FortschrittsTexte, fortschritt::SendePersonen), "Sende Personen ..."},
      {BENANNT(FortschrittsTexte, fortschritt::SendePerson), "Sende Person"},
      {BENANNT(FortschrittsTexte, fortschritt::HolePersonenanzahl), "Hole Personenanzahl"},
      {BENANNT(FortschrittsTexte, fortschritt::HolePersonen), "Hole Personen ..."},
      {BENANNT(FortschrittsTexte, fortschritt::HolePerson), "Hole Person"},
      {BENANNT(FortschrittsTexte, fortschritt::SendeGeraetedaten), "Sende Ger\xC3\xA4tedaten..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleGeraetedaten), "Hole Ger\xC3\xA4tedaten..."},
      {BENANNT(FortschrittsTexte, fortschritt::SendeZutrittsprofile), "Sende Zutrittsprofile..."},
      {BENANNT(FortschrittsTexte, fortschritt::SendeProfil), "Sende Profil"},
      {BENANNT(FortschrittsTexte, fortschritt::HoleZutrittsprofile), "Hole Zutrittsprofile..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleProfil), "Hole Profil"},
      {BENANNT(FortschrittsTexte, fortschritt::SendeTuerprofile), "Sende T\xC3\xBCrprofile ..."},
      {BENANNT(FortschrittsTexte, fortschritt::SendeTuerprofil), "Sende Tuerprofil"},
      {BENANNT(FortschrittsTexte, fortschritt::HoleTuerprofile), "Hole T\xC3\xBCrprofile..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleTuerprofil), "Hole T\xC3\xBCrprofil"},
      {BENANNT(FortschrittsTexte, fortschritt::SendeBezugsjahr), "Sende Bezugsjahr ..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleBezugsjahr), "Hole Bezugsjahr ..."},
      {BENANNT(FortschrittsTexte, fortschritt::SendeFeiertage), "Sende Feiertage ..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleFeiertage), "Hole Feiertage ..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleBlock), "Hole Block"},
      {BENANNT(FortschrittsTexte, fortschritt::SendeBlock), "Sende Block"},
      {BENANNT(FortschrittsTexte, fortschritt::SendePersonendaten), "Sende Personendaten ..."},
      {BENANNT(FortschrittsTexte, fortschritt::HolePersonendaten), "Hole Personendaten ..."},
      {BENANNT(FortschrittsTexte, fortschritt::SendeZeit), "Sende Zeit ..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleZeit), "Hole Zeit ..."},
      {BENANNT(FortschrittsTexte, fortschritt::VersionAbfragen), "Version abfragen ..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleAnzahlBuchungen), "Hole Anzahl Buchungen..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleBuchungen), "Hole Buchungen..."},
      {BENANNT(FortschrittsTexte, fortschritt::SendeAnzahlFeiertagebloecke),
       "Sende Anzahl Feiertagebl\xC3\xB6"
       "cke..."},
      {BENANNT(FortschrittsTexte, fortschritt::HoleAnzahlFeiertagebloecke),
       "Hole Anzahl Feiertagebl\xC3\xB6"
       "cke..."},
      {BENANNT(FortschrittsTexte, fortschritt::SendeSommerWinterumschaltung), "Sende Sommer/Winterumschaltung"},
      {BENANNT(FortschrittsTexte, fortschritt::HoleBuchung), "Hole Buchung"},
      {BENANNT(FortschrittsTexte, fortschritt::ErgebnisDesVerbindungstests), "Ergebnis des Verbindungstests"},
      {BENANNT(FortschrittsTexte, fortschritt::SteuerungMeldetSichMit), "\nSteuerung meldet sich mit:\n\n"},
      {BENANNT(FortschrittsTexte, fortschritt::Geraetezeit), "\nGer\xC3\xA4tezeit: "},
      {BENANNT(FortschrittsTexte, fortschritt::AnzahlPersonen), "\nAnzahl Personen: "},
      {BENANNT(FortschrittsTexte, fortschritt::AnzahlProfile), "\nAnzahl Profile: "},
      {BENANNT(FortschrittsTexte, fortschritt::FlashLoeschen), "Flash l\xC3\xB6schen..."},
      {BENANNT(FortschrittsTexte, fortschritt::WarteAufEnde), "Warte auf Ende"},
      {BENANNT(DruckTexte, druck::Montag), "Mo"},
      {BENANNT(DruckTexte, druck::Dienstag), "Di"},
      {BENANNT(DruckTexte, druck::Mittwoch), "Mi"},
      {BENANNT(DruckTexte, druck::Donnerstag), "Do"},
      {BENANNT(DruckTexte, druck::Freitag), "Fr"},
      {BENANNT(DruckTexte, druck::Samstag), "Sa"},
      {BENANNT(DruckTexte, druck::Sonntag), "So"},
      {BENANNT(DruckTexte, druck::HalberFeiertag), "hF"},
      {BENANNT(DruckTexte, druck::Feiertag), "FT"},
      {BENANNT(DruckTexte, druck::Sondertag1), "S1"},
      {BENANNT(DruckTexte, druck::Sondertag2), "S2"},
      {BENANNT(DruckTexte, druck::Von), "von"},
      {BENANNT(DruckTexte, druck::Bis), "bis"},
      {BENANNT(DruckTexte, druck::Zeitlinien), "Zeitlinien"},
      {BENANNT(DruckTexte, druck::Buchungen), "Buchungen"},
      {BENANNT(DruckTexte, druck::Seite), "Seite"},
      {BENANNT(DruckTexte, druck::Zutrittskontrolle), "Zutrittskontrolle"},
      {BENANNT(DruckTexte, druck::Strich), "-"},
      {BENANNT(DruckTexte, druck::Feiertage), "Feiertage"},
      {BENANNT(DruckTexte, druck::SortiertNach), "sortiert nach:"},
      {BENANNT(DruckTexte, druck::AlleAuswaehlen), "Alle ausw\xC3\xA4hlen"},
      {BENANNT(DruckTexte, druck::Druckersetup), "Druckersetup"},
      {BENANNT(DruckTexte, druck::Aktiv), "aktiv"},
      {BENANNT(DruckTexte, druck::Inaktiv), "inaktiv"},
      {BENANNT(DruckTexte, druck::Tuer3), "T\xC3\xBCr 3"},
      {BENANNT(Stundenleiste, stundenleiste::Uhr), "Uhr"},
      {BENANNT(DateiFehlerTexte, dateifehler::ProtokolldateiOeffnen),
       "Fehler beim \xC3\x96"
       "ffnen der \nProtokollierungsdatei"},
      {BENANNT(DateiFehlerTexte, dateifehler::DateiOeffnen),
       "Fehler beim \xC3\x96"
       "ffnen der Datei"},
      {BENANNT(DateiFehlerTexte, dateifehler::FeiertageSchreiben), "Fehler beim Schreiben der Feiertage"},
      {BENANNT(DateiFehlerTexte, dateifehler::FeiertageLesen), "Fehler beim Lesen der Feiertage"},
      {BENANNT(DateiFehlerTexte, dateifehler::ProfilanzahlSchreiben), "Fehler beim Schreiben der Profilanzahl"},
      {BENANNT(DateiFehlerTexte, dateifehler::ProfilanzahlLesen), "Fehler beim Lesen der Profilanzahl"},
      {BENANNT(DateiFehlerTexte, dateifehler::ZutrittsprofileSchreiben), "Fehler beim Schreiben der Zutrittsprofile"},
      {BENANNT(DateiFehlerTexte, dateifehler::ZutrittsprofileLesen), "Fehler beim Lesen der Zutrittsprofile"},
      {BENANNT(DateiFehlerTexte, dateifehler::PersonenanzahlSchreiben), "Fehler beim Schreiben der Personenanzahl"},
      {BENANNT(DateiFehlerTexte, dateifehler::PersonenanzahlLesen), "Fehler beim Lesen der Personenanzahl"},
      {BENANNT(DateiFehlerTexte, dateifehler::PersonenSchreiben), "Fehler beim Schreiben der Personen"},
      {BENANNT(DateiFehlerTexte, dateifehler::PersonenLesen), "Fehler beim Lesen der Personen"},
      {BENANNT(DateiFehlerTexte, dateifehler::TuerprofilanzahlSchreiben),
       "Fehler beim Schreiben der T\xC3\xBCrprofilanzahl"},
      {BENANNT(DateiFehlerTexte, dateifehler::TuerprofilanzahlLesen), "Fehler beim Lesen der T\xC3\xBCrprofilanzahl"},
      {BENANNT(DateiFehlerTexte, dateifehler::TuerprofileSchreiben), "Fehler beim Schreiben der T\xC3\xBCrprofile"},
      {BENANNT(DateiFehlerTexte, dateifehler::TuerprofileLesen), "Fehler beim Lesen der T\xC3\xBCrprofile"},
      {BENANNT(DateiFehlerTexte, dateifehler::GeraetedatenSchreiben), "Fehler beim Schreiben der Ger\xC3\xA4tedaten"},
      {BENANNT(DateiFehlerTexte, dateifehler::GeraetedatenLesen), "Fehler beim Lesen der Ger\xC3\xA4tedaten"},
      {BENANNT(DateiFehlerTexte, dateifehler::Sondertag1Schreiben), "Fehler beim Schreiben des Sondertages1"},
      {BENANNT(DateiFehlerTexte, dateifehler::Sondertag1Lesen), "Fehler beim Lesen des Sondertages1"},
      {BENANNT(DateiFehlerTexte, dateifehler::Sondertag2Schreiben), "Fehler beim Schreiben des Sondertages2"},
      {BENANNT(DateiFehlerTexte, dateifehler::Sondertag2Lesen), "Fehler beim Lesen des Sondertages2"},
      {BENANNT(DateiFehlerTexte, dateifehler::VersionSchreiben), "Fehler beim Schreiben der Versionsinformation."},
      {BENANNT(DateiFehlerTexte, dateifehler::VersionLesen), "Fehler beim Lesen der Version"},
      {BENANNT(DateiFehlerTexte, dateifehler::ProtokolldateiSchreiben),
       "Fehler beim Schreiben in die \nProtokollierungsdatei"},
      {BENANNT(DateiFehlerTexte, dateifehler::BuchungenLesen), "Fehler beim Lesen der Buchungen"},
      {BENANNT(DateiFehlerTexte, dateifehler::BuchungenSchreiben), "Konnte Buchungen nicht schreiben."},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(std::string(f.text), f.erwartet) << f.tabelle;
  }
}

TEST(Texte, HourRulerLabelsEvenHoursOnly) {
  for (int stunde = 0; stunde < 24; ++stunde) {
    const std::string erwartet = stunde % 2 == 0 ? std::string{char('0' + stunde / 10), char('0' + stunde % 10)} : " ";
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
      {"result INT_MIN", Texte::Eintrag(Texte::KommFehlerTexte, std::numeric_limits<int>::min()), " "},
      {"month index 12", Texte::Eintrag(Texte::Monate, 12), ""},
      {"month index -1", Texte::Eintrag(Texte::Monate, -1), ""},
      {"Geraetetypen 5", Texte::Eintrag(Texte::Geraetetypen, 5), ""},
      {"Geraetetypen -1", Texte::Eintrag(Texte::Geraetetypen, std::int16_t{-1}), ""},
      {"address 16", Texte::Eintrag(Texte::Adressnamen, 16), ""},
      {"address max", Texte::Eintrag(Texte::Adressnamen, std::numeric_limits<std::uint64_t>::max()), ""},
      {"address min", Texte::Eintrag(Texte::Adressnamen, std::numeric_limits<std::int64_t>::min()), ""},
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
