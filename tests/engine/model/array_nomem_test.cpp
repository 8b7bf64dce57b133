// Append when memory runs out. This program replaces the global allocation functions so a
// test can make the n-th allocation from now fail.
#include <string>

#include <gtest/gtest.h>

#include "model/Array.h"
#include "model/Fehler.h"

#include "common/FehlendeAllokation.h"

namespace {

int g_fehlschlagIn = 0;  // 0: every allocation succeeds; n: the n-th from now fails

bool NteSchlaegtFehl(std::size_t) { return g_fehlschlagIn > 0 && --g_fehlschlagIn == 0; }

struct Element {
  static inline int Lebend = 0;
  Element() { ++Lebend; }
  ~Element() { --Lebend; }
};

// Appends to a list of 'vorher' elements while the n-th allocation fails.
struct Fall {
  int Vorher;
  int Fehlschlag;  // 1: the node, 2: the growth of the position table
};

void PrintTo(const Fall& f, std::ostream* os) { *os << f.Vorher << " vorher, Fehlschlag " << f.Fehlschlag; }

class AppendOhneSpeicher : public testing::TestWithParam<Fall> {};

TEST_P(AppendOhneSpeicher, LaesstListeUndEigentumUnveraendert) {
  Element::Lebend = 0;
  Array<Element*> liste;
  for (int i = 0; i < GetParam().Vorher; ++i) liste.Append(new Element);
  ArrayElement<Element*>* kopf = liste.Kopf;
  auto* element = new Element;

  std::string meldung;
  g_fehlschlagIn = GetParam().Fehlschlag;
  ybrtest::g_allokationsRegel = NteSchlaegtFehl;
  try {
    liste.Append(element);
  } catch (const StdError& e) {
    meldung = e.Meldung;
  }
  ybrtest::g_allokationsRegel = nullptr;
  g_fehlschlagIn = 0;

  EXPECT_EQ(meldung, "no mem for element in list");
  EXPECT_EQ(liste.Anzahl, GetParam().Vorher);
  EXPECT_EQ(liste.Kopf, kopf);
  EXPECT_EQ(liste.Find(GetParam().Vorher), nullptr);
  EXPECT_EQ(Element::Lebend, GetParam().Vorher + 1);  // the caller still owns it
  delete element;
  liste.Append(new Element);
  EXPECT_EQ(liste.Anzahl, GetParam().Vorher + 1);
  EXPECT_EQ(liste.Find(GetParam().Vorher)->Index, GetParam().Vorher);
}

// Lists of 0 and 1 element have a full position table, so the append must also grow it.
INSTANTIATE_TEST_SUITE_P(Array, AppendOhneSpeicher,
                         testing::Values(Fall{0, 1}, Fall{0, 2}, Fall{1, 1}, Fall{1, 2}, Fall{2, 1}),
                         [](const testing::TestParamInfo<Fall>& info) {
                           return "Vorher" + std::to_string(info.param.Vorher) + "Fehlschlag" +
                                  std::to_string(info.param.Fehlschlag);
                         });

// Moving a whole list to the tail of one whose position table is full needs a larger table.
TEST(AppendAllOhneSpeicher, LaesstBeideListenUnveraendert) {
  Element::Lebend = 0;
  Array<Element*> liste;
  Array<Element*> andere;
  liste.Append(new Element);
  andere.Append(new Element);
  andere.Append(new Element);
  std::string meldung;
  g_fehlschlagIn = 1;
  ybrtest::g_allokationsRegel = NteSchlaegtFehl;
  try {
    liste.AppendAll(andere);
  } catch (const StdError& e) {
    meldung = e.Meldung;
  }
  ybrtest::g_allokationsRegel = nullptr;
  g_fehlschlagIn = 0;
  EXPECT_EQ(meldung, "no mem for element in list");
  EXPECT_EQ(liste.Anzahl, 1);
  EXPECT_EQ(andere.Anzahl, 2);
  EXPECT_EQ(andere.Find(1)->Prev, andere.Kopf);
  EXPECT_EQ(Element::Lebend, 3);
}

}  // namespace
