#include "model/Array.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/Fehler.h"
#include "model/Records.h"

namespace {

// An element that counts how many of its kind are alive, to see what the list frees.
struct Element {
  static inline int Lebend = 0;
  int Wert;
  explicit Element(int wert) : Wert(wert) { ++Lebend; }
  ~Element() { --Lebend; }
};

class ArrayTest : public testing::Test {
 protected:
  void SetUp() override { Element::Lebend = 0; }

  void Fuelle(std::initializer_list<int> werte) {
    for (int w : werte) liste.Append(new Element(w));
  }

  // The values along Next from Kopf, checking positions, back links and Find on the way.
  std::vector<int> Werte() {
    std::vector<int> werte;
    ArrayElement<Element*>* vorher = nullptr;
    for (ArrayElement<Element*>* k = liste.Kopf; k != nullptr; k = k->Next) {
      EXPECT_EQ(k->Index, static_cast<int>(werte.size()));
      EXPECT_EQ(k->Prev, vorher);
      werte.push_back(k->Daten->Wert);
      vorher = k;
    }
    EXPECT_EQ(static_cast<int>(werte.size()), liste.Anzahl);
    for (int i = 0; i < liste.Anzahl; ++i) EXPECT_EQ(liste.Find(i)->Daten->Wert, werte[static_cast<std::size_t>(i)]);
    return werte;
  }

  Array<Element*> liste;
};

template <typename F>
std::string Meldung(F f) {
  try {
    f();
  } catch (const ListError& e) {
    return e.Meldung;
  }
  return "(nothing thrown)";
}

TEST_F(ArrayTest, FindAnDerPositionAnzahlLiefertNullOhneFehler) {
  Fuelle({10, 11, 12});
  liste.Find(1);
  EXPECT_EQ(liste.Find(3), nullptr);
  EXPECT_EQ(liste.Cursor, nullptr);
}

TEST_F(ArrayTest, FindAusserhalbMeldetDiePositionUndLaesstDenCursor) {
  Fuelle({10, 11, 12});
  ArrayElement<Element*>* gefunden = liste.Find(1);
  ASSERT_EQ(gefunden->Daten->Wert, 11);
  EXPECT_EQ(Meldung([&] { liste.Find(4); }), "Element out of Index at: 4");
  EXPECT_EQ(Meldung([&] { liste.Find(-1); }), "Element out of Index at: -1");
  EXPECT_EQ(liste.Cursor, gefunden);
}

TEST_F(ArrayTest, FindInLeererListe) {
  EXPECT_EQ(liste.Find(0), nullptr);
  EXPECT_EQ(Meldung([&] { liste.Find(1); }), "Element out of Index at: 1");
}

TEST_F(ArrayTest, RemoveMeldetFehlendeUndUngueltigePositionen) {
  Fuelle({10, 11, 12});
  EXPECT_EQ(Meldung([&] { liste.Remove(3); }), " Element not found 3");
  EXPECT_EQ(Meldung([&] { liste.Remove(7); }), "Element out of Index at: 7");
  EXPECT_EQ(Meldung([&] { liste.Remove(-2); }), "Element out of Index at: -2");
  EXPECT_EQ(Werte(), (std::vector<int>{10, 11, 12}));
  EXPECT_EQ(Element::Lebend, 3);
}

struct Entfernen {
  int Position;
  std::vector<int> Rest;
};

void PrintTo(const Entfernen& e, std::ostream* os) { *os << "Position " << e.Position; }

class ArrayRemove : public ArrayTest, public testing::WithParamInterface<Entfernen> {};

TEST_P(ArrayRemove, NummeriertDieFolgendenNeuUndGibtDasElementFrei) {
  Fuelle({10, 11, 12, 13});
  liste.Remove(GetParam().Position);
  EXPECT_EQ(liste.Cursor, nullptr);
  EXPECT_EQ(Element::Lebend, 3);
  EXPECT_EQ(liste.Kopf->Prev, nullptr);
  EXPECT_EQ(Werte(), GetParam().Rest);
  liste.Append(new Element(14));
  EXPECT_EQ(liste.Find(3)->Daten->Wert, 14);
  EXPECT_EQ(liste.Find(3)->Prev, liste.Find(2));
}

INSTANTIATE_TEST_SUITE_P(Array, ArrayRemove,
                         testing::Values(Entfernen{0, {11, 12, 13}}, Entfernen{1, {10, 12, 13}},
                                         Entfernen{2, {10, 11, 13}}, Entfernen{3, {10, 11, 12}}),
                         [](const testing::TestParamInfo<Entfernen>& info) {
                           return "Position" + std::to_string(info.param.Position);
                         });

TEST_F(ArrayTest, RemoveDesEinzigenElementsLeertDieListe) {
  Fuelle({10});
  liste.Remove(0);
  EXPECT_EQ(liste.Anzahl, 0);
  EXPECT_EQ(liste.Kopf, nullptr);
  EXPECT_EQ(liste.Cursor, nullptr);
  EXPECT_EQ(Element::Lebend, 0);
  liste.Append(new Element(20));
  EXPECT_EQ(liste.Kopf->Index, 0);
  EXPECT_EQ(liste.Kopf->Prev, nullptr);
  EXPECT_EQ(liste.Kopf->Next, nullptr);
  EXPECT_EQ(Werte(), std::vector<int>{20});
}

struct Auswahl {
  const char* Fall;
  std::vector<int> Werte;
  std::vector<int> Rest;  // what stays when the even values go
};

void PrintTo(const Auswahl& a, std::ostream* os) { *os << a.Fall; }

class ArrayRemoveIf : public ArrayTest, public testing::WithParamInterface<Auswahl> {};

TEST_P(ArrayRemoveIf, EntferntInEinemDurchgangUndNummeriertNeu) {
  for (int w : GetParam().Werte) liste.Append(new Element(w));
  liste.Find(0);
  const int entfernt = liste.RemoveIf([](const Element& e) { return e.Wert % 2 == 0; });
  EXPECT_EQ(entfernt, static_cast<int>(GetParam().Werte.size() - GetParam().Rest.size()));
  EXPECT_EQ(Element::Lebend, static_cast<int>(GetParam().Rest.size()));
  EXPECT_EQ(liste.Cursor, nullptr);
  EXPECT_EQ(Werte(), GetParam().Rest);
  if (liste.Kopf != nullptr) {
    EXPECT_EQ(liste.Kopf->Prev, nullptr);
  }
  liste.Append(new Element(99));
  EXPECT_EQ(liste.Find(liste.Anzahl - 1)->Daten->Wert, 99);
  EXPECT_EQ(Werte().back(), 99);
}

INSTANTIATE_TEST_SUITE_P(Array, ArrayRemoveIf,
                         testing::Values(Auswahl{"Gemischt", {10, 11, 12, 13, 15, 16}, {11, 13, 15}},
                                         Auswahl{"Alle", {2, 4, 6}, {}}, Auswahl{"Keines", {1, 3}, {1, 3}},
                                         Auswahl{"KopfUndEnde", {2, 3, 5, 8}, {3, 5}}, Auswahl{"Leer", {}, {}}),
                         [](const testing::TestParamInfo<Auswahl>& info) { return std::string(info.param.Fall); });

TEST_F(ArrayTest, AppendLaesstDenCursorAufDemBisherigenEnde) {
  liste.Append(new Element(10));
  EXPECT_EQ(liste.Cursor, nullptr);
  liste.Append(new Element(11));
  EXPECT_EQ(liste.Cursor, liste.Kopf);
  liste.Append(new Element(12));
  EXPECT_EQ(liste.Cursor, liste.Kopf->Next);
  EXPECT_EQ(Werte(), (std::vector<int>{10, 11, 12}));
}

TEST_F(ArrayTest, ClearGibtAllesFreiUndAppendBeginntWiederBeiNull) {
  Fuelle({10, 11, 12});
  liste.Find(2);
  liste.Clear();
  EXPECT_EQ(liste.Anzahl, 0);
  EXPECT_EQ(liste.Kopf, nullptr);
  EXPECT_EQ(liste.Cursor, nullptr);
  EXPECT_EQ(Element::Lebend, 0);
  liste.Append(new Element(30));
  EXPECT_EQ(liste.Find(0)->Index, 0);
  EXPECT_EQ(Werte(), std::vector<int>{30});
}

TEST_F(ArrayTest, DieListeGibtIhreElementeFreiWennSieEndet) {
  {
    Array<Element*> lokal;
    lokal.Append(new Element(1));
    lokal.Append(new Element(2));
    EXPECT_EQ(Element::Lebend, 2);
  }
  EXPECT_EQ(Element::Lebend, 0);
}

TEST_F(ArrayTest, VerschiebenUebergibtDieElemente) {
  Array<Element*> neu;
  neu.Append(new Element(1));
  neu.Append(new Element(2));
  Fuelle({10, 11, 12});
  liste = std::move(neu);
  EXPECT_EQ(Element::Lebend, 2);
  EXPECT_EQ(neu.Anzahl, 0);
  EXPECT_EQ(neu.Kopf, nullptr);
  EXPECT_EQ(neu.Find(0), nullptr);
  EXPECT_EQ(Werte(), (std::vector<int>{1, 2}));
}

TEST_F(ArrayTest, AppendAllHaengtDieElementeDerAnderenListeInIhrerFolgeAn) {
  for (std::initializer_list<int> vorne : {std::initializer_list<int>{}, {10, 11}}) {
    liste.Clear();
    Fuelle(vorne);
    Array<Element*> andere;
    andere.Append(new Element(1));
    andere.Append(new Element(2));
    liste.AppendAll(andere);
    std::vector<int> erwartet(vorne);
    erwartet.insert(erwartet.end(), {1, 2});
    EXPECT_EQ(Werte(), erwartet);
    EXPECT_EQ(andere.Anzahl, 0);
    EXPECT_EQ(andere.Kopf, nullptr);
    EXPECT_EQ(Element::Lebend, static_cast<int>(erwartet.size()));
    liste.Append(new Element(3));
    EXPECT_EQ(liste.Find(liste.Anzahl - 1)->Prev->Daten->Wert, 2);
  }
}

TEST_F(ArrayTest, GehtMitDenRecordsDesDokuments) {
  Array<PERSON*> personen;
  auto* p = new PERSON;
  SchreibeText(p->Name, "Meier");
  personen.Append(p);
  EXPECT_EQ(LiesText(personen.Find(0)->Daten->Name), "Meier");
  EXPECT_EQ(LiesText(personen.Find(0)->Daten->Profil), "nie");
}

TEST(Fehler, MeldungenSetzenSichAusIhrenTeilenZusammen) {
  EXPECT_EQ(KommError("Kommunikationsfehler ", "Com2").Meldung, "Kommunikationsfehler Com2");
  EXPECT_EQ(IoError("Kann Datei nicht \xC3\xB6"
                    "ffnen: ",
                    "/tmp/a.zut")
                .Meldung,
            "Kann Datei nicht \xC3\xB6"
            "ffnen: /tmp/a.zut");
  EXPECT_EQ(StdError("kein Speicher").Meldung, "kein Speicher");
  EXPECT_EQ(ListError(" Element not found ", 3).Meldung, " Element not found 3");
}

}  // namespace
