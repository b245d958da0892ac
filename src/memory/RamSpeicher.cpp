#include "memory/RamSpeicher.h"

namespace ventaro {

void TRamSpeicher::SetzeText(int adresse, std::string text) {
    Zelle& zelle = zellen_[adresse];
    zelle.text = std::move(text);
    zelle.korrekt = Stand::Unbekannt;
    zelle.wortStand = Stand::Unbekannt;
}

bool TRamSpeicher::Korrekt(int adresse) const {
    const Zelle& zelle = zellen_[adresse];
    if (zelle.korrekt == Stand::Unbekannt)
        zelle.korrekt = ZelleKorrekt(zelle.text) ? Stand::Gueltig : Stand::Ungueltig;
    return zelle.korrekt == Stand::Gueltig;
}

Wort TRamSpeicher::WortErmitteln(const Zelle& zelle) {
    try {
        zelle.wort = ZellTextZuWort(zelle.text);
    } catch (...) {
        zelle.wortStand = Stand::Ungueltig;
        throw;
    }
    zelle.wortStand = Stand::Gueltig;
    return zelle.wort;
}

}  // namespace ventaro
