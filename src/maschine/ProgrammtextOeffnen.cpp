// Cells that come from a program text rather than a RAM file.
#include "maschine/Maschine.h"

#include "core/Textdatei.h"

namespace ventaro {

void TMaschine::ZellenUebernehmen(RamInhalt zellen) {
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) Ram.SetzeText(a, std::move(zellen[a]));
    RAMGridExit();
    // Part of taking the cells, not an action of its own to undo.
    TSequenzer::ResetBtnClick();
}

void TMaschine::ProgrammtextOeffnen(RamInhalt zellen, const std::string& pfad) {
    RamEditiert = false;
    Dateititel = PfadText(Dateiname(pfad));
    // "Speichern" writes 128 cell lines; over the text it would lose its
    // labels and comments.
    RamDateiname = "neu";
    haltepunkte_.reset();
    ZellenUebernehmen(std::move(zellen));
}

void TMaschine::ProgrammtextUebernehmen(RamInhalt zellen) {
    RamEditiert = true;
    ZellenUebernehmen(std::move(zellen));
}

}  // namespace ventaro
