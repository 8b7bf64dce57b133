// Append when memory runs out. This program replaces the global allocation functions so a
// test can make the n-th allocation from now fail.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "Array.h"
#include "Fehler.h"

namespace {
int g_fehlschlagIn = 0;  // 0: every allocation succeeds; n: the n-th from now fails

void* Hole(std::size_t groesse) {
  if (g_fehlschlagIn > 0 && --g_fehlschlagIn == 0) throw std::bad_alloc();
  void* p = std::malloc(groesse == 0 ? 1 : groesse);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
}  // namespace

void* operator new(std::size_t groesse) { return Hole(groesse); }
void* operator new[](std::size_t groesse) { return Hole(groesse); }
void* operator new(std::size_t groesse, const std::nothrow_t&) noexcept {
  try {
    return Hole(groesse);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t groesse, const std::nothrow_t& nt) noexcept { return operator new(groesse, nt); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

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
  try {
    liste.Append(element);
  } catch (const StdError& e) {
    meldung = e.Meldung;
  }
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

}  // namespace
