#include "programtext/ProgrammtextDatei.h"

#include <cstdint>

#include "core/Fehler.h"
#include "core/Textdatei.h"
#include "core/Zeichensatz.h"
#include "programtext/Zeichenklassen.h"

namespace ventaro::programmtext {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool InUtf8(std::vector<std::string>& zeilen) {
    if (zeilen.empty()) return false;
    if (zeilen.front().rfind(kBom, 0) == 0) {
        zeilen.front().erase(0, kBom.size());
        return true;
    }
    std::string alles;
    for (const std::string& zeile : zeilen) (alles += zeile) += '\n';
    return IstUtf8MitUmlauten(alles);
}

std::string Zeichenfehler(int zeile, const std::u32string& fehlende) {
    std::string namen;
    for (std::size_t i = 0; i < fehlende.size(); ++i)
        namen += (i == 0 ? "" : i + 1 == fehlende.size() ? " und " : ", ") + ZeichenName(fehlende[i]);
    return "Zeile " + std::to_string(zeile) + ": Zeichen " + namen + " gibt es in Windows-1252 nicht";
}

}  // namespace

TProgrammtext LeseProgrammtext(const std::string& pfad) {
    TProgrammtext text;
    text.Zeilen = LeseZeilen(pfad, SIZE_MAX);
    if (!InUtf8(text.Zeilen)) return text;
    for (std::size_t i = 0; i < text.Zeilen.size(); ++i) {
        std::string& zeile = text.Zeilen[i];
        const int nr = static_cast<int>(i) + 1;
        if (const std::u32string fehlende = OhneCp1252Form(zeile); !fehlende.empty())
            text.Zeichenfehler.push_back({nr, Zeichenfehler(nr, fehlende)});
        zeile = Utf8ZuCp1252(zeile);
    }
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
