// ventaro-cli's script mode: any bytes as a script, read and run line by line
// over the shipped microcode. Every line must end as a command, an ignored
// line or a clear usage message, never as a crash; the run ends with exit
// code 0 or 2. The harness keeps the run bounded and inside its directory:
// the file commands are pointed at files of the working directory, and a
// count above HoechstensSchritte is lowered to it.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzHilfe.h"
#include "cli/Programm.h"
#include "cli/Sitzung.h"
#include "core/Wort.h"

using namespace ventaro;
using namespace ventaro::fuzz;

namespace {

constexpr long long HoechstensSchritte = 300;

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

std::vector<std::string> Woerter(const std::string& text) {
    std::vector<std::string> woerter;
    std::string wort;
    for (char c : text + ' ') {
        if (!Blank(c)) {
            wort += c;
        } else if (!wort.empty()) {
            woerter.push_back(wort);
            wort.clear();
        }
    }
    return woerter;
}

std::string Gezaehmt(const std::string& zeile, std::size_t nummer) {
    for (const char* befehl : {"oeffnen", "speichern", "mikrocode"})
        if (zeile.find(befehl) != std::string::npos)
            return std::string(befehl) + " " + Arbeitsverzeichnis() + "/datei" + std::to_string(nummer % 3);
    if (zeile.find("lauf") == std::string::npos && zeile.find("schritt") == std::string::npos) return zeile;
    const std::vector<std::string> woerter = Woerter(zeile.substr(0, zeile.find('#')));
    long long anzahl = 0;
    if (woerter.size() == 2 && TextZuGanzzahl(woerter[1], anzahl, false) && anzahl > HoechstensSchritte)
        return woerter[0] + " " + std::to_string(HoechstensSchritte);
    return zeile;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    const std::string bytes(reinterpret_cast<const char*>(daten), n);
    std::vector<std::string> zeilen = ZeilenVon(bytes);
    for (std::size_t i = 0; i < zeilen.size(); ++i) zeilen[i] = Gezaehmt(zeilen[i], i);
    const std::string skript = Arbeitsverzeichnis() + "/skript.txt";
    SchreibeDatei(skript, MitZeilenenden(zeilen));

    std::ostringstream aus, fehler;
    cli::Optionen optionen;
    optionen.maxMikroschritte = HoechstensSchritte;
    cli::Sitzung sitzung(optionen, aus);
    PRUEFE(sitzung.Hochfahren(VENTARO_MIKROCODE));
    const int code = cli::Skriptlauf(sitzung, skript, fehler);
    // 1: a command on files or a recording failed; 2: a line is no command.
    PRUEFE(code == 0 || code == 1 || code == 2);
    PRUEFE((code != 0) == (fehler.str().rfind("Skriptzeile ", 0) == 0));
    const int zeile = sitzung.Maschine().Zustand().Ram.AktuelleZeile();
    PRUEFE(zeile >= 1 && zeile <= TRamSpeicher::Zellenzahl);
    return 0;
}
