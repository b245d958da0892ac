#pragma once
// The program text ("Programmtext"): one statement a line, translated into the
// 128 cell texts. A statement is an instruction (mnemonic and operand), ORG,
// DAT, ZELLE or a cell text; labels name addresses, ";" starts a comment.

#include <string>
#include <vector>

#include "memory/RamDatei.h"
#include "programmtext/Befehlsnamen.h"

namespace ventaro::programmtext {

// One error, Windows-1252: "Zeile N: ..." with N counted from 1.
struct Fehlerzeile {
    int zeile;
    std::string text;
};

struct TUebersetzung {
    // The cells; "00.000" where the text fills none. Only meaningful when
    // the text has no error.
    RamInhalt Zellen;
    // Every error of the text, in line order.
    std::vector<Fehlerzeile> Fehler;
    bool Gelungen() const { return Fehler.empty(); }
};

// Translates the lines (Windows-1252, without line ends) with the names of the
// loaded microcode.
TUebersetzung Uebersetze(const std::vector<std::string>& zeilen, const TBefehlsnamen& namen);

}  // namespace ventaro::programmtext
