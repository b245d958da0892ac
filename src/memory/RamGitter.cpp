// The RAM grid's handlers: the check of all cells, cell selection, cell
// editing and the Enter key.
#include "core/Fehler.h"
#include "core/Maschine.h"

namespace ventaro {

void TMaschine::RAMGridExit() {
    statusart_ = Statusart::Leer;
    bool fehlerhaft = false;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) {
        if (Ram.Korrekt(a)) continue;
        umgebung_->Fehlermeldung(meldung::ZelleNichtKorrekt(static_cast<unsigned>(a)));
        fehlerhaft = true;
    }
    knoepfe_.Mikroschritt = knoepfe_.Start = !fehlerhaft;
}

void TMaschine::RAMGridSelectCell(int /*spalte*/, int zeile) {
    const int adresse = zeile - 1;
    if (!Ram.Korrekt(adresse)) return;  // the panel keeps its text
    const std::string& text = Ram.Text(adresse);
    const int befehl = (text[0] - '0') * 10 + (text[1] - '0');
    // Built in place: the update pass runs this whenever PT or IT moves the
    // row, and it must not allocate once the text has found its size.
    statusart_ = Statusart::Text;
    statustext_.assign(" ").append(Tabelle.Mnemonics[befehl]).append(" ").append(text, 3, 3);
}

void TMaschine::RAMGridSetEditText(int /*spalte*/, int zeile, std::string text) {
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
