#include "core/Wort.h"

#include "core/Fehler.h"

namespace ventaro {
namespace {

std::string Aufgefuellt(unsigned zahl, std::size_t stellen) {
    std::string text = std::to_string(zahl);
    if (text.size() < stellen) text.insert(0, stellen - text.size(), '0');
    return text;
}

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

// Value of a field of only digits, or -1 when the field is empty or holds
// anything but digits.
int ZiffernWert(std::string_view feld) {
    if (feld.empty()) return -1;
    int wert = 0;
    for (char c : feld) {
        if (!IstZiffer(c)) return -1;
        wert = wert * 10 + (c - '0');
    }
    return wert;
}

int FeldOderFehler(std::string_view feld) {
    const int wert = ZiffernWert(feld);
    if (wert < 0) throw Fehler(meldung::KeinIntegerwert(feld));
    return wert;
}

}  // namespace

std::string WortZuRegisterText(Wort wert) {
    std::string low = Aufgefuellt(LowByte(wert), 3);
    if (HighByte(wert) == 0) return low;
    return Aufgefuellt(HighByte(wert), 2) + "." + low;
}

std::string ZahlDreistellig(unsigned zahl) { return Aufgefuellt(zahl, 3); }

std::string ZahlZweistellig(unsigned zahl) { return Aufgefuellt(zahl, 2); }

std::string WortZuZellText(Wort wert) {
    return Aufgefuellt(HighByte(wert), 2) + "." + Aufgefuellt(LowByte(wert), 3);
}

Wort ZellTextZuWort(std::string_view text) {
    const int hoch = FeldOderFehler(text.substr(0, 2));
    const int tief = FeldOderFehler(text.size() > 3 ? text.substr(3, 3) : std::string_view{});
    return static_cast<Wort>((hoch * 256 + tief) % 65536);
}

bool ZelleKorrekt(std::string_view text) {
    if (text.size() != 6 || text[2] != '.') return false;
    const int hoch = ZiffernWert(text.substr(0, 2));
    const int tief = ZiffernWert(text.substr(3, 3));
    return hoch >= 0 && hoch <= 29 && tief >= 0 && tief <= 255;
}

bool TextZuGanzzahl(std::string_view text, long long& wert, bool minusErlaubt) {
    bool negativ = false;
    if (minusErlaubt && !text.empty() && text.front() == '-') {
        negativ = true;
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    // Leading zeros do not count towards the ten digits a 32-bit value can have.
    long long betrag = 0;
    int stellen = 0;
    for (char c : text) {
        if (!IstZiffer(c)) return false;
        if (stellen > 0 || c != '0') ++stellen;
        if (stellen > 10) return false;
        betrag = betrag * 10 + (c - '0');
    }
    betrag = negativ ? -betrag : betrag;
    if (betrag > 2147483647LL || betrag < -2147483648LL) return false;
    wert = betrag;
    return true;
}

}  // namespace ventaro
