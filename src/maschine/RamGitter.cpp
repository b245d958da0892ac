// The RAM grid's handlers: the check of all cells, cell selection, cell
// editing and the Enter key.
#include "maschine/Maschine.h"

#include "core/Fehler.h"

namespace ventaro {

void TMaschine::RAMGridExit() {
    VerlaufBeenden();
    Anzeige.statusart = Statusart::Leer;
    bool fehlerhaft = false;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) {
        if (Ram.Korrekt(a)) continue;
        Umwelt().Fehlermeldung(meldung::ZelleNichtKorrekt(static_cast<unsigned>(a)));
        fehlerhaft = true;
    }
    Aktiv.Mikroschritt = Aktiv.Start = !fehlerhaft;
}

void TMaschine::RAMGridSelectCell(int /*spalte*/, int zeile) { ZelleDekodieren(zeile - 1); }

void TMaschine::RAMGridSetEditText(int /*spalte*/, int zeile, std::string text) {
    VerlaufBeenden();
    Ram.SetzeText(zeile - 1, std::move(text));
    RamEditiert = true;  // every hand-over counts, also of an unchanged text
}

void TMaschine::RAMGridKeyPress(char zeichen) {
    if (zeichen != '\r') return;
    RAMGridExit();
    if (Ram.AktuelleZeile() <= 127) ZeileWaehlen(Ram.AktuelleZeile() + 1);
}

void TMaschine::ZeileWaehlen(int zeile) {
    if (zeile == Ram.AktuelleZeile()) return;
    RAMGridSelectCell(1, zeile);
    Ram.SetzeAktuelleZeile(zeile);
}

}  // namespace ventaro
