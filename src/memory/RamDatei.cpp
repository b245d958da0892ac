#include "memory/RamDatei.h"

#include <vector>

#include "core/Fehler.h"
#include "core/Textdatei.h"

namespace ventaro {

RamInhalt LeseRamDatei(const std::string& pfad) {
    std::vector<std::string> zeilen = LeseZeilen(pfad, TRamSpeicher::Zellenzahl);
    RamInhalt inhalt;
    for (std::size_t i = 0; i < zeilen.size(); ++i) inhalt[i] = std::move(zeilen[i]);
    return inhalt;
}

void SchreibeRamDatei(const std::string& pfad, const RamInhalt& inhalt) {
    try {
        SchreibeZeilenSicher(pfad, std::vector<std::string>(inhalt.begin(), inhalt.end()));
    } catch (const SchreibFehler& fehler) {
        if (fehler.art == SchreibFehler::Art::Schreiben) throw Fehler(meldung::StreamSchreibfehler());
        throw Fehler(meldung::KannNichtErstelltWerden(PfadText(pfad), meldung::Systemgrund(fehler.fehlernummer)));
    }
}

}  // namespace ventaro
