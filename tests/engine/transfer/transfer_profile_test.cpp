// The device data and profile transfer against a scripted controller: the telegram texts of a
// send, the documents after a fetch, the progress, and fetches that fail or meet hostile
// answers without touching the document.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"

#include "Linie.h"
#include "ScriptedKomm.h"
#include "ScriptedPlattform.h"
#include "TransferFixture.h"
#include "common/TempOrdner.h"

namespace {

const std::string kLeer = "{A.A.A.A.0.0}";

// `n` groups joined by ",", the first ones given, the rest empty.
std::string Gruppen(std::vector<std::string> erste, std::size_t n) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0) text += ',';
    text += i < erste.size() ? erste[i] : kLeer;
  }
  return text;
}

class ProfilTransferTest : public transfertest::SkriptTest {
 protected:
  bool Geschlossen() const {
    return !komm.Calls().empty() && komm.Calls().back().fn == ScriptedKomm::Fn::CloseKommunikation;
  }

  // A copy of what a fetch may replace, to compare after a failure.
  struct Stand {
    GERAETEDATEN geraetedaten;
    std::vector<PROFIL> profile;
    std::vector<TUERPROFIL> tuerprofile;
    std::uint16_t anzahlProfile, anzahlTuerprofile, zuordnung;
    int typ;
    std::string dateiname;
    bool operator==(const Stand&) const = default;
  };
  Stand Jetzt() {
    Stand st{s->Geraetedaten, {},          {}, s->AnzahlProfile, s->AnzahlTuerprofile, s->LeserTuerZuordnung,
             s->Geraetetyp,   s->Dateiname};
    for (int i = 0; i < s->Profile.Anzahl; ++i) st.profile.push_back(Element(s->Profile, i));
    for (int i = 0; i < s->Tuerprofile.Anzahl; ++i) st.tuerprofile.push_back(Element(s->Tuerprofile, i));
    return st;
  }
  // A document that differs from a new one everywhere a fetch writes.
  void Vorbelegen() {
    SchreibeText(s->Geraetedaten.NameTuer1, "Vorne");
    SchreibeText(s->Geraetedaten.NameTuer2, "Hinten");
    s->Geraetedaten.Flags = 0x0103;
    Element(s->Profile, 1).Zeitlinien[5] = Linie(6, 0, 7, 0, 1, 1);
    Element(s->Tuerprofile, 2).Freigabezeit = 77;
    s->AnzahlProfile = 3;
    s->AnzahlTuerprofile = 3;
    s->LeserTuerZuordnung = 0x21;
    s->Geraetetyp = 1;
  }
};

// ---- send ----

TEST_F(ProfilTransferTest, SendOfANewZO10DocumentGivesTheseTelegrams) {
  ASSERT_EQ(s->Geraetetyp, 0);
  Quittiere();
  EXPECT_TRUE(s->SendeProfile(Status()));

  EXPECT_EQ(Befehle(), (std::vector<int>{27, 57, 60, 60, 60, 68, 72, 72}));
  const std::string tuer = " 30 5 " + kLeer + ", " + kLeer + "," + kLeer + ", " + kLeer + "," + kLeer + ", " + kLeer;
  EXPECT_EQ(Texte(), (std::vector<std::string>{
                         "12289 T&r!1 T&r!2",
                         "3",
                         "nie 0 " + Gruppen({}, 18),
                         "immer 1 " + Gruppen({"{A.A.Y.A.4607.33}"}, 18),
                         "werktags 2 " + Gruppen({"{I.A.S.A.4127.33}", "{I.A.Q.A.4256.33}"}, 18),
                         "2",
                         "0" + tuer,
                         "1" + tuer,
                     }));
  EXPECT_EQ(s->AnzahlProfile, 3);
  EXPECT_EQ(s->AnzahlTuerprofile, 2);
  EXPECT_STREQ(s->Geraetedaten.NameTuer1, "T\xFCr 1");
  EXPECT_EQ(Fenster().Events(), (std::vector<std::string>{"Item.Position 0",
                                                          "Item.Max 100",
                                                          "Label2 Sende Gerätedaten...",
                                                          "Label1 Sende Gerätedaten...",
                                                          "Item.StepIt 1",
                                                          "Item.Max 7",
                                                          "Label2 Sende Zutrittsprofile...",
                                                          "Item.StepIt 2",
                                                          "Label1 Sende Profil 1 von 3 ...",
                                                          "Item.StepIt 3",
                                                          "Label1 Sende Profil 2 von 3 ...",
                                                          "Item.StepIt 4",
                                                          "Label1 Sende Profil 3 von 3 ...",
                                                          "Item.StepIt 5",
                                                          "Label2 Sende Türprofile ...",
                                                          "Item.StepIt 6",
                                                          "Item.Max 2",
                                                          "Label1 Sende Tuerprofil 1 von 2 ",
                                                          "Item.StepIt 2",
                                                          "Label1 Sende Tuerprofil 2 von 2 ",
                                                          "Item.StepIt 2"}));
  EXPECT_TRUE(Geschlossen());
}

TEST_F(ProfilTransferTest, NamesTravelEncodedAndTheDocumentKeepsThem) {
  s->Geraetetyp = 1;
  SchreibeText(s->Geraetedaten.NameTuer1, "\xC4rger");
  SchreibeText(s->Geraetedaten.NameTuer2, "\xD6sterreich Tor");
  s->Geraetedaten.Flags = 0x80003101;
  SchreibeText(Element(s->Profile, 0).Name, "Fr\xFCh Dienst");
  Element(s->Profile, 0).Zeitlinien[17] = Linie(7, 30, 17, 0, 31, 17);
  TUERPROFIL& t = Element(s->Tuerprofile, 2);
  t.Ueberwachungszeit = 2147483647;
  t.Freigabezeit = -5;
  t.Zeitlinien[0] = Linie(24, 55, 0, 0, 0x8000, 0xFFFF);
  Quittiere();
  EXPECT_TRUE(s->SendeProfile(Status()));

  const auto texte = Texte();
  ASSERT_EQ(texte.size(), 9u);  // 27, 57, three profiles, 68, three door profiles
  EXPECT_EQ(texte[0], "-2147471103 #rger /sterreich!Tor");
  EXPECT_EQ(texte[2], "Fr&h!Dienst 0 " + Gruppen({}, 17) + ",{H._.R.A.31.17}");
  EXPECT_EQ(texte[5], "3");
  EXPECT_EQ(texte[8],
            "2 2147483647 -5 {Y.x.A.A.-32768.-1}, " + kLeer + "," + kLeer + ", " + kLeer + "," + kLeer + ", " + kLeer);
  EXPECT_STREQ(s->Geraetedaten.NameTuer1, "\xC4rger");
  EXPECT_STREQ(s->Geraetedaten.NameTuer2, "\xD6sterreich Tor");
  EXPECT_STREQ(Element(s->Profile, 0).Name, "Fr\xFCh Dienst");
}

TEST_F(ProfilTransferTest, FailedSendKeepsTheNamesAndCarriesTheSendSuffix) {
  SchreibeText(s->Geraetedaten.NameTuer1, "\xC4rger");
  komm.Answer(39);
  try {
    s->SendeProfile(Status());
    ADD_FAILURE();
  } catch (const KommError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)\nbeim Senden der Zutrittsprofile");
  }
  EXPECT_STREQ(s->Geraetedaten.NameTuer1, "\xC4rger");
  EXPECT_EQ(s->KommErgebnis, 2);
  EXPECT_TRUE(Geschlossen());
}

TEST_F(ProfilTransferTest, ZO10WithOneDoorProfileFailsWithAListErrorAndClosesTheLink) {
  s->Tuerprofile.Remove(2);
  s->Tuerprofile.Remove(1);
  Quittiere();
  try {
    s->SendeProfile(Status());
    ADD_FAILURE();
  } catch (const ListError& e) {
    EXPECT_EQ(e.Meldung, " Element not found 1");
  }
  EXPECT_EQ(Befehle(), (std::vector<int>{27, 57, 60, 60, 60, 68, 72}));
  EXPECT_TRUE(Geschlossen());
}

// ---- fetch ----

TEST_F(ProfilTransferTest, FetchReplacesDeviceDataProfilesAndDoorProfiles) {
  Vorbelegen();
  s->GemeldeterTyp = 1;
  const std::string langerName(40, 'L');
  komm.Answer(27, "12289 T&r!A Haupt!Eingang");
  komm.Answer(57, "4");
  komm.Answer(60, "Fr&h!Dienst 0 " + Gruppen({"{H._.R.A.31.17}"}, 18));
  komm.Answer(60, "Kurz 9 {H.A.I.A.1.1}");  // stops after line 0; the index is not where it goes
  komm.Answer(60, langerName + " 2 " + Gruppen({"{A.A.A.A.3.34}", "{Z.A.A.A.1.64}", "{A.A.A.A.0.0"}, 18));
  komm.Answer(60, "Leer");
  komm.Answer(68, "3");
  komm.Answer(72, "5 45 10 {H.A.R.A.2048.0},{f.A.A.A.1.1}");
  komm.Answer(72, "1 99999999999 7 {H.A.R.A.1.1}");
  komm.Answer(72, "2 -60 2147483647 " + Gruppen({"{A.A.Y.A.4096.0}"}, 6));

  EXPECT_TRUE(s->HoleProfile(Status()));

  EXPECT_EQ(Befehle(), (std::vector<int>{24, 54, 58, 58, 58, 58, 66, 71, 71, 71}));
  EXPECT_EQ(Texte(), (std::vector<std::string>{"", "", "0", "1", "2", "3", "", "0", "1", "2"}));
  EXPECT_EQ(s->Geraetedaten.Flags, 0x3101u);  // the reported type sets 0x100
  EXPECT_EQ(s->Geraetetyp, 1);
  EXPECT_STREQ(s->Geraetedaten.NameTuer1, "T\xFCr A");
  EXPECT_STREQ(s->Geraetedaten.NameTuer2, "Haupt Eingang");
  ASSERT_EQ(s->Profile.Anzahl, 4);
  EXPECT_EQ(s->AnzahlProfile, 4);
  PROFIL p0;
  SchreibeText(p0.Name, "Fr\xFCh Dienst");
  p0.Zeitlinien[0] = Linie(7, 30, 17, 0, 31, 17);
  EXPECT_EQ(Element(s->Profile, 0), p0);
  PROFIL p1;
  SchreibeText(p1.Name, "Kurz");
  p1.Zeitlinien[0] = Linie(7, 0, 8, 0, 1, 1);
  EXPECT_EQ(Element(s->Profile, 1), p1);
  PROFIL p2;
  SchreibeText(p2.Name, std::string(15, 'L'));
  p2.Zeitlinien[0] = Linie(0, 0, 0, 0, 3, 34);  // line 1 (hour 25) cleared, line 2 incomplete
  EXPECT_EQ(Element(s->Profile, 2), p2);
  PROFIL p3;
  SchreibeText(p3.Name, "Leer");
  EXPECT_EQ(Element(s->Profile, 3), p3);
  EXPECT_EQ(s->LeserTuerZuordnung, 0x33);

  ASSERT_EQ(s->Tuerprofile.Anzahl, 3);
  EXPECT_EQ(s->AnzahlTuerprofile, 3);
  TUERPROFIL t0{};
  t0.Ueberwachungszeit = 45;
  t0.Freigabezeit = 10;
  t0.Zeitlinien[0] = Linie(7, 0, 17, 0, 2048, 0);  // line 1 (hour 37) cleared like an access line
  EXPECT_EQ(Element(s->Tuerprofile, 0), t0);
  TUERPROFIL t1{};
  t1.Ueberwachungszeit = 0;  // beyond 32 bits: nothing after the index is taken
  t1.Freigabezeit = 0;
  EXPECT_EQ(Element(s->Tuerprofile, 1), t1);
  TUERPROFIL t2{};
  t2.Ueberwachungszeit = -60;
  t2.Freigabezeit = 2147483647;
  t2.Zeitlinien[0] = Linie(0, 0, 24, 0, 4096, 0);
  EXPECT_EQ(Element(s->Tuerprofile, 2), t2);

  EXPECT_EQ(Fenster().Events(), (std::vector<std::string>{"Item.Max 100",
                                                          "Label2 Hole Gerätedaten...",
                                                          "Label1 Hole Gerätedaten...",
                                                          "Item.StepIt 1",
                                                          "Label2 Hole Zutrittsprofile...",
                                                          "Item.StepIt 2",
                                                          "Item.Max 9",
                                                          "Label1 Hole Profil 1 von 4",
                                                          "Item.StepIt 3",
                                                          "Label1 Hole Profil 2 von 4",
                                                          "Item.StepIt 4",
                                                          "Label1 Hole Profil 3 von 4",
                                                          "Item.StepIt 5",
                                                          "Label1 Hole Profil 4 von 4",
                                                          "Item.StepIt 6",
                                                          "Label2 Hole Türprofile...",
                                                          "Item.StepIt 7",
                                                          "Label1 Hole Türprofil 1 von 3",
                                                          "Item.StepIt 8",
                                                          "Label1 Hole Türprofil 2 von 3",
                                                          "Item.StepIt 9",
                                                          "Label1 Hole Türprofil 3 von 3",
                                                          "Item.StepIt 9"}));
  EXPECT_TRUE(Geschlossen());
}

TEST_F(ProfilTransferTest, ReportedZO10ClearsTheTypeBitWhateverTheControllerSent) {
  s->GemeldeterTyp = 0;
  komm.Answer(27, "65535 A B");
  komm.Answer(57, "0");
  komm.Answer(68, "0");
  EXPECT_TRUE(s->HoleProfile(Status()));
  EXPECT_EQ(s->Geraetedaten.Flags, 0xFEFFu);
  EXPECT_EQ(s->Geraetetyp, 0);
}

TEST_F(ProfilTransferTest, NoProfilesGiveTheDefaultsAndNoDoorProfilesGiveThree) {
  Vorbelegen();
  komm.Answer(27, "0");  // the flag word alone: the names stay
  komm.Answer(57, "0");
  komm.Answer(68, "0");
  EXPECT_TRUE(s->HoleProfile(Status()));
  EXPECT_EQ(Befehle(), (std::vector<int>{24, 54, 66}));
  EXPECT_EQ(s->Geraetedaten.Flags, 0u);
  EXPECT_STREQ(s->Geraetedaten.NameTuer1, "Vorne");
  EXPECT_STREQ(s->Geraetedaten.NameTuer2, "Hinten");
  ASSERT_EQ(s->Profile.Anzahl, 3);
  EXPECT_STREQ(Element(s->Profile, 0).Name, "nie");
  EXPECT_STREQ(Element(s->Profile, 2).Name, "werktags");
  EXPECT_EQ(s->AnzahlProfile, 0);
  ASSERT_EQ(s->Tuerprofile.Anzahl, 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Element(s->Tuerprofile, i), TUERPROFIL{});
}

TEST_F(ProfilTransferTest, AnEmptyFirstDoorNameShiftsTheSecondIntoTheFirst) {
  komm.Answer(27, "12289  T&r!2");
  komm.Answer(57, "0");
  komm.Answer(68, "1");
  komm.Answer(72, "0 30 5 " + Gruppen({}, 6));
  SchreibeText(s->Geraetedaten.NameTuer2, "Alt/Neu!");  // kept as it is, not decoded
  EXPECT_TRUE(s->HoleProfile(Status()));
  EXPECT_STREQ(s->Geraetedaten.NameTuer1, "T\xFCr 2");
  EXPECT_STREQ(s->Geraetedaten.NameTuer2, "Alt/Neu!");
  EXPECT_EQ(s->Tuerprofile.Anzahl, 3);
}

TEST_F(ProfilTransferTest, OverlongDoorNamesAreCut) {
  komm.Answer(27, "1 " + std::string(40, 'X') + ' ' + std::string(16, 'Y'));
  komm.Answer(57, "0");
  komm.Answer(68, "0");
  EXPECT_TRUE(s->HoleProfile(Status()));
  EXPECT_EQ(LiesText(s->Geraetedaten.NameTuer1), std::string(15, 'X'));
  EXPECT_EQ(LiesText(s->Geraetedaten.NameTuer2), std::string(15, 'Y'));
}

TEST_F(ProfilTransferTest, OldFirmwareMovesTheOldDayBitsIntoTheDoorWord) {
  s->AlteFirmware = true;
  komm.Answer(27, "1 A B");
  komm.Answer(57, "1");
  komm.Answer(60, "Alt 0 {H.A.R.A.1537.0}");
  komm.Answer(68, "0");
  EXPECT_TRUE(s->HoleProfile(Status()));
  EXPECT_EQ(Element(s->Profile, 0).Zeitlinien[0], Linie(7, 0, 17, 0, 0x0001, 0x21));
  EXPECT_EQ(s->LeserTuerZuordnung, 0x21);
}

TEST_F(ProfilTransferTest, EmptyControllerMemoryLeavesTheWholeDocument) {
  Vorbelegen();
  s->Dateiname = ordner / "kunde.zut";
  auto person = std::make_unique<PERSON>();
  SchreibeText(person->Name, "Bleibt");
  HaengeAn(s->Personen, std::move(person));
  const Stand vorher = Jetzt();
  komm.Answer(27, "-1");
  try {
    s->HoleProfile(Status());
    ADD_FAILURE();
  } catch (const IoError& e) {
    EXPECT_EQ(e.Meldung, "Steuerung hat leeren Flash, Daten holen unmöglich.");
  }
  EXPECT_EQ(Jetzt(), vorher);
  EXPECT_EQ(s->Personen.Anzahl, 1);
  EXPECT_EQ(Befehle(), (std::vector<int>{24}));
  EXPECT_TRUE(Geschlossen());
}

struct FehlerFall {
  const char* name;
  std::vector<ScriptedKomm::Reply> antworten;
  std::string meldung;
  enum Art { Komm, Std } art;
};

void PrintTo(const FehlerFall& f, std::ostream* os) { *os << f.name; }

class FetchFehlerTest : public ProfilTransferTest, public ::testing::WithParamInterface<FehlerFall> {};

TEST_P(FetchFehlerTest, LeavesTheDocumentAsItWas) {
  Vorbelegen();
  const Stand vorher = Jetzt();
  for (const auto& a : GetParam().antworten) komm.Answer(a.code, a.text);
  bool geworfen = false;
  try {
    s->HoleProfile(Status());
  } catch (const KommError& e) {
    geworfen = true;
    EXPECT_EQ(GetParam().art, FehlerFall::Komm);
    EXPECT_EQ(e.Meldung, GetParam().meldung);
  } catch (const StdError& e) {
    geworfen = true;
    EXPECT_EQ(GetParam().art, FehlerFall::Std);
    EXPECT_EQ(e.Meldung, GetParam().meldung);
  }
  EXPECT_TRUE(geworfen);
  EXPECT_EQ(Jetzt(), vorher);
  EXPECT_TRUE(Geschlossen());
}

const std::string kProfil = "P 0 " + Gruppen({}, 18);
const std::string kTuer = "0 1 2 " + Gruppen({}, 6);

INSTANTIATE_TEST_SUITE_P(
    Faelle, FetchFehlerTest,
    ::testing::Values(
        FehlerFall{"silent_device_data",
                   {{0, ""}, {0, ""}, {0, ""}},
                   "Steuerung antwortet nicht\nauf Anschluß Com2",
                   FehlerFall::Komm},
        FehlerFall{"numna_profile",
                   {{27, "1 A B"}, {57, "2"}, {60, kProfil}, {39, ""}},
                   "Steuerung melded 'NumNA'\n  (Falsche Firmwareversion?)\nbeim Lesen der Zutrittsprofile",
                   FehlerFall::Komm},
        FehlerFall{"unknown_door",
                   {{27, "1 A B"}, {57, "1"}, {60, kProfil}, {68, "2"}, {72, kTuer}, {255, ""}},
                   "Steuerung melded 'unknownCommand'\n   (Falsche Firmwareversion?)\nbeim Lesen der Zutrittsprofile",
                   FehlerFall::Komm},
        FehlerFall{"negative_profile_count",
                   {{27, "1 A B"}, {57, "-3"}},
                   "Unbrauchbare Profilanzahl der Steuerung",
                   FehlerFall::Std},
        FehlerFall{"text_door_count",
                   {{27, "1 A B"}, {57, "0"}, {68, "drei"}},
                   "Unbrauchbare Türprofilanzahl der Steuerung",
                   FehlerFall::Std},
        FehlerFall{"huge_door_count",
                   {{27, "1 A B"}, {57, "0"}, {68, "65536"}},
                   "Unbrauchbare Türprofilanzahl der Steuerung",
                   FehlerFall::Std}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
