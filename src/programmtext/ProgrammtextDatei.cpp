#include "programmtext/ProgrammtextDatei.h"

#include <cstdint>

#include "core/Fehler.h"
#include "core/Textdatei.h"
#include "core/Zeichensatz.h"
#include "programmtext/Zeichenklassen.h"

namespace ventaro::programmtext {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

}  // namespace

TProgrammtext LeseProgrammtext(const std::string& pfad) {
    TProgrammtext text;
    text.Zeilen = LeseZeilen(pfad, SIZE_MAX);
    if (text.Zeilen.empty() || text.Zeilen.front().rfind(kBom, 0) != 0) return text;
    text.Zeilen.front().erase(0, kBom.size());
    bool ersetzt = false;
    for (std::string& zeile : text.Zeilen) {
        bool hier = false;
        zeile = Utf8ZuCp1252(zeile, &hier);
        ersetzt = ersetzt || hier;
    }
    if (ersetzt)
        text.Warnung = "Die Datei " + PfadText(Dateiname(pfad)) +
                       " ist in UTF-8 geschrieben. Zeichen, die es in Windows-1252 nicht gibt, wurden durch \"?\" "
                       "ersetzt.";
    return text;
}

void SchreibeProgrammtext(const std::string& pfad, const std::vector<std::string>& zeilen) {
    try {
        SchreibeZeilenSicher(pfad, zeilen);
    } catch (const SchreibFehler& fehler) {
        if (fehler.art == SchreibFehler::Art::Schreiben) throw Fehler(meldung::StreamSchreibfehler());
        throw Fehler(meldung::KannNichtErstelltWerden(PfadText(pfad), meldung::Systemgrund(fehler.fehlernummer)));
    }
}

std::vector<std::string> InZeilen(std::string_view text) {
    std::vector<std::string> zeilen;
    std::size_t anfang = 0;
    while (anfang < text.size()) {
        std::size_t ende = text.find_first_of("\r\n", anfang);
        if (ende == std::string_view::npos) {
            zeilen.emplace_back(text.substr(anfang));
            break;
        }
        zeilen.emplace_back(text.substr(anfang, ende - anfang));
        anfang = ende + (text[ende] == '\r' && ende + 1 < text.size() && text[ende + 1] == '\n' ? 2 : 1);
    }
    return zeilen;
}

bool IstProgrammtextDatei(std::string_view pfad) {
    return pfad.size() >= 4 && Gross(pfad.substr(pfad.size() - 4)) == ".ASM";
}

}  // namespace ventaro::programmtext
