// The mikrocode.dat reader on any bytes: it either refuses the file with one
// of its messages and changes nothing, or loads exactly the lines the layout
// names; a table it loaded is written back byte for byte in that layout and
// reads back into the same table, and its working copy holds at most 18
// characters per word.
#include <cstdint>
#include <string>

#include "FuzzHilfe.h"
#include "core/Fehler.h"
#include "core/Textdatei.h"
#include "microcode/Arbeitskopie.h"
#include "microcode/MikrocodeTabelle.h"

using namespace ventaro;
using namespace ventaro::fuzz;

namespace {

constexpr int E = TMikrocodeTabelle::Eintraege;
constexpr int B = TMikrocodeTabelle::MaxBefehle;

bool GleicheTabelle(const TMikrocodeTabelle& a, const TMikrocodeTabelle& b) {
    return a.Befehlsanzahl() == b.Befehlsanzahl() && a.Steuerworte0 == b.Steuerworte0 &&
           a.Steuerworte1 == b.Steuerworte1 && a.Mnemonics == b.Mnemonics;
}

// Opcodes 0..n-1 agree in both tables.
bool GleicheBefehle(const TMikrocodeTabelle& a, const TMikrocodeTabelle& b, int n) {
    for (int c = 0; c < n; ++c) {
        if (a.Mnemonics[c] != b.Mnemonics[c]) return false;
        for (int i = 10 * c; i < 10 * c + 10; ++i)
            if (a.Steuerworte0[i] != b.Steuerworte0[i] || a.Steuerworte1[i] != b.Steuerworte1[i]) return false;
    }
    return true;
}

// Line 1 as a count: an optional "-" and digits; the value if it is one.
bool AlsAnzahl(const std::string& zeile, long long& wert) {
    const bool negativ = !zeile.empty() && zeile[0] == '-';
    const std::string ziffern = zeile.substr(negativ ? 1 : 0);
    if (!NurZiffern(ziffern)) return false;
    const std::size_t erste = ziffern.find_first_not_of('0');
    const std::string wesentlich = erste == std::string::npos ? "0" : ziffern.substr(erste);
    if (wesentlich.size() > 10) return false;
    wert = std::stoll(wesentlich) * (negativ ? -1 : 1);
    return wert >= -2147483648LL && wert <= 2147483647LL;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    const std::string bytes(reinterpret_cast<const char*>(daten), n);
    const std::string pfad = Arbeitsverzeichnis() + "/mikrocode.dat";
    SchreibeDatei(pfad, bytes);

    // A table that already holds something, so that every change shows.
    static const TMikrocodeTabelle vorher = [] {
        TMikrocodeTabelle t;
        for (int i = 0; i < E; ++i) {
            t.Steuerworte0[i] = "a" + std::to_string(i);
            t.Steuerworte1[i] = "b" + std::to_string(i);
        }
        for (int c = 0; c < B; ++c) t.Mnemonics[c] = "m" + std::to_string(c);
        return t;
    }();
    TMikrocodeTabelle tabelle = vorher;
    tabelle.SetzePfad(pfad);

    const std::vector<std::string> zeilen = ZeilenVon(bytes);
    const std::string erste = zeilen.empty() ? std::string() : zeilen[0];
    long long anzahl = 0;
    const bool istZahl = AlsAnzahl(erste, anzahl);
    try {
        tabelle.AllesLaden();
    } catch (const Fehler& fehler) {
        const std::string meldung = fehler.Text();
        PRUEFE(GleicheTabelle(tabelle, vorher));
        if (!istZahl) {
            PRUEFE(meldung == meldung::KeinIntegerwert(erste));
        } else {
            PRUEFE(anzahl < 0 || anzahl > B);
            PRUEFE(meldung == meldung::UnzulaessigeBefehlsanzahl(pfad, anzahl));
        }
        return 0;
    }
    PRUEFE(istZahl && anzahl >= 0 && anzahl <= B);
    const int befehle = tabelle.Befehlsanzahl();
    PRUEFE(befehle == anzahl);
    const auto zeile = [&zeilen](std::size_t nummer) { return nummer <= zeilen.size() ? zeilen[nummer - 1] : std::string(); };
    for (int c = 0; c < B; ++c) {
        const bool geladen = c < befehle;
        PRUEFE(tabelle.Mnemonics[c] == (geladen ? zeile(2 + 11 * c) : vorher.Mnemonics[c]));
        for (int s = 0; s < 10; ++s) {
            const int i = 10 * c + s;
            PRUEFE(tabelle.Steuerworte0[i] == (geladen ? zeile(3 + 11 * c + s) : vorher.Steuerworte0[i]));
            PRUEFE(tabelle.Steuerworte1[i] == (geladen ? zeile(3 + 11 * befehle + 11 * c + s) : vorher.Steuerworte1[i]));
        }
    }

    TArbeitskopie kopie;
    kopie.MikrocodeKopieren(tabelle);
    for (int i = 0; i < E; ++i) {
        PRUEFE(kopie.Mikrocode0[i].Laenge() <= 18 && kopie.Mikrocode1[i].Laenge() <= 18);
        PRUEFE(kopie.Mikrocode0[i].Text() == std::string_view(tabelle.Steuerworte0[i]).substr(0, 18));
        PRUEFE(kopie.Mikrocode1[i].Text() == std::string_view(tabelle.Steuerworte1[i]).substr(0, 18));
    }

    // Written back: the count, then both sections in the layout, CR LF after
    // every line; loaded again: the same opcodes.
    const std::string ziel = Arbeitsverzeichnis() + "/zurueck.dat";
    tabelle.SetzePfad(ziel);
    tabelle.AllesSpeichern();
    std::vector<std::string> erwartet = {std::to_string(befehle)};
    for (const auto* worte : {&tabelle.Steuerworte0, &tabelle.Steuerworte1}) {
        for (int c = 0; c < befehle; ++c) {
            erwartet.push_back(tabelle.Mnemonics[c]);
            for (int s = 0; s < 10; ++s) erwartet.push_back((*worte)[10 * c + s]);
        }
    }
    PRUEFE(LeseDatei(ziel) == MitZeilenenden(erwartet));
    TMikrocodeTabelle wieder;
    wieder.SetzePfad(ziel);
    wieder.AllesLaden();
    PRUEFE(wieder.Befehlsanzahl() == befehle);
    PRUEFE(GleicheBefehle(wieder, tabelle, befehle));
    return 0;
}
