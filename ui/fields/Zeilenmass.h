// The height of a list row that shows its text whole: the dots of the capital umlauts reach
// past the font's ascent, and a row as high as the font alone cuts them off.
#pragma once

#include <algorithm>

#include <QFontMetrics>
#include <QRect>
#include <QString>

namespace zeile {

// The height above the baseline that the text may reach.
inline int UeberDerGrundlinie(const QFontMetrics& metrik) {
  return std::max(metrik.ascent(), -metrik.boundingRect(QStringLiteral("ÄÖÜ")).top());
}

// The text's whole height with a pixel to spare above and below.
inline int Hoehe(const QFontMetrics& metrik) { return UeberDerGrundlinie(metrik) + metrik.descent() + 2; }

// The baseline in `zeile` with the text's whole height centred in it.
inline int Grundlinie(const QRect& zeile, const QFontMetrics& metrik) {
  const int oben = UeberDerGrundlinie(metrik);
  return zeile.top() + (zeile.height() - oben - metrik.descent()) / 2 + oben;
}

}  // namespace zeile
