// The transfer of the holiday table and the summer/winter switch pairs between document and
// controller. The table's day numbers count from the reference year; the controller may hold
// another one, and a controller with old firmware knows only 1998.
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "document/Steuerung.h"
#include "link/AntwortScanner.h"
#include "link/Befehle.h"
#include "link/TelegrammTexte.h"
#include "link/Uebertragung.h"
#include "model/Fehler.h"
#include "model/FeiertagsRebase.h"
#include "platform/Plattform.h"
#include "text/Texte.h"
#include "transfer/TransferRahmen.h"

namespace {

constexpr std::size_t kBlockgroesse = 64;
constexpr std::uint16_t kJahrAlteFirmware = 1998;
constexpr int kLeererSpeicher = -1;  // the reference year of a controller with empty memory
constexpr int kFruehestesBezugsjahr = 1900;

// "%d" of the block index, then 64 times " %d" of the entries as unsigned 16-bit values.
std::string Blocktext(const Feiertagstabelle& tabelle, std::size_t block) {
  std::string text = std::to_string(block);
  for (std::size_t i = block * kBlockgroesse; i < (block + 1) * kBlockgroesse; ++i) {
    text += ' ';
    text += std::to_string(tabelle[i]);
  }
  return text;
}

// "%d.%d.%d %d.%d.%d %d"
std::string Umschalttext(const SWUMSCHALTUNG& p) {
  return std::to_string(p.Tag1) + '.' + std::to_string(p.Monat1) + '.' + std::to_string(p.Jahr1) + ' ' +
         std::to_string(p.Tag2) + '.' + std::to_string(p.Monat2) + '.' + std::to_string(p.Jahr2) + ' ' +
         std::to_string(p.Kennung);
}

}  // namespace

bool TSteuerung::SendeFeiertage(plattform::ProgressWindow& status) {
  plattform::ProgressBar& balken = status.Item();
  status.SetLabel2(Fortschritt(Texte::fortschritt::SendeFeiertage));
  balken.SetMax(100);
  AnzahlFeiertage = 0;

  Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimSendenDerFeiertage));

  // The telegrams are made from a copy: for old firmware it is rebased to 1998 and loses the
  // special days, while the document keeps its table and reference year.
  ::Feiertagstabelle tabelle = Feiertagstabelle;
  std::uint16_t bezugsjahr = Geraetedaten.Bezugsjahr;
  if (AlteFirmware) {
    if (plattform::Current().MessageBox(Texte::TextAlteFirmware, Texte::AllgemeineTexte[Texte::allgemein::Hinweis],
                                        plattform::MB_YESNO_WARN) != plattform::ID_YES) {
      u.Schliessen();
      return true;
    }
    ::FeiertageAuf1998(tabelle, bezugsjahr);
  } else {
    status.SetLabel1(Fortschritt(Texte::fortschritt::SendeBezugsjahr));
    balken.StepIt();
    SendeText = std::to_string(static_cast<std::int16_t>(bezugsjahr));
    u.Kommando(befehl::Bezugsjahr, SendeText, kAntwortAck);
  }

  // The switch pairs are not stored in the document file: they are built from the table here,
  // so a document that was opened or fetched sends its switch days as well.
  BaueUmschaltungen();

  // A table without a marker is sent with the marker in its last entry, so the blocks never
  // reach past the table's 4096 entries.
  AnzahlFeiertage = static_cast<std::uint16_t>(SichereFeiertagsEnde(tabelle));
  const std::size_t bloecke = AnzahlFeiertage / kBlockgroesse;
  balken.SetMax(static_cast<int>(bloecke) + SWUmschaltungen.Anzahl + 1);

  status.SetLabel1(Fortschritt(Texte::fortschritt::SendeAnzahlFeiertagebloecke));
  balken.StepIt();
  SendeText = std::to_string(bloecke);
  u.Kommando(befehl::Blockanzahl, SendeText, kAntwortAck);

  for (std::size_t i = 0; i <= bloecke; ++i) {
    status.SetLabel1(Formatiert("%s %zu ", Fortschritt(Texte::fortschritt::SendeBlock), i));
    balken.StepIt();
    SendeText = Blocktext(tabelle, i);
    balken.StepIt();
    u.Kommando(befehl::Block, SendeText, kAntwortAck);
  }

  SendeText.clear();
  u.Kommando(befehl::UmschaltlisteAnfang, SendeText, kAntwortAck);
  status.SetLabel1(Fortschritt(Texte::fortschritt::SendeSommerWinterumschaltung));
  balken.StepIt();
  for (ArrayElement<SWUMSCHALTUNG*>* k = SWUmschaltungen.Kopf; k != nullptr; k = k->Next) {
    if (k->Daten == nullptr) continue;
    SendeText = Umschalttext(*k->Daten);
    u.Kommando(befehl::Umschaltpaar, SendeText, kAntwortAck);
    balken.StepIt();
  }

  u.Schliessen();
  return true;
}

bool TSteuerung::HoleFeiertage(plattform::ProgressWindow& status) {
  plattform::ProgressBar& balken = status.Item();
  HolePosition = 0;
  status.SetLabel2(Fortschritt(Texte::fortschritt::HoleFeiertage));
  balken.SetMax(100);

  // The table is built apart; the document takes it, with the reference year, only when the
  // whole fetch succeeded.
  ::Feiertagstabelle tabelle{};

  Uebertragung u = UebertragungVon(*this, Suffix(Texte::kommfehler::BeimLesenDerFeiertage));
  SendeText.clear();
  u.Kommando(befehl::BlockanzahlHolen, SendeText, befehl::Blockanzahl);
  int bloecke = 0;
  AntwortScanner(AntwortPuffer).Zahl(bloecke, 0, std::numeric_limits<int>::max() - 2);
  balken.SetMax(bloecke + 2);

  bool markeGelesen = false;
  for (int i = 0; i < bloecke && !markeGelesen; ++i) {
    SendeText = std::to_string(i);
    status.SetLabel1(Formatiert("%s %d ", Fortschritt(Texte::fortschritt::HoleBlock), i + 1));
    balken.StepIt();
    u.Kommando(befehl::BlockHolen, SendeText, befehl::Block);
    markeGelesen = LeseFeiertagsblock(tabelle) == 2;
  }
  // Blocks that ended without a marker: it goes where the next entry would have gone.
  if (!markeGelesen) tabelle[static_cast<std::size_t>(HolePosition)] = FT_ENDE;
  const std::uint16_t anzahl = static_cast<std::uint16_t>(HolePosition);

  std::uint16_t bezugsjahr = Geraetedaten.Bezugsjahr;
  if (AlteFirmware) {
    bezugsjahr = kJahrAlteFirmware;
  } else {
    status.SetLabel1(Fortschritt(Texte::fortschritt::HoleBezugsjahr));
    balken.StepIt();
    SendeText.clear();
    u.Kommando(befehl::BezugsjahrHolen, SendeText, befehl::Bezugsjahr);
    std::int32_t jahr = 0;
    if (AntwortScanner(AntwortPuffer).Zahl(jahr).Ok()) {
      if (jahr == kLeererSpeicher) throw IoError("Steuerung hat leeren Flash, ", "Daten holen unmöglich.");
      bezugsjahr = static_cast<std::uint16_t>(jahr);
    }
    if (static_cast<std::int16_t>(bezugsjahr) < kFruehestesBezugsjahr) {
      throw IoError("Bezugsjahr der Steuerung liegt vor 1900, ", "Übernahme der Feiertage unmöglich.");
    }
  }
  ::VerschiebeFeiertage(tabelle, bezugsjahr, AktuellesJahr);

  u.Schliessen();
  Feiertagstabelle = tabelle;
  Geraetedaten.Bezugsjahr = bezugsjahr;
  AnzahlFeiertage = anzahl;
  return true;
}

int TSteuerung::LeseFeiertagsblock(::Feiertagstabelle& tabelle) {
  if (HolePosition < 0 || static_cast<std::size_t>(HolePosition) >= FEIERTAGE_MAX) return 2;
  const std::string_view antwort(AntwortPuffer, strnlen(AntwortPuffer, sizeof AntwortPuffer));
  // The block index and its blank come first.
  std::size_t anfang = antwort.find(' ');
  if (anfang == std::string_view::npos) return 0;
  ++anfang;
  for (;;) {
    // A value counts only when a blank follows it.
    const std::size_t ende = antwort.find(' ', anfang);
    if (ende == std::string_view::npos) return 0;
    std::int32_t wert = 0;
    AntwortScanner(antwort.substr(anfang, ende - anfang)).Zahl(wert);
    anfang = ende + 1;
    const auto position = static_cast<std::size_t>(HolePosition);
    tabelle[position] = static_cast<Feiertagseintrag>(wert);
    // The last entry of the table can only hold the marker.
    if (position == FEIERTAGE_MAX - 1 && !IstEndeMarke(tabelle[position])) tabelle[position] = FT_ENDE;
    if (IstEndeMarke(tabelle[position])) return 2;
    ++HolePosition;
  }
}
