#pragma once
// Any RAM content as program text ("als Programmtext"): translated back, the
// text gives exactly the same 128 cell texts.

#include <string>
#include <vector>

#include "memory/RamDatei.h"
#include "programtext/Befehlsnamen.h"

namespace ventaro::programmtext {

// The lines of the text, Windows-1252, without line ends. Each line that
// fills a cell names its address in a comment; targets of jumps within the
// text get labels "M" and the address.
std::vector<std::string> AlsProgrammtext(const RamInhalt& zellen, const TBefehlsnamen& namen);

}  // namespace ventaro::programmtext
