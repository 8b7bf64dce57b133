// The program's own texts (UTF-8: the text tables' entries and the texts written in the code)
// as QString, the one explicit conversion the windows use.
#pragma once

#include <QString>

inline QString T(const char* text) { return QString::fromUtf8(text); }
