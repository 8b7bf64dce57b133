#include "profiles/ZeitlinienFenster.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "windowing/Zahl.h"

namespace {

constexpr int kTagesende = 288;  // 24:00 in steps of five minutes

// The bar's position for a time, clamped to the day.
int Position(long long stunde, long long minute) {
  return static_cast<int>(std::clamp(minute / 5 + 12 * stunde, 0LL, static_cast<long long>(kTagesende)));
}

// Hour and minute of "h:mm": the number before the colon and the one of the (at most) two
// characters after it; nothing when either is not a number.
std::optional<std::pair<int, int>> Uhrzeit(const QString& text) {
  const qsizetype doppelpunkt = text.indexOf(u':');
  if (doppelpunkt < 0) return std::nullopt;
  const std::optional<int> stunde = fenster::Zahl(text.left(doppelpunkt));
  const std::optional<int> minute = fenster::Zahl(text.mid(doppelpunkt + 1, 2));
  if (!stunde || !minute) return std::nullopt;
  return std::make_pair(*stunde, *minute);
}

QString Format(int stunde, int minute) {
  return QStringLiteral("%1:%2").arg(stunde, 2, 10, QChar(u'0')).arg(minute, 2, 10, QChar(u'0'));
}

}  // namespace

TZeitlinienFenster::TZeitlinienFenster(QWidget* parent) : fenster::TFormular(parent) {}

void TZeitlinienFenster::Uebernimm(const Bedienelemente& b) {
  b_ = b;
  for (QScrollBar* bar : {b_.von, b_.bis}) {
    bar->setRange(0, kTagesende);
    bar->setSingleStep(1);
    bar->setPageStep(12);
    // A click or the wheel on a bar takes the focus, so a time still typed in an edit is
    // taken before the bar moves.
    bar->setFocusPolicy(Qt::WheelFocus);
  }
  for (QLineEdit* edit : {b_.vonText, b_.bisText}) {
    edit->setInputMask(QStringLiteral("09:99;_"));
    edit->installEventFilter(this);
  }
  // A bar's handler runs on every change of its position, also one made by the other bar or
  // by a typed time: that is how the bars pull each other along.
  connect(b_.von, &QScrollBar::valueChanged, this, [this] { fenster::Geschuetzt([this] { IDSB_FROM_TIMEChange(); }); });
  connect(b_.bis, &QScrollBar::valueChanged, this, [this] { fenster::Geschuetzt([this] { IDSB_TO_TIMEChange(); }); });
  connect(b_.alle, &QPushButton::clicked, this, [this] { fenster::Geschuetzt([this] { IDB_ALLClick(); }); });
  connect(b_.abbruch, &QPushButton::clicked, this, [this] { done(fenster::mrAbort); });
}

bool TZeitlinienFenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::FocusOut) {
    // Leaving the edit within the window; switching to another window is no leaving.
    const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
    if (grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason) {
      if (objekt == b_.vonText) fenster::Geschuetzt([this] { IDE_FROM_TIMEExit(); });
      if (objekt == b_.bisText) fenster::Geschuetzt([this] { IDE_TO_TIMEExit(); });
    }
  }
  return fenster::TFormular::eventFilter(objekt, ereignis);
}

void TZeitlinienFenster::Zeige(const Zeit& z) const { z.text->setText(Format(*z.stunde, *z.minute)); }

void TZeitlinienFenster::BarBewegt(const Zeit& diese, QScrollBar& andere, bool istVon) {
  const int position = diese.bar->value();
  *diese.stunde = position / 12;
  *diese.minute = (position % 12) * 5;
  Zeige(diese);
  // Moving the other bar runs its own handler.
  if (istVon ? andere.value() < position : andere.value() > position) andere.setValue(position);
}

void TZeitlinienFenster::IDSB_FROM_TIMEChange() { BarBewegt(VonZeit(), *b_.bis, true); }

void TZeitlinienFenster::IDSB_TO_TIMEChange() { BarBewegt(BisZeit(), *b_.von, false); }

bool TZeitlinienFenster::Eingabe(const Zeit& diese, bool istVon) {
  const QString text = diese.text->text();
  const std::optional<std::pair<int, int>> zeit = Uhrzeit(text);
  if (!zeit) {
    fenster::ZeigeKeineZahl(text);
    Zeige(diese);
    return false;
  }
  diese.bar->setValue(Position(zeit->first, zeit->second));
  // Also when the position stayed: the held values are those of the bar.
  istVon ? IDSB_FROM_TIMEChange() : IDSB_TO_TIMEChange();
  return true;
}

bool TZeitlinienFenster::IDE_FROM_TIMEExit() { return Eingabe(VonZeit(), true); }

bool TZeitlinienFenster::IDE_TO_TIMEExit() { return Eingabe(BisZeit(), false); }

void TZeitlinienFenster::IDB_ALLClick() {
  for (std::size_t k = 0; k < 9; ++k) b_.tage[k]->setChecked(true);
}

void TZeitlinienFenster::LadeZeitenUndTage(Zeitlinie& kopie) {
  Kopie = &kopie;
  {
    // The bars start where they stand on a first showing, so the result never depends on
    // the line shown before.
    const QSignalBlocker von(b_.von);
    const QSignalBlocker bis(b_.bis);
    b_.von->setValue(0);
    b_.bis->setValue(0);
  }
  b_.von->setValue(Position(kopie.VonStunde, kopie.VonMinute));
  IDSB_FROM_TIMEChange();
  b_.bis->setValue(Position(kopie.BisStunde, kopie.BisMinute));
  IDSB_TO_TIMEChange();
  for (std::size_t k = 0; k < b_.tage.size(); ++k) {
    if (k <= Texte::tagesart::Feiertag) b_.tage[k]->setText(T(Texte::Tagesarten[k]));
    b_.tage[k]->setChecked((kopie.Tage & (1u << k)) != 0);
  }
}

bool TZeitlinienFenster::NimmEingaben() {
  // A text still differing from the held values was typed and not yet taken (OK pressed by
  // its key while the edit had the focus).
  if (b_.vonText->text() != Format(VonStunde_, VonMinute_) && !IDE_FROM_TIMEExit()) return false;
  if (b_.bisText->text() != Format(BisStunde_, BisMinute_) && !IDE_TO_TIMEExit()) return false;
  return true;
}

void TZeitlinienFenster::SchreibeZeitenUndTage(Zeitlinie& z) const {
  z.VonStunde = static_cast<std::uint8_t>(VonStunde_);
  z.VonMinute = static_cast<std::uint8_t>(VonMinute_);
  z.BisStunde = static_cast<std::uint8_t>(BisStunde_);
  z.BisMinute = static_cast<std::uint8_t>(BisMinute_);
  z.Tage = 0;
  for (std::size_t k = 0; k < b_.tage.size(); ++k) {
    if (b_.tage[k]->isChecked()) z.Tage |= static_cast<std::uint16_t>(1u << k);
  }
}
