#include "graphics/Bilder.h"

#include <algorithm>

#include <QIcon>
#include <QList>
#include <QSize>

namespace bilder {

namespace {

// The theme, from where tools/install-deps puts it; named at the first picture.
QIcon AusDemThema(const QString& name) {
  [[maybe_unused]] static const bool benannt = [] {
    QIcon::setThemeSearchPaths({QStringLiteral("/usr/share/icons")});
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    return true;
  }();
  return QIcon::fromTheme(name);
}

}  // namespace

QPixmap Bild(const QString& name, int seite) {
  const QIcon bild = AusDemThema(name);
  QList<QSize> groessen = bild.availableSizes();
  if (groessen.isEmpty()) return {};
  std::sort(groessen.begin(), groessen.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
  const auto passend = std::find_if(groessen.begin(), groessen.end(), [seite](QSize g) { return g.width() >= seite; });
  const QSize vorlage = passend != groessen.end() ? *passend : groessen.back();
  return bild.pixmap(vorlage).scaled(seite, seite, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap Programmbild(int seite) { return Bild(QStringLiteral("emblem-readonly"), seite); }

}  // namespace bilder
