// Cells that come from a program text rather than a RAM file.
#include "machine/Maschine.h"

#include "core/Textdatei.h"
#include "programtext/Befehlsnamen.h"
#include "programtext/ProgrammtextDatei.h"
#include "programtext/Uebersetzer.h"

namespace ventaro {

void TMaschine::ZellenUebernehmen(RamInhalt zellen) {
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) zustand_.Ram.SetzeText(a, std::move(zellen[a]));
    AllePruefen();
    // Part of taking the cells, not an action of its own to undo.
    sequenzer_.Reset();
}

std::vector<programmtext::Fehlerzeile> TMaschine::ProgrammtextOeffnen(const std::string& pfad) {
    programmtext::TUebersetzung u =
        programmtext::Uebersetze(programmtext::LeseProgrammtext(pfad), programmtext::TBefehlsnamen(tabelle_));
    if (!u.Gelungen()) return std::move(u.Fehler);
    datei_.RamEditiert = false;
    datei_.Dateititel = PfadText(Dateiname(pfad));
    // "Speichern" writes 128 cell lines; over the text it would lose its
    // labels and comments.
    datei_.RamDateiname = "neu";
    haltepunkte_.reset();
    ZellenUebernehmen(std::move(u.Zellen));
    return {};
}

void TMaschine::ProgrammtextUebernehmen(RamInhalt zellen) {
    datei_.RamEditiert = true;
    ZellenUebernehmen(std::move(zellen));
}

}  // namespace ventaro
