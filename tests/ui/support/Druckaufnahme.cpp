#include "Druckaufnahme.h"

#include <algorithm>

#include <gtest/gtest.h>

std::optional<Druckaufnahme::TextEintrag> Druckaufnahme::Seite::Finde(const QString& text) const {
  for (const TextEintrag& t : texte) {
    if (t.text == text) return t;
  }
  return std::nullopt;
}

QStringList Druckaufnahme::Seite::Texte() const {
  QStringList liste;
  for (const TextEintrag& t : texte) liste << t.text;
  return liste;
}

QStringList Druckaufnahme::Titel() const {
  QStringList liste;
  for (const Auftrag& a : auftraege_) liste << a.titel;
  return liste;
}

void Druckaufnahme::Beginne(const QString& titel, const QString& abschnitt) {
  EXPECT_FALSE(laeuft_) << "a job begins while another runs";
  if (weiter_) weiter_->Beginne(titel, abschnitt);
  auftraege_.push_back({.titel = titel, .abschnitt = abschnitt, .seiten = {Seite{}}});
  laeuft_ = true;
}

void Druckaufnahme::NeueSeite() {
  EXPECT_TRUE(laeuft_) << "new page without a job";
  if (laeuft_) auftraege_.back().seiten.emplace_back();
  if (weiter_) weiter_->NeueSeite();
}

void Druckaufnahme::Ende() {
  EXPECT_TRUE(laeuft_) << "end without a job";
  if (laeuft_) auftraege_.back().beendet = true;
  laeuft_ = false;
  if (weiter_) weiter_->Ende();
}

void Druckaufnahme::Abbrechen() noexcept {
  if (laeuft_) auftraege_.back().abgebrochen = true;
  laeuft_ = false;
  if (weiter_) weiter_->Abbrechen();
}

void Druckaufnahme::Schriftgroesse(int punkte) {
  groesse_ = punkte;
  if (weiter_) weiter_->Schriftgroesse(punkte);
}

void Druckaufnahme::Text(int x, int y, const QString& text) {
  AktuelleSeite().texte.push_back({.x = x, .y = y, .groesse = groesse_, .text = text, .breite = Textbreite(text)});
  if (weiter_) weiter_->Text(x, y, text);
}

void Druckaufnahme::EingepassterText(int x, int y, const QString& text, int breite) {
  AktuelleSeite().texte.push_back({.x = x,
                                   .y = y,
                                   .groesse = groesse_,
                                   .text = text,
                                   .breite = std::min(Textbreite(text), breite),
                                   .eingepasst = breite});
  if (weiter_) weiter_->EingepassterText(x, y, text, breite);
}

void Druckaufnahme::Linie(int x1, int y1, int x2, int y2) {
  AktuelleSeite().linien.push_back({x1, y1, x2, y2});
  if (weiter_) weiter_->Linie(x1, y1, x2, y2);
}

int Druckaufnahme::Textbreite(const QString& text) const {
  if (weiter_) return weiter_->Textbreite(text);
  int breite = 0;
  for (const QChar zeichen : text) breite += (zeichen == u'W' ? 4 : 2) * groesse_;
  return breite;
}

int Druckaufnahme::Texthoehe(const QString& text) const { return weiter_ ? weiter_->Texthoehe(text) : 5 * groesse_; }

int Druckaufnahme::Seitennummer() const { return laeuft_ ? static_cast<int>(auftraege_.back().seiten.size()) : 0; }

Druckaufnahme::Seite& Druckaufnahme::AktuelleSeite() {
  static Seite verloren;
  if (!laeuft_) {
    ADD_FAILURE() << "drawn outside a job";
    return verloren;
  }
  return auftraege_.back().seiten.back();
}
