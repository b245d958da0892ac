#include "programtext/Uebersetzer.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/Wort.h"
#include "programtext/Zeichenklassen.h"

namespace ventaro::programmtext {
namespace {

constexpr int kZellen = TRamSpeicher::Zellenzahl;
// Larger numbers only need to be told apart from the allowed ones.
constexpr long kGrenze = 1000000;

enum class Art { Leer, Befehl, Org, Dat, Zelle, Zelltext, Falsch };

// A line taken apart; the operand is resolved once all labels are known.
struct Anweisung {
    Art art = Art::Leer;
    int opcode = 0;
    std::string operand;  // as written; empty = none
    std::string text;     // of ZELLE or a cell text
};

struct Marke {
    int adresse;
    int zeile;
};

// A statement that fills a cell, kept until all labels are known.
struct Fuellung {
    int adresse;
    int zeile;
    Anweisung anweisung;
};

std::string Zeile(int zeile) { return "Zeile " + std::to_string(zeile) + ": "; }

std::string Zitat(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Opcodeliste(const std::vector<int>& opcodes) {
    std::string liste;
    for (std::size_t i = 0; i < opcodes.size(); ++i) {
        if (i > 0) liste += i + 1 == opcodes.size() ? " und " : ", ";
        liste += ZahlZweistellig(static_cast<unsigned>(opcodes[i]));
    }
    return liste;
}

class Uebersetzer {
public:
    Uebersetzer(const std::vector<std::string>& zeilen, const TBefehlsnamen& namen) : zeilen_(zeilen), namen_(namen) {}
    TUebersetzung Ergebnis();

private:
    void Zerlege(int nr, std::string_view zeile);
    Anweisung Anweisunglesen(int nr, std::string_view zeile, std::size_t& pos);
    Art Befehlsart(int nr, const std::string& befehl, Anweisung& a);
    bool ZelleLesen(int nr, std::string_view zeile, std::size_t& pos, std::string& text);
    void Fuellen(int nr);
    void Org(int nr, const std::string& operand);
    std::optional<long> Wert(int nr, const std::string& operand, long hoechstens, bool nurFrueher);
    std::string Zelltext(int nr, const Anweisung& a);
    void Fehler(int nr, std::string text) { ergebnis_.Fehler.push_back({nr, Zeile(nr) + std::move(text)}); }

    const std::vector<std::string>& zeilen_;
    const TBefehlsnamen& namen_;
    TUebersetzung ergebnis_;
    std::map<std::string, Marke> marken_;
    std::array<int, kZellen> gefuelltIn_{};  // line that filled the cell; 0 = none
    std::vector<Fuellung> fuellungen_;
    std::vector<std::string> offen_;  // labels that still wait for the next cell filled
    int adresse_ = 0;
};

TUebersetzung Uebersetzer::Ergebnis() {
    ergebnis_.Zellen.fill("00.000");
    for (std::size_t i = 0; i < zeilen_.size(); ++i) Zerlege(static_cast<int>(i) + 1, zeilen_[i]);
    // Operands may name labels defined further down.
    for (const Fuellung& f : fuellungen_) {
        std::string text = Zelltext(f.zeile, f.anweisung);
        if (f.adresse < kZellen) ergebnis_.Zellen[f.adresse] = std::move(text);
    }
    std::stable_sort(ergebnis_.Fehler.begin(), ergebnis_.Fehler.end(),
                     [](const Fehlerzeile& a, const Fehlerzeile& b) { return a.zeile < b.zeile; });
    if (!ergebnis_.Gelungen()) ergebnis_.Zellen.fill("00.000");
    return std::move(ergebnis_);
}

void Uebersetzer::Zerlege(int nr, std::string_view zeile) {
    std::size_t pos = 0;
    while (pos < zeile.size() && IstBlank(zeile[pos])) ++pos;
    std::size_t ende = pos;
    while (ende < zeile.size() && IstNamenszeichen(zeile[ende])) ++ende;
    if (ende < zeile.size() && zeile[ende] == ':' && IstName(zeile.substr(pos, ende - pos))) {
        const std::string name(zeile.substr(pos, ende - pos));
        if (const auto alt = marken_.find(name); alt != marken_.end()) {
            Fehler(nr, "Marke " + Zitat(name) + " ist schon in Zeile " + std::to_string(alt->second.zeile) +
                           " definiert");
        } else {
            marken_.emplace(name, Marke{adresse_, nr});
            offen_.push_back(name);
        }
        pos = ende + 1;
    }
    Anweisung anweisung = Anweisunglesen(nr, zeile, pos);
    if (anweisung.art == Art::Leer) return;
    if (anweisung.art == Art::Org) return Org(nr, anweisung.operand);
    Fuellen(nr);
    offen_.clear();
    fuellungen_.push_back({adresse_, nr, std::move(anweisung)});
    ++adresse_;
}

// The statement after the label. One with an error still takes its cell
// (Art::Falsch); a faulty ORG changes nothing (Art::Leer).
Anweisung Uebersetzer::Anweisunglesen(int nr, std::string_view zeile, std::size_t& pos) {
    auto blanks = [&] {
        while (pos < zeile.size() && IstBlank(zeile[pos])) ++pos;
    };
    auto wort = [&] {
        const std::size_t anfang = pos;
        while (pos < zeile.size() && !IstBlank(zeile[pos]) && zeile[pos] != ';') ++pos;
        return std::string(zeile.substr(anfang, pos - anfang));
    };
    blanks();
    Anweisung a;
    const std::string befehl = wort();
    if (befehl.empty()) return a;
    a.art = Befehlsart(nr, befehl, a);
    if (a.art == Art::Zelle && !ZelleLesen(nr, zeile, pos, a.text)) a.art = Art::Falsch;
    if (a.art == Art::Falsch) return a;
    blanks();
    if (a.art == Art::Befehl || a.art == Art::Org || a.art == Art::Dat) a.operand = wort();
    const Art beiFehler = a.art == Art::Org ? Art::Leer : Art::Falsch;
    if ((a.art == Art::Org || a.art == Art::Dat) && a.operand.empty()) {
        Fehler(nr, Gross(befehl) + " braucht einen Operanden");
        a.art = beiFehler;
    }
    blanks();
    if (pos < zeile.size() && zeile[pos] != ';') {
        const std::string_view rest = zeile.substr(pos, zeile.find(';', pos) - pos);
        Fehler(nr, "Text nach der Anweisung: " + Zitat(OhneBlanks(rest)));
        a.art = beiFehler;
    }
    return a;
}

// Directives win over mnemonics of the same name, and so does a cell text.
Art Uebersetzer::Befehlsart(int nr, const std::string& befehl, Anweisung& a) {
    const std::string gross = Gross(befehl);
    if (gross == DirektiveZelle) return Art::Zelle;
    if (gross == DirektiveOrg) return Art::Org;
    if (gross == DirektiveDat) return Art::Dat;
    if (HatZellform(befehl)) {
        a.text = befehl;
        return Art::Zelltext;
    }
    const std::vector<int> opcodes = namen_.Opcodes(befehl);
    if (const std::size_t doppelpunkt = befehl.find(':'); opcodes.empty() && doppelpunkt != std::string::npos) {
        Fehler(nr, "Marke " + Zitat(befehl.substr(0, doppelpunkt)) +
                       " ist ung\xFCltig: ein Buchstabe, dann Buchstaben, Ziffern oder \"_\"");
        return Art::Falsch;
    }
    if (opcodes.empty()) {
        Fehler(nr, "Unbekannter Befehl " + Zitat(befehl));
        return Art::Falsch;
    }
    if (opcodes.size() > 1) {
        Fehler(nr, "Mnemonic " + Zitat(befehl) + " ist mehrdeutig (Opcodes " + Opcodeliste(opcodes) + ")");
        return Art::Falsch;
    }
    a.opcode = opcodes.front();
    return Art::Befehl;
}

// ZELLE "text": "" inside stands for one quote.
bool Uebersetzer::ZelleLesen(int nr, std::string_view zeile, std::size_t& pos, std::string& text) {
    while (pos < zeile.size() && IstBlank(zeile[pos])) ++pos;
    if (pos >= zeile.size() || zeile[pos] != '"') {
        Fehler(nr, "ZELLE braucht einen Text in Anf\xFChrungszeichen");
        pos = zeile.size();
        return false;
    }
    for (++pos; pos < zeile.size(); ++pos) {
        if (zeile[pos] != '"') {
            text += zeile[pos];
        } else if (pos + 1 < zeile.size() && zeile[pos + 1] == '"') {
            text += '"';
            ++pos;
        } else {
            ++pos;
            return true;
        }
    }
    Fehler(nr, "Das schlie\xDF" "ende Anf\xFChrungszeichen fehlt");
    return false;
}

void Uebersetzer::Fuellen(int nr) {
    if (adresse_ >= kZellen) {
        Fehler(nr, "Adresse " + std::to_string(adresse_) + " liegt hinter dem RAM (h\xF6" "chstens 127)");
        return;
    }
    if (gefuelltIn_[adresse_] != 0) {
        Fehler(nr, "Zelle " + ZahlDreistellig(static_cast<unsigned>(adresse_)) + " wurde schon in Zeile " +
                       std::to_string(gefuelltIn_[adresse_]) + " gef\xFCllt");
        return;
    }
    gefuelltIn_[adresse_] = nr;
}

void Uebersetzer::Org(int nr, const std::string& operand) {
    const std::optional<long> ziel = Wert(nr, operand, kZellen - 1, true);
    if (!ziel) return;
    adresse_ = static_cast<int>(*ziel);
    // A label stands for the next cell the text fills, which now lies here.
    for (const std::string& name : offen_) marken_.at(name).adresse = adresse_;
}

// A decimal number or a label; nurFrueher: the label must stand above.
std::optional<long> Uebersetzer::Wert(int nr, const std::string& operand, long hoechstens, bool nurFrueher) {
    long wert = 0;
    if (IstName(operand)) {
        const auto marke = marken_.find(operand);
        if (marke == marken_.end() || (nurFrueher && marke->second.zeile >= nr)) {
            Fehler(nr, "Marke " + Zitat(operand) + (nurFrueher ? " ist vor dieser Zeile nicht definiert"
                                                               : " ist nicht definiert"));
            return std::nullopt;
        }
        wert = marke->second.adresse;
    } else if (!operand.empty() && std::all_of(operand.begin(), operand.end(), IstZiffer)) {
        for (char c : operand) wert = std::min(kGrenze, wert * 10 + (c - '0'));
    } else {
        Fehler(nr, "Operand " + Zitat(operand) + " ist keine Zahl und keine Marke");
        return std::nullopt;
    }
    if (wert > hoechstens) {
        const std::string gezeigt = IstName(operand) ? operand + " = " + std::to_string(wert) : operand;
        Fehler(nr, "Operand " + gezeigt + " liegt nicht zwischen 0 und " + std::to_string(hoechstens));
        return std::nullopt;
    }
    return wert;
}

std::string Uebersetzer::Zelltext(int nr, const Anweisung& a) {
    switch (a.art) {
        case Art::Befehl: {
            const long operand = a.operand.empty() ? 0 : Wert(nr, a.operand, 255, false).value_or(0);
            return ZahlZweistellig(static_cast<unsigned>(a.opcode)) + "." +
                   ZahlDreistellig(static_cast<unsigned>(operand));
        }
        case Art::Dat: {
            const std::optional<long> wert = Wert(nr, a.operand, 65535, false);
            std::string text = WortZuZellText(static_cast<Wort>(wert.value_or(0)));
            if (wert && !ZelleKorrekt(text))
                Fehler(nr, "DAT " + a.operand + " ergibt den Zellinhalt " + Zitat(text) + ", der nicht korrekt ist");
            return text;
        }
        case Art::Zelltext:
            if (!ZelleKorrekt(a.text)) Fehler(nr, "Der Zellinhalt " + Zitat(a.text) + " ist nicht korrekt");
            return a.text;
        case Art::Zelle:
            return a.text;  // verbatim on purpose: the way to write an incorrect cell
        default:
            return "00.000";
    }
}

}  // namespace

TUebersetzung Uebersetze(const std::vector<std::string>& zeilen, const TBefehlsnamen& namen) {
    return Uebersetzer(zeilen, namen).Ergebnis();
}

TUebersetzung Uebersetze(const TProgrammtext& text, const TBefehlsnamen& namen) {
    TUebersetzung u = Uebersetze(text.Zeilen, namen);
    if (text.Zeichenfehler.empty()) return u;
    u.Fehler.insert(u.Fehler.end(), text.Zeichenfehler.begin(), text.Zeichenfehler.end());
    std::stable_sort(u.Fehler.begin(), u.Fehler.end(),
                     [](const Fehlerzeile& a, const Fehlerzeile& b) { return a.zeile < b.zeile; });
    u.Zellen.fill("00.000");
    return u;
}

}  // namespace ventaro::programmtext
