#pragma once
// Program text files (*.asm): Windows-1252, read with any line ends, written
// with CR LF and without a byte-order mark. A file that begins with the UTF-8
// byte-order mark, or whose bytes are UTF-8 with characters beyond ASCII, is
// read as UTF-8.

#include <string>
#include <string_view>
#include <vector>

#include "programtext/Fehlerzeile.h"

namespace ventaro::programmtext {

struct TProgrammtext {
    std::vector<std::string> Zeilen;  // Windows-1252, without line ends
    // A line error for each line of a UTF-8 file with characters that
    // Windows-1252 lacks; "?" stands for them in Zeilen.
    std::vector<Fehlerzeile> Zeichenfehler;
};

// Throws the "kann nicht geöffnet werden" Fehler.
TProgrammtext LeseProgrammtext(const std::string& pfad);
// Throws "kann nicht erstellt werden" or "Stream-Schreibfehler".
void SchreibeProgrammtext(const std::string& pfad, const std::vector<std::string>& zeilen);

// The lines of a text: CR LF, CR and LF end a line; a final line end
// makes no extra line.
std::vector<std::string> InZeilen(std::string_view text);
// True for a file name ending in ".asm", in any case.
bool IstProgrammtextDatei(std::string_view pfad);

}  // namespace ventaro::programmtext
