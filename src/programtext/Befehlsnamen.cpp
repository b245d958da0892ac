#include "programtext/Befehlsnamen.h"

#include <algorithm>

#include "programtext/Zeichenklassen.h"

namespace ventaro::programmtext {
namespace {

// Character 3 of a control word is the PC's load latch.
constexpr std::size_t kPCLaden = 2;

bool LaedtPC(const TMikrocodeTabelle& tabelle, int opcode) {
    for (int s = 0; s < TMikrocodeTabelle::SchritteProBefehl; ++s) {
        const int i = opcode * TMikrocodeTabelle::SchritteProBefehl + s;
        for (const std::string* wort : {&tabelle.Steuerworte0[i], &tabelle.Steuerworte1[i]})
            if (wort->size() > kPCLaden && (*wort)[kPCLaden] == '1') return true;
    }
    return false;
}

}  // namespace

TBefehlsnamen::TBefehlsnamen(const std::array<std::string, MaxBefehle>& mnemonics, int befehlsanzahl) {
    const int inGebrauch = std::clamp(befehlsanzahl, 0, MaxBefehle);
    for (int c = 0; c < inGebrauch; ++c) {
        namen_[c] = OhneBlanks(mnemonics[c]);
        gross_[c] = Gross(namen_[c]);
    }
}

TBefehlsnamen::TBefehlsnamen(const TMikrocodeTabelle& tabelle)
    : TBefehlsnamen(tabelle.Mnemonics, tabelle.Befehlsanzahl()) {
    const int inGebrauch = std::min<int>(tabelle.Befehlsanzahl(), MaxBefehle);
    for (int c = 0; c < inGebrauch; ++c) spruenge_[c] = LaedtPC(tabelle, c);
}

std::vector<int> TBefehlsnamen::Opcodes(std::string_view wort) const {
    std::vector<int> opcodes;
    const std::string gesucht = Gross(wort);
    if (gesucht.empty()) return opcodes;
    for (int c = 0; c < MaxBefehle; ++c)
        if (gross_[c] == gesucht) opcodes.push_back(c);
    return opcodes;
}

std::optional<std::string> TBefehlsnamen::Name(int opcode) const {
    if (opcode < 0 || opcode >= MaxBefehle) return std::nullopt;
    const std::string& name = namen_[opcode];
    if (name.empty() || IstDirektive(gross_[opcode]) || HatZellform(name)) return std::nullopt;
    if (name.find_first_of(" \t;:") != std::string::npos) return std::nullopt;
    if (Opcodes(name).size() != 1) return std::nullopt;
    return name;
}

std::vector<std::string> TBefehlsnamen::Namen() const {
    std::vector<std::string> namen;
    for (int c = 0; c < MaxBefehle; ++c)
        if (Name(c)) namen.push_back(gross_[c]);
    return namen;
}

}  // namespace ventaro::programmtext
