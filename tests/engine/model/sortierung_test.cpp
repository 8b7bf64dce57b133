// Sorting the bookings and persons lists: the order must be exactly the exchange sort's,
// ties included, because the files keep it. The reference is the exchange sort itself, written
// out over a plain vector (support/Tauschsortierung.h).
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/Steuerung.h"
#include "model/Array.h"
#include "model/Records.h"
#include "model/Vergleiche.h"

#include "ScriptedPlattform.h"
#include "Tauschsortierung.h"
#include "common/TempOrdner.h"
#include "common/Textfeld.h"

namespace {

// Text fields from a few values, so most lists hold many ties: empty, capitals before small
// letters, an umlaut byte, a common prefix, and a field filled to its end without a NUL (or
// with bytes after the NUL, which must not count). A large variety gives numbers as texts.
template <std::size_t N>
void ZufallsText(char (&feld)[N], std::mt19937& zufall, int vielfalt) {
  if (vielfalt > 8) {
    SchreibeText(feld, "K" + std::to_string(std::uniform_int_distribution<int>(0, vielfalt)(zufall)));
    return;
  }
  switch (std::uniform_int_distribution<int>(0, vielfalt)(zufall)) {
    case 0: SchreibeText(feld, ""); break;
    case 1: SchreibeText(feld, "Meier"); break;
    case 2: SchreibeText(feld, "Mei"); break;
    case 3: SchreibeText(feld, "meier"); break;
    case 4: SchreibeText(feld, "M\xFCller"); break;  // Windows-1252 "Müller"
    case 5: std::memset(feld, 'M', N); break;
    case 6:
      std::memset(feld, 'M', N);
      feld[N - 1] = 'N';
      break;
    case 7:
      SchreibeText(feld, "Z");
      feld[3] = 'x';
      break;
    default: SchreibeText(feld, "Zander"); break;
  }
}

std::uint16_t ZufallsZahl(std::mt19937& zufall, int vielfalt) {
  return static_cast<std::uint16_t>(std::uniform_int_distribution<int>(0, vielfalt)(zufall) * 7919 % 65536);
}

books ZufallsBuchung(std::mt19937& zufall, int vielfalt) {
  books b;
  ZufallsText(b.Name, zufall, vielfalt);
  ZufallsText(b.Karte, zufall, vielfalt);
  const int zeitVielfalt = std::max(1, vielfalt / 3);
  b.Jahr = ZufallsZahl(zufall, zeitVielfalt);
  b.Monat = ZufallsZahl(zufall, zeitVielfalt);
  b.Tag = ZufallsZahl(zufall, zeitVielfalt);
  b.Stunde = ZufallsZahl(zufall, zeitVielfalt);
  b.Minute = ZufallsZahl(zufall, zeitVielfalt);
  b.Sekunde = ZufallsZahl(zufall, zeitVielfalt);
  return b;
}

PERSON ZufallsPerson(std::mt19937& zufall, int vielfalt) {
  PERSON p;
  ZufallsText(p.Name, zufall, vielfalt);
  ZufallsText(p.Karte, zufall, vielfalt);
  ZufallsText(p.Profil, zufall, vielfalt);
  return p;
}

// Sorts random lists with both directions and checks each against the exchange sort: the
// same element pointers in the same order, each node still at its place with its position.
template <typename E, typename Erzeuger>
void VergleicheMitTauschsortierung(int (*vergleiche)(const E*, const E*), Erzeuger erzeuge) {
  std::mt19937 zufall(4711);
  struct Groesse {
    int Listen, MinLaenge, MaxLaenge, Vielfalt;
  };
  // Many short lists of every shape, long lists with long classes of equals, and long lists
  // with few to many distinct keys (a thousand and more take the sort's other way).
  for (const Groesse g : {Groesse{3000, 0, 24, 8}, Groesse{400, 25, 120, 4}, Groesse{6, 1500, 2500, 2},
                          Groesse{2, 1100, 1400, 700}, Groesse{3, 1100, 1400, 6000}}) {
    for (int liste = 0; liste < g.Listen; ++liste) {
      const int n = std::uniform_int_distribution<int>(g.MinLaenge, g.MaxLaenge)(zufall);
      const int vielfalt = std::uniform_int_distribution<int>(1, g.Vielfalt)(zufall);
      for (int richtung : {0, 1}) {
        Array<E*> array;
        for (int i = 0; i < n; ++i) array.Append(new E(erzeuge(zufall, vielfalt)));
        std::vector<ArrayElement<E*>*> knoten;
        for (auto* k = array.Kopf; k != nullptr; k = k->Next) knoten.push_back(k);
        const auto erwartet = Tauschsortierung(Inhalt(array), vergleiche, richtung);

        array.Sortiere(vergleiche, richtung);

        ASSERT_EQ(Inhalt(array), erwartet) << "length " << n << ", direction " << richtung << ", list " << liste;
        ASSERT_EQ(array.Anzahl, n);
        for (int i = 0; i < n; ++i) {
          ASSERT_EQ(array.Find(i), knoten[static_cast<std::size_t>(i)]);
          ASSERT_EQ(knoten[static_cast<std::size_t>(i)]->Index, i);
        }
      }
    }
  }
}

TEST(Sortierung, BuchungenNachNameWieDieTauschsortierung) {
  VergleicheMitTauschsortierung<books>(VergleicheBuchungName, ZufallsBuchung);
}
TEST(Sortierung, BuchungenNachKarteWieDieTauschsortierung) {
  VergleicheMitTauschsortierung<books>(VergleicheBuchungKarte, ZufallsBuchung);
}
TEST(Sortierung, BuchungenNachZeitWieDieTauschsortierung) {
  VergleicheMitTauschsortierung<books>(VergleicheBuchungZeit, ZufallsBuchung);
}
TEST(Sortierung, PersonenNachNameWieDieTauschsortierung) {
  VergleicheMitTauschsortierung<PERSON>(VergleichePersonName, ZufallsPerson);
}
TEST(Sortierung, PersonenNachKarteWieDieTauschsortierung) {
  VergleicheMitTauschsortierung<PERSON>(VergleichePersonKarte, ZufallsPerson);
}
TEST(Sortierung, PersonenNachProfilWieDieTauschsortierung) {
  VergleicheMitTauschsortierung<PERSON>(VergleichePersonProfil, ZufallsPerson);
}

// ---- the compare functions ----

struct TextFall {
  const char* Fall;
  std::string A;  // the field's bytes; shorter than the field: the rest is NUL
  std::string B;
  int Ergebnis;
};

void PrintTo(const TextFall& f, std::ostream* os) { *os << f.Fall; }

class TextVergleich : public testing::TestWithParam<TextFall> {};

int Vorzeichen(int c) { return (c > 0) - (c < 0); }

TEST_P(TextVergleich, GiltFuerJedesTextfeld) {
  const TextFall& f = GetParam();
  books a, b;
  PERSON p, q;
  Fuelle(a.Name, f.A), Fuelle(b.Name, f.B);
  Fuelle(a.Karte, f.A), Fuelle(b.Karte, f.B);
  Fuelle(p.Name, f.A), Fuelle(q.Name, f.B);
  Fuelle(p.Karte, f.A), Fuelle(q.Karte, f.B);
  Fuelle(p.Profil, f.A), Fuelle(q.Profil, f.B);
  EXPECT_EQ(Vorzeichen(VergleicheBuchungName(&a, &b)), f.Ergebnis);
  EXPECT_EQ(Vorzeichen(VergleicheBuchungKarte(&a, &b)), f.Ergebnis);
  EXPECT_EQ(Vorzeichen(VergleichePersonName(&p, &q)), f.Ergebnis);
  EXPECT_EQ(Vorzeichen(VergleichePersonKarte(&p, &q)), f.Ergebnis);
  EXPECT_EQ(Vorzeichen(VergleichePersonProfil(&p, &q)), f.Ergebnis);
}

INSTANTIATE_TEST_SUITE_P(
    Sortierung, TextVergleich,
    testing::Values(TextFall{"Gleich", "Meier", "Meier", 0}, TextFall{"Leer", "", "", 0},
                    TextFall{"LeerVorText", "", "A", -1}, TextFall{"KuerzerVorLaenger", "Mei", "Meier", -1},
                    TextFall{"GrossVorKlein", "Zander", "adam", -1}, TextFall{"KleinNachGross", "a", "Z", 1},
                    TextFall{"UmlautNachAscii", "\xE4", "z", 1}, TextFall{"SzNachUmlautA", "\xDF", "\xC4", 1},
                    TextFall{"NachDemNulZaehltNichts", std::string("Ab\0x", 4), std::string("Ab\0y", 4), 0},
                    // twelve bytes fill the shortest field (Profil) without a NUL
                    TextFall{"OhneNulBisZumFeldende", "ABCDEFGHIJKL", "ABCDEFGHIJKL", 0},
                    TextFall{"OhneNulGegenKuerzer", "ABCDEFGHIJKL", "ABCDEFGHIJK", 1}),
    [](const testing::TestParamInfo<TextFall>& info) { return std::string(info.param.Fall); });

TEST(Sortierung, TextOhneNulWirdNurBisZumFeldendeGelesen) {
  // Two profile names without a NUL that differ only in the bytes after the field.
  PERSON p, q;
  std::memset(p.Profil, 'A', sizeof p.Profil);
  std::memset(q.Profil, 'A', sizeof q.Profil);
  p.Status1 = 1;
  q.Status1 = 2;
  EXPECT_EQ(VergleichePersonProfil(&p, &q), 0);
}

TEST(Sortierung, ZeitEntscheidetDasErsteVerschiedeneFeld) {
  std::uint16_t books::*const felder[] = {&books::Jahr,   &books::Monat,  &books::Tag,
                                          &books::Stunde, &books::Minute, &books::Sekunde};
  for (int feld = 0; feld < 6; ++feld) {
    books a, b;
    for (auto f : felder) a.*f = b.*f = 30;
    a.*felder[feld] = 31;
    // every later field smaller in A does not count
    for (int spaeter = feld + 1; spaeter < 6; ++spaeter) a.*felder[spaeter] = 0;
    EXPECT_EQ(Vorzeichen(VergleicheBuchungZeit(&a, &b)), 1) << feld;
    EXPECT_EQ(Vorzeichen(VergleicheBuchungZeit(&b, &a)), -1) << feld;
  }
  books a, b;
  a.Jahr = 65535;  // unsigned: the largest year sorts last
  b.Jahr = 1;
  EXPECT_EQ(Vorzeichen(VergleicheBuchungZeit(&a, &b)), 1);
  EXPECT_EQ(VergleicheBuchungZeit(&a, &a), 0);
}

// ---- through the document ----

class SortierungDokument : public testing::Test {
 protected:
  void Personen(std::initializer_list<const char*> namen) {
    for (const char* name : namen) {
      auto* p = new PERSON;
      SchreibeText(p->Name, name);
      s.Personen.Append(p);
    }
  }
  std::vector<std::string> Namen() {
    std::vector<std::string> namen;
    for (auto* k = s.Personen.Kopf; k != nullptr; k = k->Next) namen.push_back(LiesText(k->Daten->Name));
    return namen;
  }

  ScriptedPlattform plattform;
  TempOrdner ordner;
  TSteuerung s{2026, ordner.Pfad()};
};

TEST_F(SortierungDokument, GleicheKoennenDurchEinenDrittenTauschenDieFolgeWechseln) {
  Personen({"B", "B", "A"});
  const PERSON* b1 = s.Personen.Find(0)->Daten;
  const PERSON* b2 = s.Personen.Find(1)->Daten;
  s.SortierePersonen(0, 0);
  EXPECT_EQ(Namen(), (std::vector<std::string>{"A", "B", "B"}));
  EXPECT_EQ(s.Personen.Find(1)->Daten, b2);
  EXPECT_EQ(s.Personen.Find(2)->Daten, b1);
}

TEST_F(SortierungDokument, GrossesZVorKleinemA) {
  Personen({"adam", "Zander", "berta"});
  s.SortierePersonen(0, 0);
  EXPECT_EQ(Namen(), (std::vector<std::string>{"Zander", "adam", "berta"}));
  s.SortierePersonen(0, 1);
  EXPECT_EQ(Namen(), (std::vector<std::string>{"berta", "adam", "Zander"}));
}

TEST_F(SortierungDokument, UnbekannterSchluesselOderRichtungLaesstDieListe) {
  Personen({"C", "A", "B"});
  for (const auto& [schluessel, richtung] : {std::pair{3, 0}, std::pair{-1, 0}, std::pair{0, 2}, std::pair{0, -1}}) {
    s.SortierePersonen(schluessel, richtung);
    EXPECT_EQ(Namen(), (std::vector<std::string>{"C", "A", "B"}));
  }
  auto* b = new books;
  SchreibeText(b->Name, "B");
  s.Buchungen.Append(b);
  auto* a = new books;
  SchreibeText(a->Name, "A");
  s.Buchungen.Append(a);
  s.SortiereBuchungen(3, 0);
  s.SortiereBuchungen(0, 2);
  EXPECT_EQ(s.Buchungen.Kopf->Daten, b);
  s.SortiereBuchungen(0, 0);
  EXPECT_EQ(s.Buchungen.Kopf->Daten, a);
}

// The lists are saved in their order: a sort that moves an element marks its list unsaved, one
// that moves nothing leaves the mark as it was.
TEST_F(SortierungDokument, EinSortierenDasVerschiebtMachtDieListeUngespeichert) {
  Personen({"B", "A"});
  s.DatenGespeichert = true;
  s.BuchungenGespeichert = true;
  s.SortierePersonen(0, 0);
  EXPECT_FALSE(s.DatenGespeichert);
  EXPECT_TRUE(s.BuchungenGespeichert);
  s.DatenGespeichert = true;
  s.SortierePersonen(0, 0);  // already in order
  EXPECT_TRUE(s.DatenGespeichert);

  for (const char* name : {"A", "B"}) {
    auto* b = new books;
    SchreibeText(b->Name, name);
    s.Buchungen.Append(b);
  }
  s.SortiereBuchungen(0, 0);
  EXPECT_TRUE(s.BuchungenGespeichert);
  s.SortiereBuchungen(0, 1);
  EXPECT_FALSE(s.BuchungenGespeichert);
  EXPECT_TRUE(s.DatenGespeichert);
}

TEST_F(SortierungDokument, LeereUndEinelementigeListeBleiben) {
  s.SortierePersonen(0, 0);
  EXPECT_EQ(s.Personen.Kopf, nullptr);
  Personen({"A"});
  const auto* kopf = s.Personen.Kopf;
  s.SortierePersonen(1, 1);
  EXPECT_EQ(s.Personen.Kopf, kopf);
  EXPECT_EQ(Namen(), std::vector<std::string>{"A"});
}

TEST_F(SortierungDokument, BuchungenNachJedemSchluessel) {
  struct B {
    const char* Name;
    const char* Karte;
    std::uint16_t Tag;
  };
  for (const B& x : {B{"Otto", "C1", 3}, B{"Anna", "A9", 2}, B{"Emil", "B5", 1}}) {
    auto* b = new books;
    SchreibeText(b->Name, x.Name);
    SchreibeText(b->Karte, x.Karte);
    b->Jahr = 2026;
    b->Tag = x.Tag;
    s.Buchungen.Append(b);
  }
  auto namen = [&] {
    std::string n;
    for (auto* k = s.Buchungen.Kopf; k != nullptr; k = k->Next) n += LiesText(k->Daten->Name) + " ";
    return n;
  };
  s.SortiereBuchungen(0, 0);
  EXPECT_EQ(namen(), "Anna Emil Otto ");
  s.SortiereBuchungen(1, 1);
  EXPECT_EQ(namen(), "Otto Emil Anna ");
  s.SortiereBuchungen(2, 0);
  EXPECT_EQ(namen(), "Emil Anna Otto ");
}

TEST_F(SortierungDokument, PersonenNachKarteUndProfil) {
  struct P {
    const char* Name;
    const char* Karte;
    const char* Profil;
  };
  for (const P& x : {P{"Otto", "B", "immer"}, P{"Anna", "C", "nie"}, P{"Emil", "A", "Buero"}}) {
    auto* p = new PERSON;
    SchreibeText(p->Name, x.Name);
    SchreibeText(p->Karte, x.Karte);
    SchreibeText(p->Profil, x.Profil);
    s.Personen.Append(p);
  }
  s.SortierePersonen(1, 0);
  EXPECT_EQ(Namen(), (std::vector<std::string>{"Emil", "Otto", "Anna"}));
  s.SortierePersonen(2, 0);
  EXPECT_EQ(Namen(), (std::vector<std::string>{"Emil", "Otto", "Anna"}));
  s.SortierePersonen(2, 1);
  EXPECT_EQ(Namen(), (std::vector<std::string>{"Anna", "Otto", "Emil"}));
}

}  // namespace
