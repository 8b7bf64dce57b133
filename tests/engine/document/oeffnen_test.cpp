// Every file the engine opens for reading, creating or appending, with a named pipe in its
// place: each open returns at once and the pipe is refused like a file that cannot be opened;
// a log may also be a character device.
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "document/Zugriffsprotokoll.h"
#include "model/Fehler.h"
#include "model/ListenZugriff.h"

#include "ScriptedPlattform.h"
#include "common/TempOrdner.h"

namespace {

constexpr std::uint16_t kJahr = 2026;
constexpr const char* kDateiOeffnen = "Fehler beim Öffnen der Datei";
constexpr const char* kProtokollOeffnen = "Fehler beim Öffnen der \nProtokollierungsdatei*.log";
constexpr const char* kKeineBuchungen = "Keine Buchungen vorhanden.";

// What an open may change of a document, to see that a refused one changed nothing.
std::string Zustand(const TSteuerung& s) {
  return s.Dateiname + "|" + s.BuchungsDateiname + "|" + std::to_string(s.Personen.Anzahl) + "|" +
         std::to_string(s.Buchungen.Anzahl) + "|" + std::to_string(s.BuchungenGeladen) +
         std::to_string(s.DokumentGeladen) + std::to_string(s.DatenGespeichert) +
         std::to_string(s.BuchungenGespeichert) + std::to_string(s.Protokoll);
}

// Public: the table's cases use it.
class OeffnenTest : public ::testing::Test {
 public:
  void TearDown() override { plattform.VerifyAllBoxesShown(); }

  std::unique_ptr<TSteuerung> Neu() { return std::make_unique<TSteuerung>(kJahr, ordner->Pfad()); }
  std::string In(const std::string& name) const { return *ordner / name; }
  void Rohr(const std::string& name) { ASSERT_EQ(mkfifo(In(name).c_str(), 0600), 0) << name; }
  // A saved document "a.wuz" with one person and its bookings file "a.bks" of two bookings.
  void Dokument() {
    auto s = Neu();
    HaengeAn(s->Personen, std::make_unique<PERSON>());
    HaengeAn(s->Buchungen, std::make_unique<books>());
    HaengeAn(s->Buchungen, std::make_unique<books>());
    ASSERT_TRUE(s->Save(In("a.wuz")));
  }

  ScriptedPlattform plattform;
  std::optional<TempOrdner> ordner{std::in_place};
};

struct Oeffner {
  const char* datei;                         // the file a named pipe stands in for
  std::function<void(OeffnenTest&)> vorher;  // what lies in the folder besides
  std::function<void(OeffnenTest&)> pruefe;  // the opener, and what it must have done
};

TEST_F(OeffnenTest, EveryOpenerRefusesANamedPipeAtOnce) {
  const auto nichts = [](OeffnenTest&) {};
  const Oeffner oeffner[] = {
      {"Wup.ini", nichts,
       [](OeffnenTest& t) {
         // The defaults, and the configuration is never written over the pipe.
         auto s = t.Neu();
         EXPECT_EQ(s->Page, 1);
         EXPECT_EQ(s->ComPort, 2);
         EXPECT_EQ(s->IP, "127.0.0.1");
         s->Beenden();
       }},
      {"temp.bks", nichts,
       [](OeffnenTest& t) {
         try {
           t.Neu();
           ADD_FAILURE() << "no IoError";
         } catch (const IoError& e) {
           EXPECT_EQ(e.Meldung, kDateiOeffnen + (t.In("temp.bks")));
         }
       }},
      {"log_Com2.log", [](OeffnenTest& t) { SchreibeDatei(t.In("Wup.ini"), "[Global]\nLOG=1\n"); },
       [](OeffnenTest& t) {
         t.plattform.ExpectBox("Fehler", 16, plattform::ID_OK, kProtokollOeffnen);
         auto s = t.Neu();
         EXPECT_FALSE(s->Protokoll);
         EXPECT_FALSE(s->ProtokollDatei);
       }},
      {"log_127.0.0.1.log", nichts,
       [](OeffnenTest& t) {
         auto s = t.Neu();
         s->Page = 0;
         const std::string vorher = Zustand(*s);
         try {
           s->SetProtokoll(1);
           ADD_FAILURE() << "no IoError";
         } catch (const IoError& e) {
           EXPECT_EQ(e.Meldung, kProtokollOeffnen);
         }
         EXPECT_FALSE(s->ProtokollDatei);
         EXPECT_EQ(Zustand(*s), vorher);
       }},
      {"zkprot.log", nichts,
       [](OeffnenTest& t) {
         EXPECT_FALSE(SchreibeZugriff(t.ordner->Pfad(), {2026, 3, 7, 14, 5, 9, 6}));
       }},
      {"b.wuz", [](OeffnenTest& t) { t.Dokument(); },
       [](OeffnenTest& t) {
         auto s = t.Neu();
         ASSERT_TRUE(s->Load(t.In("a.wuz")));
         const std::string vorher = Zustand(*s);
         t.plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, kKeineBuchungen);  // there is no b.bks
         try {
           s->Load(t.In("b.wuz"));
           ADD_FAILURE() << "no IoError";
         } catch (const IoError& e) {
           EXPECT_EQ(e.Meldung, kDateiOeffnen + (t.In("b.wuz")));
         }
         EXPECT_EQ(Zustand(*s), vorher);
       }},
      {"a.bks",
       [](OeffnenTest& t) {
         t.Dokument();
         std::filesystem::remove(t.In("a.bks"));
       },
       [](OeffnenTest& t) {
         // The document is opened without its bookings, as with a bookings file it may not read.
         auto s = t.Neu();
         t.plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, kKeineBuchungen);
         ASSERT_TRUE(s->Load(t.In("a.wuz")));
         EXPECT_EQ(s->Personen.Anzahl, 1);
         EXPECT_EQ(s->Buchungen.Anzahl, 0);
         EXPECT_FALSE(s->BuchungenGeladen);
         // Asked again (the bookings window), it is refused again and nothing changes.
         const std::string vorher = Zustand(*s);
         t.plattform.ExpectBox("Hinweis", 64, plattform::ID_OK, kKeineBuchungen);
         s->LoadBuchungen();
         EXPECT_EQ(Zustand(*s), vorher);
       }},
  };
  for (const Oeffner& o : oeffner) {
    SCOPED_TRACE(o.datei);
    ordner.emplace();  // each opener in a folder of its own
    o.vorher(*this);
    Rohr(o.datei);
    {
      Wecker wecker(5);
      o.pruefe(*this);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(In(o.datei)));
    plattform.VerifyAllBoxesShown();
  }
}

// The protocol log and the access log may go to a character device such as /dev/null.
TEST_F(OeffnenTest, ALogMayBeACharacterDevice) {
  std::filesystem::create_symlink("/dev/null", In("log_Com2.log"));
  std::filesystem::create_symlink("/dev/null", In("zkprot.log"));
  SchreibeDatei(In("Wup.ini"), "[Global]\nLOG=1\n");
  auto s = Neu();
  EXPECT_TRUE(s->Protokoll);
  EXPECT_TRUE(s->ProtokollDatei);
  EXPECT_TRUE(SchreibeZugriff(ordner->Pfad(), {2026, 3, 7, 14, 5, 9, 6}));
  s->SetProtokoll(0);
  EXPECT_TRUE(std::filesystem::is_symlink(In("log_Com2.log")));
}

}  // namespace
