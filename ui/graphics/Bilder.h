// The program's pictures: icons by their freedesktop names from the icon theme the program
// names itself, so they look the same whatever theme the desktop has chosen. Without the
// theme the pictures stay empty and the windows show their texts alone.
#pragma once

#include <QPixmap>
#include <QString>

namespace bilder {

// The picture of that name, `seite` pixels square: the theme's smallest drawing that is at
// least that large made smaller, or its largest made larger.
QPixmap Bild(const QString& name, int seite);

// The program's own picture, `seite` pixels square.
QPixmap Programmbild(int seite);

}  // namespace bilder
