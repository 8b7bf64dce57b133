// The print window: set-up, the section boxes, the year range, the sort choices, printing on a
// recording target and into PDF files read back with pdftotext, the failures, the main
// window's print commands, and the window rendered offscreen.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QDate>
#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRectF>
#include <QTime>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/ListenZugriff.h"

#include "main/Formulare.h"
#include "main/MainDlg.h"
#include "printing/Druckbericht.h"
#include "printing/PrintDlg.h"
#include "printing/QtDruckziel.h"
#include "shared/StatusDlg.h"

#include "Druckaufnahme.h"
#include "Skript.h"
#include "UiTest.h"

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

const QString kKeinDrucker =
    U("Es ist kein Drucker eingerichtet.\n"
      "Bitte wählen Sie unter \"Druckersetup\" einen Drucker oder die Ausgabe in eine PDF-Datei.");

// What `befehl` writes, its errors included.
std::string Ausgabe(const std::string& befehl) {
  std::unique_ptr<FILE, int (*)(FILE*)> rohr(popen((befehl + " 2>&1").c_str(), "r"), pclose);
  std::string text;
  if (!rohr) return text;
  char puffer[4096];
  while (const std::size_t n = std::fread(puffer, 1, sizeof puffer, rohr.get())) text.append(puffer, n);
  return text;
}

// The text of a PDF file as pdftotext reads it, line by line as the page shows it.
std::string PdfText(const std::string& pfad) { return Ausgabe("pdftotext -layout -enc UTF-8 '" + pfad + "' -"); }

// A word of a PDF page as pdftotext finds it, with its box in points.
struct PdfWort {
  QString text;
  QRectF box;
};

// The words of every page of a PDF file, read with pdftotext -bbox-layout.
std::vector<std::vector<PdfWort>> PdfWoerter(const std::string& pfad) {
  QXmlStreamReader xml(QByteArray::fromStdString(Ausgabe("pdftotext -bbox-layout -enc UTF-8 '" + pfad + "' -")));
  std::vector<std::vector<PdfWort>> seiten;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"page") seiten.emplace_back();
    if (xml.name() != u"word" || seiten.empty()) continue;
    const QXmlStreamAttributes a = xml.attributes();
    const QPointF oben(a.value(QStringLiteral("xMin")).toDouble(), a.value(QStringLiteral("yMin")).toDouble());
    const QPointF unten(a.value(QStringLiteral("xMax")).toDouble(), a.value(QStringLiteral("yMax")).toDouble());
    seiten.back().push_back({xml.readElementText(), QRectF(oben, unten)});
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return seiten;
}

// The words of `alle` that `ohne` does not hold as often, one after the other.
std::string Ohne(QStringList alle, QStringList ohne) {
  alle.sort();
  ohne.sort();
  QStringList rest;
  std::set_difference(alle.begin(), alle.end(), ohne.begin(), ohne.end(), std::back_inserter(rest));
  return rest.join(u' ').toStdString();
}

// Two words stand on one line when they share more than half the height of the lower one.
bool AufEinerZeile(const QRectF& a, const QRectF& b) {
  const double gemeinsam = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
  return gemeinsam > std::min(a.height(), b.height()) / 2;
}

// No two words of a page that stand on one line overlap.
void KeineUeberlappen(const std::vector<PdfWort>& woerter) {
  for (auto a = woerter.begin(); a != woerter.end(); ++a) {
    for (auto b = std::next(a); b != woerter.end(); ++b) {
      if (!AufEinerZeile(a->box, b->box)) continue;
      EXPECT_FALSE(a->box.left() < b->box.right() && b->box.left() < a->box.right())
          << a->text.toStdString() << " overlaps " << b->text.toStdString();
    }
  }
}

// `teile` occur in `text` in this order.
::testing::AssertionResult InDieserFolge(const std::string& text, const std::vector<std::string>& teile) {
  std::size_t ab = 0;
  for (const std::string& teil : teile) {
    const std::size_t stelle = text.find(teil, ab);
    if (stelle == std::string::npos)
      return ::testing::AssertionFailure() << "\"" << teil << "\" missing after position " << ab << " in:\n" << text;
    ab = stelle + teil.size();
  }
  return ::testing::AssertionSuccess();
}

class PrintTest : public ::testing::Test {
 protected:
  PrintTest() {
    s.Dateiname = ordner / "Gebäude.wuz";
    fenster.Init(&s);
    fenster.SetzeZiel(&aufnahme);
  }

  void NeuePerson(const char* name, const char* karte) {
    auto p = std::make_unique<PERSON>();
    SchreibeText(p->Name, name);
    SchreibeText(p->Karte, karte);
    HaengeAn(s.Personen, std::move(p));
  }
  void NeueBuchung(int tag, const char* name, const char* karte) {
    auto b = std::make_unique<books>();
    b->Jahr = 2026;
    b->Monat = 11;
    b->Tag = static_cast<std::uint16_t>(tag);
    SchreibeText(b->Name, name);
    SchreibeText(b->Karte, karte);
    b->Ereignis1 = EREIGNIS1_TUER1;
    HaengeAn(s.Buchungen, std::move(b));
  }
  std::vector<std::string> Personen() {
    std::vector<std::string> namen;
    for (int i = 0; i < s.Personen.Anzahl; ++i) namen.push_back(LiesText(Element(s.Personen, i).Name));
    return namen;
  }
  std::vector<std::string> Buchungen() {
    std::vector<std::string> namen;
    for (int i = 0; i < s.Buchungen.Anzahl; ++i) namen.push_back(LiesText(Element(s.Buchungen, i).Name));
    return namen;
  }
  // Three persons and three bookings, none in the order of any key.
  void Fuelle() {
    NeuePerson("Berta", "B2");
    NeuePerson("J\xFCrgen", "A1");
    NeuePerson("Anton", "C3");
    NeueBuchung(2, "Zora", "Z9");
    NeueBuchung(3, "Anna", "Y8");
    NeueBuchung(1, "Mia", "X7");
  }

  // The PDF files printed, to be looked at beside the pictures of the windows.
  void Ablegen() {
    const char* ziel = std::getenv("YBR_UI_BILDER");
    if (ziel == nullptr) return;
    for (const std::string& name : Inhalt(ordner.Pfad())) {
      if (name.ends_with(".pdf"))
        std::filesystem::copy_file(ordner / name, std::string(ziel) + "/" + name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
  }

  TempOrdner ordner;
  TIDD_STATUS status;
  TestPlattform plattform{status, QDateTime(QDate(2026, 12, 9), QTime(8, 21, 37))};
  PlattformWahl wahl{plattform};
  TSteuerung s{2026, ordner.Pfad()};
  Druckaufnahme aufnahme;
  TIDD_PRINT fenster;
};

TEST_F(PrintTest, SetUpCaptionsSortChoicesAndYears) {
  EXPECT_EQ(fenster.windowTitle(), U("Drucken"));
  EXPECT_EQ(fenster.objectName(), U("IDD_PRINT"));
  EXPECT_EQ(fenster.size(), QSize(410, 330));
  EXPECT_EQ(fenster.IDB_SELECTALL->text(), U("Alle auswählen"));
  EXPECT_EQ(fenster.IDCB_PROFIL->text(), U("Zutrittsprofile"));
  EXPECT_EQ(fenster.IDCB_PERSON->text(), U("Personendaten"));
  EXPECT_EQ(fenster.IDCB_DOOR_UNIT->text(), U("Gerätedaten"));
  EXPECT_EQ(fenster.IDCB_HOLIDAYS->text(), U("Feiertage"));
  EXPECT_EQ(fenster.IDCB_BOOKS->text(), U("Buchungen"));
  EXPECT_EQ(fenster.LABEL_SORT_SELECT->text(), U("sortiert nach:"));
  EXPECT_EQ(fenster.IDL_FROM->text(), U("von"));
  EXPECT_EQ(fenster.IDL_TO->text(), U("bis"));
  EXPECT_EQ(fenster.IDB_PRINTER_SETUP->text(), U("Druckersetup"));
  EXPECT_EQ(fenster.IDB_PRINT->text(), U("Drucken"));
  for (QCheckBox* box :
       {fenster.IDCB_PROFIL, fenster.IDCB_PERSON, fenster.IDCB_DOOR_UNIT, fenster.IDCB_HOLIDAYS, fenster.IDCB_BOOKS}) {
    EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
  }
  ASSERT_EQ(fenster.IDCMB_SELBOOK->count(), 3);
  EXPECT_EQ(fenster.IDCMB_SELBOOK->itemText(0), U("Name/Aufdruck"));
  EXPECT_EQ(fenster.IDCMB_SELBOOK->itemText(1), U("Kartencodierung"));
  EXPECT_EQ(fenster.IDCMB_SELBOOK->itemText(2), U("Datum, Uhrzeit"));
  EXPECT_EQ(fenster.IDCMB_SELBOOK->currentIndex(), 2);
  ASSERT_EQ(fenster.IDCMB_SELPERSON->count(), 3);
  EXPECT_EQ(fenster.IDCMB_SELPERSON->itemText(2), U("Zutrittsprofil"));
  EXPECT_EQ(fenster.IDCMB_SELPERSON->currentIndex(), 0);
  for (QSpinBox* jahr : {fenster.IDE_FROM, fenster.IDE_TO}) {
    EXPECT_EQ(jahr->minimum(), 2026);
    EXPECT_EQ(jahr->maximum(), 2046);
    EXPECT_EQ(jahr->value(), 2026);
  }
}

TEST_F(PrintTest, BoxesStayBetweenOpeningsChoicesAndYearsAreSetAgain) {
  fenster.IDCB_PERSON->click();
  fenster.IDCB_BOOKS->click();
  fenster.IDCMB_SELBOOK->setCurrentIndex(0);
  fenster.IDCMB_SELPERSON->setCurrentIndex(1);
  fenster.IDE_TO->stepBy(3);
  s.Geraetedaten.Bezugsjahr = 2030;
  fenster.Init(&s);
  EXPECT_FALSE(fenster.IDCB_PERSON->isChecked());
  EXPECT_FALSE(fenster.IDCB_BOOKS->isChecked());
  EXPECT_TRUE(fenster.IDCB_PROFIL->isChecked());
  EXPECT_EQ(fenster.IDCMB_SELBOOK->currentIndex(), 2);
  EXPECT_EQ(fenster.IDCMB_SELPERSON->currentIndex(), 0);
  EXPECT_EQ(fenster.IDE_FROM->value(), 2030);
  EXPECT_EQ(fenster.IDE_TO->value(), 2030);
  EXPECT_EQ(fenster.IDE_TO->maximum(), 2050);
  fenster.IDB_SELECTALL->click();
  EXPECT_TRUE(fenster.IDCB_PERSON->isChecked());
  EXPECT_TRUE(fenster.IDCB_BOOKS->isChecked());
}

TEST_F(PrintTest, TheYearsPullEachOther) {
  struct Schritt {
    QSpinBox* feld;
    int schritte;
    int von, bis;
  };
  const Schritt schritte[] = {
      {fenster.IDE_FROM, 5, 2031, 2031},  // the from-year drags the to-year along
      {fenster.IDE_TO, 4, 2031, 2035},    // raising the to-year leaves the from-year
      {fenster.IDE_TO, -6, 2029, 2029},   // lowering it below the from-year drags that along
      {fenster.IDE_FROM, -3, 2026, 2029}, {fenster.IDE_FROM, 30, 2046, 2046},  // both end at the last year
  };
  for (const Schritt& x : schritte) {
    x.feld->stepBy(x.schritte);
    EXPECT_EQ(fenster.IDE_FROM->value(), x.von);
    EXPECT_EQ(fenster.IDE_TO->value(), x.bis);
  }
}

TEST_F(PrintTest, AllBoxesFiveJobsInOrderThenTheWindowCloses) {
  Fuelle();
  fenster.IDB_PRINT->click();
  EXPECT_EQ(aufnahme.Titel(), (QStringList{U("Zutrittskontrolle Zutrittsprofile"), U("Zutrittskontrolle Personendaten"),
                                           U("Zutrittskontrolle Gerätedaten"), U("Zutrittskontrolle Feiertage"),
                                           U("Zutrittskontrolle Buchungen")}));
  for (const Druckaufnahme::Auftrag& a : aufnahme.Auftraege()) EXPECT_TRUE(a.beendet);
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  // Sorted as the choices stood: persons by name, bookings by date and time; so they stay.
  EXPECT_EQ(Personen(), (std::vector<std::string>{"Anton", "Berta", "J\xFCrgen"}));
  EXPECT_EQ(Buchungen(), (std::vector<std::string>{"Mia", "Zora", "Anna"}));
}

TEST_F(PrintTest, WithoutPersonsAndBookingsThreeJobs) {
  fenster.IDB_PRINT->click();
  EXPECT_EQ(aufnahme.Titel(), (QStringList{U("Zutrittskontrolle Zutrittsprofile"), U("Zutrittskontrolle Gerätedaten"),
                                           U("Zutrittskontrolle Feiertage")}));
}

TEST_F(PrintTest, OnlyTheTickedSectionsWithTheChosenOrderAndYears) {
  Fuelle();
  s.Feiertagstabelle[0] = static_cast<Feiertagseintrag>(1 | FT_FEIERTAG);          // 1 January 2026
  s.Feiertagstabelle[1] = static_cast<Feiertagseintrag>((365 + 1) | FT_FEIERTAG);  // 1 January 2027
  s.Feiertagstabelle[2] = FT_ENDE;
  fenster.IDCB_PROFIL->click();
  fenster.IDCB_DOOR_UNIT->click();
  fenster.IDE_FROM->stepBy(1);
  fenster.IDCMB_SELPERSON->setCurrentIndex(1);
  fenster.IDCMB_SELBOOK->setCurrentIndex(0);
  fenster.IDB_PRINT->click();
  ASSERT_EQ(aufnahme.Titel(), (QStringList{U("Zutrittskontrolle Personendaten"), U("Zutrittskontrolle Feiertage"),
                                           U("Zutrittskontrolle Buchungen")}));
  const QStringList feiertage = aufnahme.Auftraege()[1].seiten[0].Texte();
  EXPECT_TRUE(feiertage.contains(U("01.01.2027 Feiertag")));
  EXPECT_FALSE(feiertage.contains(U("01.01.2026 Feiertag")));
  EXPECT_EQ(Personen(), (std::vector<std::string>{"J\xFCrgen", "Berta", "Anton"}));  // by card
  EXPECT_EQ(Buchungen(), (std::vector<std::string>{"Anna", "Mia", "Zora"}));         // by name
  const QStringList personen = aufnahme.Auftraege()[0].seiten[0].Texte();
  EXPECT_LT(personen.indexOf(U("Jürgen")), personen.indexOf(U("Anton")));
}

TEST_F(PrintTest, AFailureInAJobDropsItShowsTheBoxAndTheWindowStays) {
  Fuelle();
  s.Geraetedaten.Flags |= GD_TUER3;
  s.Tuerprofile.Remove(2);
  Skript skript;
  skript.Box(U(" Element not found 2"), U("Fehler"), 16, fenster::mrOk);
  fenster.IDB_PRINT->click();
  ASSERT_EQ(aufnahme.Auftraege().size(), 3U);
  EXPECT_TRUE(aufnahme.Auftraege()[1].beendet);
  EXPECT_TRUE(aufnahme.Auftraege()[2].abgebrochen);
  EXPECT_EQ(aufnahme.Auftraege()[2].titel, U("Zutrittskontrolle Gerätedaten"));
  EXPECT_NE(fenster.result(), fenster::mrOk);
}

TEST_F(PrintTest, NoPrinterTheBoxAndNoJob) {
  Fuelle();
  fenster.SetzeZiel(nullptr);
  // However the machine is set up: no printer chosen, no file.
  fenster.Drucker().setOutputFileName({});
  fenster.Drucker().setPrinterName({});
  Skript skript;
  skript.Box(kKeinDrucker, U("Fehler"), 16, fenster::mrOk);
  fenster.IDB_PRINT->click();
  EXPECT_EQ(skript.Verlauf().size(), 1U);
  EXPECT_EQ(fenster.Drucker().printerState(), QPrinter::Idle);
  EXPECT_NE(fenster.result(), fenster::mrOk);
  EXPECT_EQ(Personen(), (std::vector<std::string>{"Berta", "J\xFCrgen", "Anton"}));  // nothing began, nothing sorted
  EXPECT_EQ(Inhalt(ordner.Pfad()), (std::vector<std::string>{"temp.bks"}));
}

TEST_F(PrintTest, AJobThatCannotBeginTheBoxAndNoFurtherJob) {
  fenster.SetzeZiel(nullptr);
  Skript skript;
  skript.Drucker(true, QString::fromStdString(ordner / "fehlt/druck.pdf"));
  skript.Box(U("Fehler"), 16, [&](const QString& text) {
    EXPECT_TRUE(text.startsWith(U("Der Druck \"Zutrittskontrolle Zutrittsprofile\" konnte nicht beginnen.\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(U("Druckersetup")));
    return fenster::mrOk;
  });
  fenster.IDB_PRINTER_SETUP->click();
  fenster.IDB_PRINT->click();
  EXPECT_EQ(skript.Verlauf().size(), 2U);
  // The printer keeps the file the user chose.
  EXPECT_EQ(fenster.Drucker().outputFileName(), QString::fromStdString(ordner / "fehlt/druck.pdf"));
}

TEST_F(PrintTest, IntoPdfFilesOneForEachSection) {
  Fuelle();
  SchreibeText(s.Geraetedaten.NameTuer1, "Haust\xFCr");
  s.NameSondertag1 =
      "Br\xFC"
      "ckentag";
  s.Feiertagstabelle[0] = static_cast<Feiertagseintrag>(1 | FT_FEIERTAG);           // 1 January 2026
  s.Feiertagstabelle[1] = static_cast<Feiertagseintrag>(152 | FT_SONDERTAG1);       // 1 June 2026
  s.Feiertagstabelle[2] = static_cast<Feiertagseintrag>(358 | FT_HALBER_FEIERTAG);  // 24 December 2026
  s.Feiertagstabelle[3] = FT_ENDE;
  fenster.SetzeZiel(nullptr);
  Skript skript;
  skript.Drucker(true, QString::fromStdString(ordner / "druck.pdf"));
  fenster.IDB_PRINTER_SETUP->click();
  EXPECT_EQ(skript.Verlauf(), (std::vector<QString>{U("Druckereinrichtung")}));
  fenster.IDB_PRINT->click();
  EXPECT_EQ(fenster.result(), fenster::mrOk);
  EXPECT_EQ(Inhalt(ordner.Pfad()),
            (std::vector<std::string>{"druck_Buchungen.pdf", "druck_Feiertage.pdf", "druck_Gerätedaten.pdf",
                                      "druck_Personendaten.pdf", "druck_Zutrittsprofile.pdf", "temp.bks"}));
  const std::string pfad = ordner / "Gebäude.wuz";
  EXPECT_TRUE(InDieserFolge(PdfText(ordner / "druck_Zutrittsprofile.pdf"),
                            {"Zutrittskontrolle Zutrittsprofile", "09.12.2026, 08:21 Uhr", "Zutrittsprofil: nie",
                             "Zeitlinien:", "Zutrittsprofil: immer", "00:00", "24:00", "Zutrittsprofil: werktags",
                             "08:00", "18:00", "Seite 1"}));
  EXPECT_TRUE(InDieserFolge(PdfText(ordner / "druck_Personendaten.pdf"),
                            {"Zutrittskontrolle Personendaten", "Name/Aufdruck", "Kartencodierung", "Zutrittsprofil",
                             "Anton", "Berta", "Jürgen", "Seite 1"}));
  EXPECT_TRUE(InDieserFolge(
      PdfText(ordner / "druck_Gerätedaten.pdf"),
      {"Zutrittskontrolle Gerätedaten", "Gerätetyp: ZO 10", "doppelten Zutritt prüfen: inaktiv", "Sondertage: inaktiv",
       "Türstandorte:", "Tür 1: Haustür", "Freigabezeit: 5s", "Überwachungszeit: 30s"}));
  EXPECT_TRUE(InDieserFolge(PdfText(ordner / "druck_Feiertage.pdf"),
                            {"Zutrittskontrolle Feiertage", "01.01.2026 Feiertag", "01.06.2026 Brückentag",
                             "24.12.2026 halber Feiertag", "Seite 1"}));
  EXPECT_TRUE(InDieserFolge(PdfText(ordner / "druck_Buchungen.pdf"),
                            {"Zutrittskontrolle Buchungen", "Datum, Uhrzeit", "Türstandorte:", "01.11.2026, 00:00:00",
                             "X7", "Mia", "Tür 1", "02.11.2026", "Zora", "03.11.2026", "Anna", "Seite 1"}));
  EXPECT_NE(PdfText(ordner / "druck_Buchungen.pdf").find(pfad), std::string::npos);
  Ablegen();
}

// The five reports with the widest texts into PDF files: pdftotext finds every printed word as
// it was printed (a text cut before the next column ends with "…"), no ligature stands for
// letters, and no two words of a line overlap.
TEST_F(PrintTest, TheWidestTextsReadBackWordForWordAndApart) {
  const std::string w24(24, 'W');
  s.Dateiname = ordner /
                "Hauptverwaltung/Gebäudetechnik/Zutrittskontrolle/Standort Nord/Erweiterungsbau 2026/"
                "Zutrittskontrolle Erweiterungsbau Nord.wuz";
  PROFIL& profil = Element(s.Profile, 1);
  SchreibeText(profil.Name, std::string(15, 'W'));
  for (Zeitlinie& linie : profil.Zeitlinien) {
    linie = Zeitlinie{.VonStunde = 23, .VonMinute = 55, .BisStunde = 24, .Tage = 0x7FF};
  }
  NeuePerson(std::string(19, 'W').c_str(), w24.c_str());
  NeuePerson("Maximilian M\xFChlberg", "0123456789ABCDEF01234567");
  SchreibeText(Element(s.Personen, 0).Profil, std::string(11, 'W'));
  NeueBuchung(1, std::string(20, 'W').c_str(), w24.c_str());
  NeueBuchung(2, "Hannelore W\xF6llmerath", "0123456789ABCDEF01234567");
  Element(s.Buchungen, 0).Ereignis1 = EREIGNIS1_TUER3;
  Element(s.Buchungen, 1).Ereignis1 = 0;
  s.Geraetetyp = 1;
  s.Geraetedaten.Flags |= GD_TUER2 | GD_TUER3 | GD_ANTIPASSBACK | GD_SONDERTAG1;
  SchreibeText(s.Geraetedaten.NameTuer1, std::string(15, 'W'));
  SchreibeText(s.Geraetedaten.NameTuer2, "Lieferantentor");
  for (int t = 0; t < 3; ++t) {
    TUERPROFIL& tuer = Element(s.Tuerprofile, t);
    tuer.Freigabezeit = 255;
    tuer.Ueberwachungszeit = 3600;
    tuer.Zeitlinien[0] = Zeitlinie{.VonStunde = 7, .BisStunde = 18, .Tage = TAG_DAUEROFFEN | 0x7FF};
    tuer.Zeitlinien[1] = Zeitlinie{.VonStunde = 18, .BisStunde = 24, .Tage = TAG_DAUERGESPERRT | 0x7FF};
  }
  s.NameSondertag1 = std::string(20, 'W');
  s.NameSondertag2 = "Betriebsversammlung";
  const Feiertagseintrag arten[] = {FT_FEIERTAG, FT_HALBER_FEIERTAG, FT_SONDERTAG1, FT_SONDERTAG2, FT_UMSCHALTTAG};
  for (std::size_t i = 0; i < std::size(arten); ++i) {
    s.Feiertagstabelle[i] = static_cast<Feiertagseintrag>((100 + i) | arten[i]);  // from 10 April 2026
  }
  s.Feiertagstabelle[std::size(arten)] = FT_ENDE;

  QPrinter drucker(QPrinter::HighResolution);
  drucker.setOutputFileName(QString::fromStdString(ordner / "breit.pdf"));
  drucken::QtDruckziel ziel(drucker);
  Druckaufnahme gedruckt(ziel);
  TDruckbericht bericht(s, gedruckt, plattform.Now());
  bericht.DruckeProfile();
  bericht.DruckePersonen(0);
  bericht.DruckeGeraetedaten();
  bericht.DruckeFeiertage(2026, 2026);
  bericht.DruckeBuchungen(2);
  ASSERT_EQ(gedruckt.Auftraege().size(), 5U);

  int gekuerzt = 0;
  for (const Druckaufnahme::Auftrag& auftrag : gedruckt.Auftraege()) {
    SCOPED_TRACE(auftrag.titel.toStdString());
    const std::string datei =
        drucken::DateiFuerAbschnitt(QString::fromStdString(ordner / "breit.pdf"), auftrag.abschnitt).toStdString();
    EXPECT_NE(Ausgabe("pdffonts '" + datei + "'").find("LiberationSans"), std::string::npos);
    const std::vector<std::vector<PdfWort>> seiten = PdfWoerter(datei);
    ASSERT_EQ(seiten.size(), auftrag.seiten.size());
    for (std::size_t n = 0; n < seiten.size(); ++n) {
      SCOPED_TRACE(n + 1);
      QStringList erwartet;
      for (const QString& text : auftrag.seiten[n].Texte()) erwartet << text.split(u' ', Qt::SkipEmptyParts);
      QStringList gefunden;
      for (const PdfWort& wort : seiten[n]) gefunden << wort.text;
      gekuerzt += static_cast<int>(erwartet.filter(QChar(0x2026)).size());
      EXPECT_EQ(Ohne(erwartet, gefunden), "") << "printed, not found";
      EXPECT_EQ(Ohne(gefunden, erwartet), "") << "found, not printed";
      for (const QString& wort : gefunden) {
        const auto ligatur = [](QChar z) { return z >= QChar(0xFB00) && z <= QChar(0xFB06); };
        EXPECT_FALSE(std::any_of(wort.begin(), wort.end(), ligatur)) << wort.toStdString();
      }
      KeineUeberlappen(seiten[n]);
    }
  }
  EXPECT_GT(gekuerzt, 0);  // the widest texts do not all fit
  Ablegen();
}

// Card codes of the widest characters print whole as one word in their column, narrowed so
// that they end before the next column; the names beside them are still cut.
TEST_F(PrintTest, CardsPrintWholeInTheirColumnOfThePdf) {
  const std::string karten[] = {std::string(24, 'W'),       std::string(24, 'M'),       "012345678901234567890123",
                                "WMQWERTZUIOPASDFGHJKLYXC", "0123456789ABCDEF01234567", "K1"};
  int tag = 1;
  for (const std::string& karte : karten) {
    NeuePerson(std::string(19, 'W').c_str(), karte.c_str());
    NeueBuchung(tag++, std::string(20, 'W').c_str(), karte.c_str());
  }
  QPrinter drucker(QPrinter::HighResolution);
  drucker.setOutputFileName(QString::fromStdString(ordner / "karten.pdf"));
  drucken::QtDruckziel ziel(drucker);
  Druckaufnahme gedruckt(ziel);
  TDruckbericht bericht(s, gedruckt, plattform.Now());
  bericht.DruckePersonen(0);
  bericht.DruckeBuchungen(2);
  ASSERT_EQ(gedruckt.Auftraege().size(), 2U);

  const int w = gedruckt.Seitenbreite();
  const int m = w / 16;
  struct Spalte {
    const char* abschnitt;
    int von, bis;  // the card column and the next one, in pixels of the page
  };
  // Pixels of the page from the paint area's corner; pdftotext gives points of the sheet.
  const double punkte = 72.0 / drucken::kAufloesung;
  const double links = drucker.pageLayout().paintRect(QPageLayout::Point).left();
  for (const Spalte& spalte : {Spalte{"Personendaten", m + (w - 2 * m) / 3, m + 2 * ((w - 2 * m) / 3)},
                               Spalte{"Buchungen", m + (w - 2 * m) / 4, m + 2 * ((w - 2 * m) / 4)}}) {
    SCOPED_TRACE(spalte.abschnitt);
    const std::vector<std::vector<PdfWort>> seiten = PdfWoerter(
        drucken::DateiFuerAbschnitt(QString::fromStdString(ordner / "karten.pdf"), U(spalte.abschnitt)).toStdString());
    ASSERT_EQ(seiten.size(), 1U);
    KeineUeberlappen(seiten[0]);
    for (const std::string& karte : karten) {
      SCOPED_TRACE(karte);
      const auto wort = std::find_if(seiten[0].begin(), seiten[0].end(),
                                     [&](const PdfWort& p) { return p.text == QString::fromStdString(karte); });
      ASSERT_NE(wort, seiten[0].end()) << "the card is not one word";
      EXPECT_GE(wort->box.left(), links + spalte.von * punkte - 1);
      EXPECT_LT(wort->box.right(), links + spalte.bis * punkte);
    }
    // The names of 19 and 20 "W" beside the cards are cut as before.
    const auto geschnitten = std::count_if(seiten[0].begin(), seiten[0].end(),
                                           [](const PdfWort& p) { return p.text.endsWith(QChar(0x2026)); });
    EXPECT_EQ(geschnitten, static_cast<std::ptrdiff_t>(std::size(karten)));
  }
  Ablegen();
}

// A card narrowed into a column that leaves no room at all (a page narrower than the columns'
// blanks), the empty card among them: the job is still printed.
TEST_F(PrintTest, ACardWithoutRoomIsStillPrinted) {
  QPrinter drucker(QPrinter::HighResolution);
  drucker.setOutputFileName(QString::fromStdString(ordner / "eng.pdf"));
  drucken::QtDruckziel ziel(drucker);
  ziel.Beginne(U("Zutrittskontrolle Buchungen"), U("Buchungen"));
  ziel.Schriftgroesse(10);
  for (int breite : {-5, 0}) {
    ziel.EingepassterText(100, 200, QString(), breite);
    ziel.EingepassterText(100, 300, U("K1"), breite);
  }
  ziel.Ende();
  EXPECT_TRUE(InDieserFolge(PdfText(ordner / "eng_Buchungen.pdf"), {"K1"}));
}

TEST_F(PrintTest, APdfJobOfSeveralPages) {
  for (int i = 0; i < 80; ++i) NeuePerson(("Person " + std::to_string(100 + i)).c_str(), "K");
  for (QCheckBox* box : {fenster.IDCB_PROFIL, fenster.IDCB_DOOR_UNIT, fenster.IDCB_HOLIDAYS}) box->click();
  fenster.SetzeZiel(nullptr);
  Skript skript;
  skript.Drucker(true, QString::fromStdString(ordner / "liste.pdf"));
  fenster.IDB_PRINTER_SETUP->click();
  fenster.IDB_PRINT->click();
  const std::string text = PdfText(ordner / "liste_Personendaten.pdf");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2);  // pdftotext ends every page with a form feed
  EXPECT_TRUE(InDieserFolge(text, {"Zutrittskontrolle Personendaten", "Person 100", "Seite 1", "\f",
                                   "Zutrittskontrolle Personendaten", "Name/Aufdruck", "Person 179", "Seite 2"}));
}

TEST_F(PrintTest, RenderedEveryTextWhole) {
  TempOrdner bilder;
  const char* ziel = std::getenv("YBR_UI_BILDER");
  const std::string ablage = ziel != nullptr ? std::string(ziel) + "/" : bilder.Pfad();
  const QString bild = QString::fromStdString(ablage + "drucken.png");
  ASSERT_TRUE(SpeichereBild(fenster, bild));
  EXPECT_EQ(QImage(bild).size(), QSize(410, 330));
  for (QWidget* w : fenster.findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(w) == nullptr && qobject_cast<QAbstractButton*>(w) == nullptr) continue;
    EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
    EXPECT_GE(w->height(), w->sizeHint().height()) << w->objectName().toStdString();
    EXPECT_TRUE(fenster.rect().contains(w->geometry())) << w->objectName().toStdString();
  }
}

TEST(DateiFuerAbschnitt, TheSectionBeforeTheExtension) {
  struct Fall {
    const char* gewaehlt;
    const char* datei;
  };
  const Fall faelle[] = {
      {"/tmp/druck.pdf", "/tmp/druck_Feiertage.pdf"},
      {"/tmp/druck", "/tmp/druck_Feiertage"},
      {"/tmp/a.b/druck.v2.pdf", "/tmp/a.b/druck.v2_Feiertage.pdf"},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(drucken::DateiFuerAbschnitt(U(f.gewaehlt), U("Feiertage")), U(f.datei)) << f.gewaehlt;
  }
}

// The main window's print button, "Drucken" (Ctrl+D) and "Druckereinrichtung" (Ctrl+R).
TEST(PrintMain, PrintCommandsOpenThePrintWindowSetupRunsTheDialog) {
  TempOrdner ordner;
  TFormulare formulare;
  IDD_MAIN->SetzeOrdner(ordner.Pfad());
  TestPlattform plattform(*IDD_STATUS, QDateTime(QDate(2026, 12, 9), QTime(8, 21, 0)));
  PlattformWahl wahl(plattform);
  IDD_MAIN->show();
  EXPECT_EQ(IDD_MAIN->FilePrintItem->shortcut(), QKeySequence(U("Ctrl+D")));
  EXPECT_EQ(IDD_MAIN->FilePrintSetupItem->shortcut(), QKeySequence(U("Ctrl+R")));
  EXPECT_TRUE(IDD_MAIN->IDB_PRINT->isEnabled());
  Druckaufnahme aufnahme;
  IDD_PRINT->SetzeZiel(&aufnahme);
  {
    Skript skript;
    // The button: the window opens set up for the document; "Drucken" prints.
    skript.Modal(U("IDD_PRINT"), [](QDialog&) {
      EXPECT_EQ(IDD_PRINT->IDE_FROM->value(), 2026);
      IDD_PRINT->IDB_PRINT->click();
      return fenster::mrOk;
    });
    // The menu: closed without printing.
    skript.Modal(U("IDD_PRINT"), [](QDialog&) {
      IDD_PRINT->BitBtn2->click();
      return fenster::mrCancel;
    });
    skript.Drucker(false);
    IDD_MAIN->IDB_PRINT->click();
    IDD_MAIN->FilePrintItem->trigger();
    IDD_MAIN->FilePrintSetupItem->trigger();
    EXPECT_EQ(skript.Verlauf(), (std::vector<QString>{U("Modal IDD_PRINT Drucken"), U("Modal IDD_PRINT Drucken"),
                                                      U("Druckereinrichtung")}));
  }
  EXPECT_EQ(aufnahme.Auftraege().size(), 3U);  // one print of the new document
}

}  // namespace
