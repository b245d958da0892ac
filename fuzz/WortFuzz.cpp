// The text forms of a word and the parsing of cell texts and numbers, each
// against a reference written here from the rules: a word's texts, the cell
// check ZelleKorrekt, ZellTextZuWort with its conversion error, and the
// integer conversion of number fields.
#include <cstdint>
#include <string>

#include "FuzzHilfe.h"
#include "core/Fehler.h"
#include "core/Wort.h"

using namespace ventaro;
using namespace ventaro::fuzz;

namespace {

std::string Gefuellt(unsigned zahl, std::size_t stellen) {
    std::string text = std::to_string(zahl);
    return std::string(text.size() < stellen ? stellen - text.size() : 0, '0') + text;
}

void PruefeWort(Wort w) {
    const unsigned hoch = w / 256, tief = w % 256;
    const std::string zelle = WortZuZellText(w);
    PRUEFE(zelle == Gefuellt(hoch, 2) + "." + Gefuellt(tief, 3));
    PRUEFE(WortZuRegisterText(w) == (hoch == 0 ? Gefuellt(tief, 3) : zelle));
    PRUEFE(ZahlDreistellig(w) == Gefuellt(w, 3));
    PRUEFE(ZelleKorrekt(zelle) == (hoch <= 29));
    PRUEFE(GeschriebeneZelle(zelle));
    // A high part of three digits shifts the fields: the text is no cell.
    if (hoch <= 99) PRUEFE(ZellTextZuWort(zelle) == w);
}

// ZellTextZuWort: characters 1-2 and 4-6 as integers, no range test.
void PruefeZelltext(const std::string& t) {
    const std::string hoch = t.substr(0, 2);
    const std::string tief = t.size() > 3 ? t.substr(3, 3) : std::string();
    const bool korrekt = ZelleKorrekt(t);
    PRUEFE(korrekt == KorrekteZelle(t));
    try {
        const Wort w = ZellTextZuWort(t);
        PRUEFE(NurZiffern(hoch) && NurZiffern(tief));
        PRUEFE(w == (std::stoi(hoch) * 256 + std::stoi(tief)) % 65536);
        if (korrekt) PRUEFE(WortZuZellText(w) == t);
    } catch (const Fehler& fehler) {
        PRUEFE(!korrekt);
        // The first field that is no integer is named.
        const std::string& falsch = NurZiffern(hoch) ? tief : hoch;
        PRUEFE(!NurZiffern(falsch));
        PRUEFE(std::string(fehler.Text()) == meldung::KeinIntegerwert(falsch));
    }
}

// TextZuGanzzahl: an optional "-" where allowed, then ASCII digits, the value
// within 32 bits.
void PruefeGanzzahl(const std::string& t, bool minusErlaubt) {
    const bool negativ = minusErlaubt && !t.empty() && t[0] == '-';
    const std::string ziffern = t.substr(negativ ? 1 : 0);
    bool gueltig = NurZiffern(ziffern);
    long long erwartet = 0;
    if (gueltig) {
        const std::size_t erste = ziffern.find_first_not_of('0');
        const std::string wesentlich = erste == std::string::npos ? "0" : ziffern.substr(erste);
        gueltig = wesentlich.size() <= 10;
        if (gueltig) {
            erwartet = std::stoll(wesentlich) * (negativ ? -1 : 1);
            gueltig = erwartet >= -2147483648LL && erwartet <= 2147483647LL;
        }
    }
    long long wert = 0;
    const bool ok = TextZuGanzzahl(t, wert, minusErlaubt);
    PRUEFE(ok == gueltig);
    if (ok) PRUEFE(wert == erwartet);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    Eingabe eingabe(daten, n);
    PruefeWort(eingabe.Wort16());
    const std::uint32_t zahl = static_cast<std::uint32_t>(eingabe.Wort16()) << 16 | eingabe.Wort16();
    PRUEFE(ZahlDreistellig(zahl) == Gefuellt(zahl, 3));
    const std::string rest = eingabe.Bytes(n);
    PruefeZelltext(rest);
    PruefeGanzzahl(rest, false);
    PruefeGanzzahl(rest, true);
    return 0;
}
