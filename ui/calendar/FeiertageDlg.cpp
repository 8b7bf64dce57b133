#include "calendar/FeiertageDlg.h"

#include "document/Steuerung.h"
#include "platform/Plattform.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"

TIDD_BUILD_FD::TIDD_BUILD_FD(QWidget* parent) : fenster::TFormular(parent) {
  setupUi(this);
  setFixedSize(size());
  connect(Button1, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { Button1Click(); }); });
  connect(Button2, &QPushButton::clicked, this, [this] { done(fenster::mrOk); });
}

void TIDD_BUILD_FD::Init(TSteuerung* dokument) { Steuerung = dokument; }

Feiertagsauswahl TIDD_BUILD_FD::Auswahl() const {
  Feiertagsauswahl a;
  a.OsternPfingsten = CheckBox7->isChecked();
  a.ChristiHimmelfahrt = CheckBox12->isChecked();
  a.Maifeiertag = CheckBox10->isChecked();
  a.DeutscheEinheit = CheckBox11->isChecked();
  a.Weihnachten = CheckBox8->isChecked();
  a.SilvesterNeujahr = CheckBox9->isChecked();
  a.HeiligeDreiKoenige = CheckBox1->isChecked();
  a.Fronleichnam = CheckBox2->isChecked();
  a.MariaeHimmelfahrt = CheckBox3->isChecked();
  a.Reformationstag = CheckBox4->isChecked();
  a.Allerheiligen = CheckBox5->isChecked();
  a.BussUndBettag = CheckBox6->isChecked();
  a.SommerWinter = CheckBox13->isChecked();
  return a;
}

void TIDD_BUILD_FD::Button1Click() {
  const int bezugsjahr = Steuerung->Geraetedaten.Bezugsjahr;
  const int von = IDE_FROMYEAR->value();
  const int bis = IDE_TOYEAR->value();
  const QString hinweis = T(Texte::AllgemeineTexte[Texte::allgemein::Hinweis]);
  switch (PruefeJahre(bezugsjahr, von, bis)) {
    case Jahrespruefung::VonNachBis:
      fenster::MessageBox(QStringLiteral("Das Jahr bei \"von Jahr:\" liegt nach dem bei \"bis Jahr:\"."), hinweis,
                          plattform::MB_WARN);
      return;
    case Jahrespruefung::AusserBereich:
      // The day numbers of the table reach about 22 years from its reference year.
      fenster::MessageBox(QStringLiteral("Die Jahre liegen außerhalb des Bereichs der Feiertagstabelle."), hinweis,
                          plattform::MB_WARN);
      return;
    case Jahrespruefung::Ok: break;
  }
  if (fenster::MessageBox(T(Texte::TextFeiertageLoeschen), hinweis, plattform::MB_YESNO_ASK) != plattform::ID_YES) {
    return;
  }
  ErzeugeFeiertage(Steuerung->Feiertagstabelle, bezugsjahr, von, bis, Auswahl());
  // The pairs are built from the table again when the calendar closes or the holidays are sent.
  Steuerung->SWUmschaltungen.Clear();
  Steuerung->DatenGespeichert = false;
  fenster::MessageBox(QStringLiteral("Feiertagstabelle erstellt."), T(Texte::AllgemeineTexte[Texte::allgemein::Info]),
                      plattform::MB_OK_PLAIN);
}
