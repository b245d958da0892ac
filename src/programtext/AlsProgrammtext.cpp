#include "programtext/AlsProgrammtext.h"

#include <array>

#include "core/Wort.h"
#include "programtext/Zeichenklassen.h"

namespace ventaro::programmtext {
namespace {

constexpr int kZellen = TRamSpeicher::Zellenzahl;
constexpr std::size_t kMarkenbreite = 8;
constexpr std::size_t kAnweisungsbreite = 16;
const std::string kLeer = "00.000";

// Appended in place: building the line from padded temporaries makes GCC 12
// warn falsely (-Wstringop-overflow) once inlined across files.
void HaengeAufgefuelltAn(std::string& zeile, const std::string& text, std::size_t breite) {
    zeile += text;
    if (text.size() < breite) zeile.append(breite - text.size(), ' ');
}

std::string Markenname(int adresse) { return "M" + ZahlDreistellig(static_cast<unsigned>(adresse)); }

int Zahl(const std::string& text, std::size_t ab, std::size_t laenge) { return std::stoi(text.substr(ab, laenge)); }

std::string AlsZelle(const std::string& text) {
    std::string zeile = "ZELLE \"";
    for (char c : text) zeile += c == '"' ? std::string("\"\"") : std::string(1, c);
    return zeile + "\"";
}

class Rueckuebersetzer {
public:
    Rueckuebersetzer(const RamInhalt& zellen, const TBefehlsnamen& namen) : zellen_(zellen), namen_(namen) {}
    std::vector<std::string> Zeilen();

private:
    // The jump target of the cell, when it is a line of the text.
    int Sprungziel(int adresse) const;
    std::string Anweisung(int adresse) const;

    const RamInhalt& zellen_;
    const TBefehlsnamen& namen_;
    std::array<bool, kZellen> geschrieben_{};
    std::array<bool, kZellen> markiert_{};
};

std::vector<std::string> Rueckuebersetzer::Zeilen() {
    int letzte = kZellen - 1;
    while (letzte >= 0 && zellen_[letzte] == kLeer) --letzte;
    // Of a run of empty cells only the first is written (it often is the
    // HLT ending a program); ORG skips the rest.
    for (int a = 0; a <= letzte; ++a) geschrieben_[a] = zellen_[a] != kLeer || a == 0 || zellen_[a - 1] != kLeer;
    for (int a = 0; a <= letzte; ++a)
        if (const int ziel = Sprungziel(a); ziel >= 0) markiert_[ziel] = true;

    std::vector<std::string> zeilen;
    int naechste = 0;
    for (int a = 0; a <= letzte; ++a) {
        if (!geschrieben_[a]) continue;
        if (a != naechste) zeilen.push_back(std::string(kMarkenbreite, ' ') + "ORG " + std::to_string(a));
        std::string zeile;
        HaengeAufgefuelltAn(zeile, markiert_[a] ? Markenname(a) + ":" : std::string(), kMarkenbreite);
        HaengeAufgefuelltAn(zeile, Anweisung(a), kAnweisungsbreite);
        zeile += "; ";
        zeile += ZahlDreistellig(static_cast<unsigned>(a));
        zeilen.push_back(std::move(zeile));
        naechste = a + 1;
    }
    return zeilen;
}

int Rueckuebersetzer::Sprungziel(int adresse) const {
    const std::string& text = zellen_[adresse];
    if (!HatZellform(text)) return -1;
    const int opcode = Zahl(text, 0, 2), operand = Zahl(text, 3, 3);
    if (!namen_.IstSprung(opcode) || !namen_.Name(opcode) || operand >= kZellen) return -1;
    if (opcode == 0 && operand > 0 && operand <= 255) return -1;  // written as DAT
    return geschrieben_[operand] ? operand : -1;
}

std::string Rueckuebersetzer::Anweisung(int adresse) const {
    const std::string& text = zellen_[adresse];
    // An incorrect cell only reads back verbatim.
    if (!ZelleKorrekt(text)) return AlsZelle(text);
    const int opcode = Zahl(text, 0, 2), operand = Zahl(text, 3, 3);
    // Data words read as data, not as opcode 00 with an operand.
    if (opcode == 0 && operand > 0 && operand <= 255) return "DAT " + std::to_string(operand);
    const std::optional<std::string> name = namen_.Name(opcode);
    if (!name) return text;
    if (const int ziel = Sprungziel(adresse); ziel >= 0) return *name + " " + Markenname(ziel);
    return operand == 0 ? *name : *name + " " + std::to_string(operand);
}

}  // namespace

std::vector<std::string> AlsProgrammtext(const RamInhalt& zellen, const TBefehlsnamen& namen) {
    return Rueckuebersetzer(zellen, namen).Zeilen();
}

}  // namespace ventaro::programmtext
