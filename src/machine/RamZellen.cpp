// The RAM's cells as the user works on them: the check of all cells, a row
// selected, a cell's text handed over or given up, and Enter.
#include "machine/Maschine.h"

#include "core/Fehler.h"

namespace ventaro {

void TMaschine::AllePruefen() {
    VerlaufBeenden();
    zustand_.Anzeige.statusart = Statusart::Leer;
    bool fehlerhaft = false;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) {
        if (zustand_.Ram.Korrekt(a)) continue;
        sequenzer_.Umwelt().Fehlermeldung(meldung::ZelleNichtKorrekt(static_cast<unsigned>(a)));
        fehlerhaft = true;
    }
    zustand_.Aktiv.Mikroschritt = zustand_.Aktiv.Start = !fehlerhaft;
}

void TMaschine::ZeileAngewaehlt(int zeile) { datenpfad_.ZelleDekodieren(zeile - 1); }

void TMaschine::ZelleUebergeben(int adresse, std::string text) {
    VerlaufBeenden();
    zustand_.Ram.SetzeText(adresse, std::move(text));
    datei_.RamEditiert = true;  // every hand-over counts, also of an unchanged text
}

void TMaschine::BearbeitungVerwerfen(int adresse, std::string text, bool warEditiert) {
    zustand_.Ram.SetzeText(adresse, std::move(text));
    datei_.RamEditiert = warEditiert;
}

void TMaschine::EingabeAbschliessen() {
    AllePruefen();
    if (zustand_.Ram.AktuelleZeile() <= 127) ZeileWaehlen(zustand_.Ram.AktuelleZeile() + 1);
}

void TMaschine::ZeileWaehlen(int zeile) {
    if (zeile == zustand_.Ram.AktuelleZeile()) return;
    ZeileAngewaehlt(zeile);
    zustand_.Ram.SetzeAktuelleZeile(zeile);
}

}  // namespace ventaro
