#include "windowing/Zahl.h"

#include "platform/Plattform.h"
#include "text/Texte.h"

#include "fields/Anzeigetext.h"
#include "windowing/Fenster.h"

namespace fenster {

std::optional<int> Zahl(const QString& text) {
  bool ok = false;
  const int wert = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return wert;
}

void ZeigeKeineZahl(const QString& text) {
  MessageBox(QStringLiteral("\"%1\" ist keine gültige Zahl.").arg(text),
             T(Texte::AllgemeineTexte[Texte::allgemein::Fehler]), plattform::MB_ERROR);
}

}  // namespace fenster
