#include "settings/AdvancedDlg.h"

#include <array>

#include <QCheckBox>

#include "document/Steuerung.h"
#include "model/Profile.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "shared/StatusDlg.h"

namespace {

constexpr std::uint32_t kTuerenInBetrieb = GD_TUER1 | GD_TUER2 | GD_TUER3;
constexpr std::uint32_t kOhneLeser = GD_TUER1_OHNE_LESER | GD_TUER2_OHNE_LESER | GD_TUER3_OHNE_LESER;

// Each grid box with its bit of the reader-to-door word and of the doors in use, in the order
// the word is built.
struct Feld {
  QCheckBox* TIDD_ADVANCED::*box;
  std::uint16_t leserTuerBit;
  std::uint16_t tuerBit;
};
constexpr std::array<Feld, 6> kRaster = {{
    {&TIDD_ADVANCED::door11, 0x01, 0x1},
    {&TIDD_ADVANCED::door12, 0x02, 0x2},
    {&TIDD_ADVANCED::door13, 0x04, 0x4},
    {&TIDD_ADVANCED::door21, 0x10, 0x1},
    {&TIDD_ADVANCED::door22, 0x20, 0x2},
    {&TIDD_ADVANCED::door23, 0x40, 0x4},
}};

void Setze(std::uint32_t& flags, std::uint32_t bit, bool an) { flags = an ? (flags | bit) : (flags & ~bit); }

}  // namespace

TIDD_ADVANCED::TIDD_ADVANCED(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  Label3->setText(T(Texte::Beschriftungen[Texte::beschriftung::LeserTuerzuordnung]));
  Label1->setText(T(Texte::Beschriftungen[Texte::beschriftung::Leser1]));
  Label2->setText(T(Texte::Beschriftungen[Texte::beschriftung::Leser2]));
  door11->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]));
  door12->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]));
  door13->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]));
  door21->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer1]));
  door22->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer2]));
  door23->setText(T(Texte::Beschriftungen[Texte::beschriftung::Tuer3MK]));
  IDCB_ANTIPASS->setText(T(Texte::Beschriftungen[Texte::beschriftung::DoppeltenZutrittPruefen]));
  IDCB_FAKECOMM->setText(QStringLiteral("Kommunikation simulieren"));
  TCPPortLabel->setText(QStringLiteral("TCP/IP Port:"));
  TCPPort->setToolTip(QStringLiteral("Kommunikationsport für TCP/IP Verbuindungen"));
  // Only the configuration file sets the TCP port; the window carries it through.
  TCPPortLabel->hide();
  TCPPort->hide();

  connect(BitBtn1, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { BitBtn1Click(); }); });
  connect(Button1, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { Button1Click(); }); });
}

void TIDD_ADVANCED::Init(TSteuerung* steuerung, int level, TIDD_STATUS* status) {
  if (level == 1) {
    fenster::MessageBox(T(Texte::TextExpertModus), T(Texte::AllgemeineTexte[Texte::allgemein::Hinweis]),
                        plattform::MB_WARN);
  }
  Steuerung = steuerung;
  StatusFenster = status;
  for (const Feld& f : kRaster) (this->*f.box)->setChecked((Steuerung->LeserTuerZuordnung & f.leserTuerBit) != 0);
  const bool zo10 = Steuerung->Geraetetyp == 0;
  for (QCheckBox* box : {door13, door21, door22, door23, IDCB_ANTIPASS, CheckBox1}) box->setEnabled(!zo10);
  door12->setText(T(Texte::Beschriftungen[zo10 ? Texte::beschriftung::Tuer2MK : Texte::beschriftung::Tuer2]));
  IDCB_ANTIPASS->setChecked((Steuerung->Geraetedaten.Flags & GD_ANTIPASSBACK) != 0);
  CheckBox1->setChecked((Steuerung->Geraetedaten.Flags & GD_SCHLEUSSE) != 0);
  // The box shows the one simulation switch there is, the link wrapper's.
  IDCB_FAKECOMM->setChecked(Steuerung->FakeComm());
}

void TIDD_ADVANCED::BitBtn1Click() {
  LeserTuerMaske = 0;
  TuerMaske = 0;
  // Disabled boxes count as they stand.
  for (const Feld& f : kRaster) {
    if (!(this->*f.box)->isChecked()) continue;
    LeserTuerMaske |= f.leserTuerBit;
    TuerMaske |= f.tuerBit;
  }
  done(fenster::mrOk);
}

void TIDD_ADVANCED::SchreibeZurueck() {
  TSteuerung& s = *Steuerung;
  s.SetFakeComm(IDCB_FAKECOMM->isChecked());
  bool zahl = false;
  const int port = TCPPort->text().toInt(&zahl);
  if (zahl) s.TCPPort = port;

  const std::uint16_t alteZuordnung = s.LeserTuerZuordnung;
  const std::uint32_t alteFlags = s.Geraetedaten.Flags;
  s.LeserTuerZuordnung = LeserTuerMaske;
  std::uint32_t& flags = s.Geraetedaten.Flags;
  // Also every bit above bit 15 goes.
  flags = (flags & (0xFFFFU & ~kTuerenInBetrieb)) | TuerMaske;
  Setze(flags, GD_ANTIPASSBACK, IDCB_ANTIPASS->isChecked());
  Setze(flags, GD_SCHLEUSSE, CheckBox1->isChecked());
  // Door 3 in use: no door opens without a reader.
  if ((flags & GD_TUER3) != 0) flags &= ~kOhneLeser;
  const bool linien = PasseZeitlinienAn(s.Profile, alteZuordnung, s.LeserTuerZuordnung);
  if (linien || s.LeserTuerZuordnung != alteZuordnung || flags != alteFlags) s.DatenGespeichert = false;
}

void TIDD_ADVANCED::Button1Click() {
  if (fenster::MessageBox(T(Texte::TextFlashLoeschen), T(Texte::AllgemeineTexte[Texte::allgemein::Hinweis]),
                          plattform::MB_OKCANCEL_WARN) != plattform::ID_OK) {
    return;
  }
  plattform::ProgressWindow& status = *StatusFenster;
  status.Overall().SetVisible(false);
  const int schritt = status.Item().Step();
  status.Item().SetStep(1);
  status.Item().SetPosition(0);
  status.SetLabel1(Texte::FortschrittsTexte[Texte::fortschritt::FlashLoeschen]);
  status.SetLabel2(Texte::FortschrittsTexte[Texte::fortschritt::WarteAufEnde]);
  // A failure closes the progress window before its box "Fehler".
  fenster::Geschuetzt([&] { Steuerung->LoescheFlash(status); }, [&] { status.Close(); });
  status.Overall().SetVisible(true);
  status.Item().SetStep(schritt);
  status.Hide();
}
