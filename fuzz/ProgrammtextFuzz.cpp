// The translator on any bytes: it never fails, a text with errors gives all
// cells "00.000" and error lines "Zeile N: " in line order with N a line of
// the text, and a text without errors, written back with AlsProgrammtext,
// translates to the same cells. The bytes' lines, taken as RAM cells, must
// survive the way back and forth as well.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzHilfe.h"
#include "programtext/AlsProgrammtext.h"
#include "programtext/ProgrammtextDatei.h"
#include "programtext/Uebersetzer.h"

using namespace ventaro;
using namespace ventaro::fuzz;
using namespace ventaro::programmtext;

namespace {

// Shared, empty, blank-padded and directive-named mnemonics among ordinary ones.
const TBefehlsnamen& Namen() {
    static const TBefehlsnamen namen = [] {
        std::array<std::string, TBefehlsnamen::MaxBefehle> m{};
        const char* liste[] = {"HLT", "LDA", "STA", " ldk ", "ADD", "add", "", "ORG", "SPR", "M\xE4h", "a b", "x;y",
                               "k:", "01.002"};
        for (std::size_t c = 0; c < std::size(liste); ++c) m[c] = liste[c];
        return TBefehlsnamen(m, 14);
    }();
    return namen;
}

void PruefeHinUndZurueck(const RamInhalt& zellen) {
    const TUebersetzung zurueck = Uebersetze(AlsProgrammtext(zellen, Namen()), Namen());
    PRUEFE(zurueck.Gelungen());
    PRUEFE(zurueck.Zellen == zellen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    const std::string_view bytes(reinterpret_cast<const char*>(daten), n);
    const std::vector<std::string> zeilen = InZeilen(bytes);
    const TUebersetzung u = Uebersetze(zeilen, Namen());
    if (u.Gelungen()) {
        PruefeHinUndZurueck(u.Zellen);
    } else {
        int vorige = 1;
        for (const Fehlerzeile& f : u.Fehler) {
            PRUEFE(f.zeile >= vorige && f.zeile <= static_cast<int>(zeilen.size()));
            PRUEFE(BeginntMit(f.text, "Zeile " + std::to_string(f.zeile) + ": "));
            vorige = f.zeile;
        }
        for (const std::string& zelle : u.Zellen) PRUEFE(zelle == "00.000");
    }
    RamInhalt zellen;
    for (std::size_t a = 0; a < zellen.size(); ++a) zellen[a] = a < zeilen.size() ? zeilen[a] : "00.000";
    PruefeHinUndZurueck(zellen);
    return 0;
}
