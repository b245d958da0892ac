#pragma once
// The program text ("Programmtext"): one statement a line, translated into the
// 128 cell texts. A statement is an instruction (mnemonic and operand), ORG,
// DAT, ZELLE or a cell text; labels name addresses, ";" starts a comment.

#include <string>
#include <vector>

#include "memory/RamDatei.h"
#include "programtext/Befehlsnamen.h"
#include "programtext/Fehlerzeile.h"
#include "programtext/ProgrammtextDatei.h"

namespace ventaro::programmtext {

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
// A text read from a file: its characters without a Windows-1252 form are
// errors of their lines, too.
TUebersetzung Uebersetze(const TProgrammtext& text, const TBefehlsnamen& namen);

}  // namespace ventaro::programmtext
