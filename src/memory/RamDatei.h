#pragma once
// The RAM file: 128 cell texts, one per line, CR LF after every line.

#include <array>
#include <string>

#include "memory/RamSpeicher.h"

namespace ventaro {

using RamInhalt = std::array<std::string, TRamSpeicher::Zellenzahl>;

// Lenient reading: CR LF, CR or LF end a line; lines after 128 are ignored;
// cells without a line get the empty text. Throws the "kann nicht geöffnet
// werden" Fehler.
RamInhalt LeseRamDatei(const std::string& pfad);

// Writes the 128 texts unchecked; the old file stays whole on failure.
// Throws "kann nicht erstellt werden" or "Stream-Schreibfehler".
void SchreibeRamDatei(const std::string& pfad, const RamInhalt& inhalt);

}  // namespace ventaro
