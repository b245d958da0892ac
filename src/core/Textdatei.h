#pragma once
// Reading and writing the program's text files as Windows-1252 byte lines.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace ventaro {

// The most characters the lines a reader needs may hold together: 16 MiB.
// The program's own files are a few kilobytes (a RAM file of 128 cells, a
// microcode file of at most 661 short lines); only a file that is no such
// text, such as a long binary line or an endless device, comes near it.
inline constexpr std::size_t MaxLesezeichen = std::size_t{16} << 20;

// Reads a text file line by line, as far as its caller needs and no further,
// so a huge file is never read whole. CR LF, a lone CR and a lone LF each end
// a line; a final line end creates no extra line. A named pipe without a
// writer reads as an empty file. Throws the "kann nicht geöffnet werden"
// Fehler, also with the reason "File too large" (EFBIG) as soon as the lines
// read hold more than maxZeichen characters: such a file is refused rather
// than cut, so nothing is loaded from a file that is no text of the program's,
// and memory stays bounded.
class TZeilenleser {
public:
    explicit TZeilenleser(const std::string& pfad, std::size_t maxZeichen = MaxLesezeichen);
    ~TZeilenleser();
    TZeilenleser(const TZeilenleser&) = delete;
    TZeilenleser& operator=(const TZeilenleser&) = delete;

    // The next line into zeile; false at the end of the file.
    bool Naechste(std::string& zeile);

private:
    static constexpr std::size_t Puffergroesse = std::size_t{1} << 16;
    bool Fuellen();

    std::string pfad_;
    std::size_t maxZeichen_;
    int fd_ = -1;
    std::unique_ptr<char[]> puffer_;
    std::size_t anfang_ = 0;
    std::size_t ende_ = 0;
    std::size_t zeichen_ = 0;  // characters taken into lines, line ends not counted
    bool nachCR_ = false;      // an LF next pairs with the CR before it
    bool dateiende_ = false;
};

// The first maxZeilen lines of the file (fewer if it has fewer), read with a
// TZeilenleser.
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
// save leaves the old file whole; where the folder lets no file be created, a
// writable old file is written in place, its old content kept in memory and
// put back on a failure; other targets (devices) are written in
// place (a named pipe without a reader fails at once with ENXIO instead of
// waiting). Throws SchreibFehler.
void SchreibeZeilenSicher(const std::string& pfad, const std::vector<std::string>& zeilen);

// The path as Windows-1252 text for messages and titles.
std::string PfadText(const std::string& pfad);
// The file name without its directory.
std::string Dateiname(const std::string& pfad);

}  // namespace ventaro
