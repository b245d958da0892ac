#include "microcode/MikrocodeTabelle.h"

#include <vector>

#include "core/Fehler.h"
#include "core/Textdatei.h"
#include "core/Wort.h"

namespace ventaro {
namespace {

std::uint16_t LeseBefehlsanzahl(const std::string& zeile, const std::string& pfad) {
    long long anzahl = 0;
    if (!TextZuGanzzahl(zeile, anzahl, /*minusErlaubt=*/true)) throw Fehler(meldung::KeinIntegerwert(zeile));
    if (anzahl < 0 || anzahl > TMikrocodeTabelle::MaxBefehle)
        throw Fehler(meldung::UnzulaessigeBefehlsanzahl(PfadText(pfad), anzahl));
    return static_cast<std::uint16_t>(anzahl);
}

}  // namespace

void TMikrocodeTabelle::FormCreate(const std::string& programmverzeichnis) {
    pfad_ = programmverzeichnis + Dateiname;
    befehlsanzahl_ = 29;
}

std::string TMikrocodeTabelle::Beschriftung() const {
    return std::string("Mikrocode editieren [") + Dateiname + "]";
}

void TMikrocodeTabelle::AllesLaden() {
    // Reading stops after the last line the count needs: what follows in the
    // file is never read, whatever it holds. Nothing changes before the
    // needed lines are all read.
    TZeilenleser leser(pfad_);
    std::string erste;
    leser.Naechste(erste);
    const std::uint16_t n = LeseBefehlsanzahl(erste, pfad_);
    std::vector<std::string> zeilen = {std::move(erste)};
    for (std::string text; zeilen.size() < 1u + 22u * n && leser.Naechste(text);) zeilen.push_back(std::move(text));
    auto zeile = [&zeilen](std::size_t nummer) -> std::string {
        return nummer <= zeilen.size() ? zeilen[nummer - 1] : std::string();
    };
    befehlsanzahl_ = n;
    for (int c = 0; c < n; ++c) {
        Mnemonics[c] = zeile(2 + 11 * c);
        for (int s = 0; s < SchritteProBefehl; ++s) {
            Steuerworte0[Index(c, s)] = zeile(3 + 11 * c + s);
            Steuerworte1[Index(c, s)] = zeile(3 + 11 * n + 11 * c + s);
        }
    }
}

void TMikrocodeTabelle::AllesSpeichern() const {
    std::vector<std::string> zeilen;
    zeilen.reserve(1 + 22 * befehlsanzahl_);
    zeilen.push_back(std::to_string(befehlsanzahl_));
    for (const auto* worte : {&Steuerworte0, &Steuerworte1}) {
        for (int c = 0; c < befehlsanzahl_; ++c) {
            zeilen.push_back(Mnemonics[c]);
            for (int s = 0; s < SchritteProBefehl; ++s) zeilen.push_back((*worte)[Index(c, s)]);
        }
    }
    try {
        SchreibeZeilenSicher(pfad_, zeilen);
    } catch (const SchreibFehler& fehler) {
        throw Fehler(meldung::KannNichtErstelltWerden(PfadText(pfad_), meldung::Systemgrund(fehler.fehlernummer)));
    }
}

bool TMikrocodeTabelle::Flagabhaengig(int befehl) const {
    for (int s = 0; s < SchritteProBefehl; ++s)
        if (Steuerworte0[Index(befehl, s)] != Steuerworte1[Index(befehl, s)]) return true;
    return false;
}

}  // namespace ventaro
