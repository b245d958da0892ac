#pragma once
// The edge between the core's Windows-1252 bytes and Qt's Unicode text.

#include <QString>
#include <cstdint>
#include <string>

#include "core/Zeichensatz.h"

namespace ventaro::ui {

// The program's own texts are written in UTF-8 in the source.
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

inline QString Q(const std::string& cp1252) { return QString::fromStdString(Cp1252ZuUtf8(cp1252)); }

// Characters outside Windows-1252 become "?"; ersetzt tells whether any did.
inline std::string Cp(const QString& text, bool* ersetzt = nullptr) {
    return Utf8ZuCp1252(text.toStdString(), ersetzt);
}

// The warning when a typed text held characters a file cannot store.
// A count in groups of three digits, set apart by a thin space: dots would
// look like the cell texts (00.055) beside it.
inline QString Gruppiert(std::uint64_t zahl) {
    QString ziffern = QString::number(zahl);
    for (qsizetype stelle = ziffern.size() - 3; stelle > 0; stelle -= 3) ziffern.insert(stelle, QChar(0x2009));
    return ziffern;
}

}  // namespace ventaro::ui
