#pragma once
// Reading and writing the program's text files as Windows-1252 byte lines.

#include <string>
#include <vector>

namespace ventaro {

// Reads at most maxZeilen lines and stops there, so a huge file is never read
// whole. CR LF, a lone CR and a lone LF each end a line; a final line end
// creates no extra line. Throws the "kann nicht geöffnet werden" Fehler.
std::vector<std::string> LeseZeilen(const std::string& pfad, std::size_t maxZeilen);

// Why writing failed: the file could not be created, or writing stopped
// part-way. Callers turn it into their own message.
struct SchreibFehler {
    enum class Art { Erstellen, Schreiben };
    Art art;
    int fehlernummer;
};

// Writes every line followed by CR LF. A regular file (or none) is replaced
// through a temporary file beside it and a rename, so a failed or interrupted
// save leaves the old file whole; other targets (devices) are written in
// place. Throws SchreibFehler.
void SchreibeZeilenSicher(const std::string& pfad, const std::vector<std::string>& zeilen);

// The path as Windows-1252 text for messages and titles.
std::string PfadText(const std::string& pfad);
// The file name without its directory.
std::string Dateiname(const std::string& pfad);

}  // namespace ventaro
