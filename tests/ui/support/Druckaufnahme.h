// A print target for tests: it records every job, page by page, with fixed measures: an A4
// page at 300 dots per inch (2480 x 3508) unless a test sets another size, every character
// 5 pixels high and 2 wide per point of the font size, "W" 4 wide ("W" at 10 points: 40 x 50,
// any other character 20 wide). Made with a target to pass the calls on to, it records them
// with that target's measures.
#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "printing/Druckziel.h"

class Druckaufnahme final : public drucken::Druckziel {
 public:
  struct TextEintrag {
    int x = 0;
    int y = 0;
    int groesse = 0;
    QString text;
    int breite = 0;      // as the target measured it; at most `eingepasst` for a narrowed text
    int eingepasst = 0;  // the width a text was narrowed to fit (EingepassterText); 0 for Text
  };
  struct LinienEintrag {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const LinienEintrag&) const = default;
  };
  struct Seite {
    std::vector<TextEintrag> texte;
    std::vector<LinienEintrag> linien;
    // The first text that is exactly `text`, or nothing.
    std::optional<TextEintrag> Finde(const QString& text) const;
    QStringList Texte() const;
  };
  struct Auftrag {
    QString titel;
    QString abschnitt;
    std::vector<Seite> seiten;
    bool beendet = false;
    bool abgebrochen = false;
  };

  Druckaufnahme() = default;
  explicit Druckaufnahme(drucken::Druckziel& weiter) : weiter_(&weiter) {}

  int breite = 2480;
  int hoehe = 3508;

  const std::vector<Auftrag>& Auftraege() const { return auftraege_; }
  QStringList Titel() const;

  void Beginne(const QString& titel, const QString& abschnitt) override;
  void NeueSeite() override;
  void Ende() override;
  void Abbrechen() noexcept override;
  void Schriftgroesse(int punkte) override;
  void Text(int x, int y, const QString& text) override;
  void EingepassterText(int x, int y, const QString& text, int breite) override;
  void Linie(int x1, int y1, int x2, int y2) override;
  int Textbreite(const QString& text) const override;
  int Texthoehe(const QString& text) const override;
  int Seitenbreite() const override { return weiter_ ? weiter_->Seitenbreite() : breite; }
  int Seitenhoehe() const override { return weiter_ ? weiter_->Seitenhoehe() : hoehe; }
  int Seitennummer() const override;

 private:
  // The last page of the job that runs; fails the test when none runs.
  Seite& AktuelleSeite();

  drucken::Druckziel* weiter_ = nullptr;
  std::vector<Auftrag> auftraege_;
  bool laeuft_ = false;
  int groesse_ = 0;
};
