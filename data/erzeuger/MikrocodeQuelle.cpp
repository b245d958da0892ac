#include "MikrocodeQuelle.h"

#include "core/Bauteile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <vector>

namespace ventaro::quelle {
namespace {

constexpr int kMaxBefehle = 30;
constexpr int kSchritte = 10;
constexpr std::size_t kWortlaenge = 18;


struct Befehl {
    bool definiert = false;
    std::string mnemonic;
    // [flag][step]; nullopt until the source defines the step.
    std::array<std::array<std::optional<std::string>, kSchritte>, 2> worte;
};

[[noreturn]] void Fehler(int zeile, const std::string& text) {
    throw Quellfehler("mikrocode.quelle, Zeile " + std::to_string(zeile) + ": " + text);
}

std::vector<std::string> Woerter(std::string_view text) {
    std::vector<std::string> woerter;
    std::istringstream strom{std::string(text)};
    for (std::string wort; strom >> wort;) woerter.push_back(wort);
    return woerter;
}

int Zahl(const std::string& text, int zeile) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        Fehler(zeile, "keine Zahl: " + text);
    return std::stoi(text);
}

std::string Steuerwort(const std::vector<std::string>& signale, int zeile) {
    std::string wort(kWortlaenge, '0');
    bool alu = false;
    for (const std::string& name : signale) {
        // The ALU bits are named by the operation, not one by one.
        if (const auto k = SignalNachName(name); k && SignalAn(*k).art != Signalart::AluBit) {
            char& zeichen = wort[static_cast<std::size_t>(*k - 1)];
            if (zeichen == '1') Fehler(zeile, "Signal doppelt: " + name);
            zeichen = '1';
            continue;
        }
        // ALU items by name; the code is d15 + 2*d16 + 4*d17 = index + 1.
        const auto op = std::find(AluNamen.begin(), AluNamen.end(), name);
        if (op == AluNamen.end()) Fehler(zeile, "unbekanntes Signal: " + name);
        if (alu) Fehler(zeile, "zwei ALU-Operationen in einem Schritt");
        alu = true;
        const int code = static_cast<int>(op - AluNamen.begin()) + 1;
        wort[14] = (code & 1) ? '1' : '0';
        wort[15] = (code & 2) ? '1' : '0';
        wort[16] = (code & 4) ? '1' : '0';
    }
    return wort;
}

}  // namespace

std::string MikrocodeAusQuelle(std::string_view quelle) {
    std::array<Befehl, kMaxBefehle> befehle{};
    int von = -1, bis = -1;    // the opcodes the current block defines
    std::vector<int> flags;    // the tables the following steps go to

    int zeile = 0;
    std::size_t anfang = 0;
    while (anfang < quelle.size()) {
        std::size_t ende = quelle.find('\n', anfang);
        if (ende == std::string_view::npos) ende = quelle.size();
        std::string_view text = quelle.substr(anfang, ende - anfang);
        anfang = ende + 1;
        ++zeile;
        text = text.substr(0, text.find('#'));
        const std::vector<std::string> woerter = Woerter(text);
        if (woerter.empty()) continue;

        if (woerter[0] == "befehl") {
            // "befehl C MNEMONIC" or, for several opcodes alike, "befehl C-D".
            if (woerter.size() < 2 || woerter.size() > 3) Fehler(zeile, "erwartet: befehl OP [MNEMONIC]");
            const std::string& bereich = woerter[1];
            const std::size_t strich = bereich.find('-');
            von = Zahl(bereich.substr(0, strich), zeile);
            bis = strich == std::string::npos ? von : Zahl(bereich.substr(strich + 1), zeile);
            if (von > bis || bis >= kMaxBefehle) Fehler(zeile, "Operationscode außerhalb 0 bis 29: " + bereich);
            for (int c = von; c <= bis; ++c) {
                if (befehle[c].definiert) Fehler(zeile, "Befehl doppelt: " + std::to_string(c));
                befehle[c].definiert = true;
                befehle[c].mnemonic = woerter.size() == 3 ? woerter[2] : "";
            }
            flags = {0, 1};
            continue;
        }
        if (von < 0) Fehler(zeile, "Schritt vor dem ersten Befehl");
        if (woerter[0] == "flag") {
            if (woerter.size() != 2 || (woerter[1] != "0" && woerter[1] != "1"))
                Fehler(zeile, "erwartet: flag 0 oder flag 1");
            flags = {woerter[1] == "0" ? 0 : 1};
            continue;
        }
        // "S: SIGNAL ..." with S the step 0 to 9.
        const std::string& kopf = woerter[0];
        if (kopf.size() != 2 || kopf[1] != ':') Fehler(zeile, "erwartet: befehl, flag oder Schritt S:");
        const int schritt = Zahl(kopf.substr(0, 1), zeile);
        const std::string wort = Steuerwort({woerter.begin() + 1, woerter.end()}, zeile);
        for (int c = von; c <= bis; ++c)
            for (int f : flags) {
                auto& eintrag = befehle[c].worte[f][schritt];
                if (eintrag) Fehler(zeile, "Schritt " + std::to_string(schritt) + " doppelt");
                eintrag = wort;
            }
    }

    int anzahl = 0;
    while (anzahl < kMaxBefehle && befehle[anzahl].definiert) ++anzahl;
    for (int c = anzahl; c < kMaxBefehle; ++c)
        if (befehle[c].definiert) throw Quellfehler("mikrocode.quelle: Befehl " + std::to_string(anzahl) + " fehlt");

    // Steps the source leaves out are never reached: all signals inactive.
    const std::string leer(kWortlaenge, '0');
    std::string datei = std::to_string(anzahl) + "\r\n";
    for (int f = 0; f < 2; ++f)
        for (int c = 0; c < anzahl; ++c) {
            datei += befehle[c].mnemonic + "\r\n";
            for (const auto& wort : befehle[c].worte[f]) datei += wort.value_or(leer) + "\r\n";
        }
    return datei;
}

}  // namespace ventaro::quelle
