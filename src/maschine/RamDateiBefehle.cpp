// The commands of the "Datei" menu, after their dialogs.
#include "maschine/Maschine.h"

#include "core/Textdatei.h"
#include "memory/RamDatei.h"

namespace ventaro {

void TMaschine::RamDateiOeffnen(const std::string& pfad) {
    RamInhalt inhalt = LeseRamDatei(pfad);
    // Cleared only now: a failed open never marks unsaved edits as saved.
    RamEditiert = false;
    Dateititel = PfadText(Dateiname(pfad));
    // The opened file becomes the save target, so "Speichern" writes the file
    // the title names.
    RamDateiname = pfad;
    haltepunkte_.reset();
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) Ram.SetzeText(a, std::move(inhalt[a]));
    RAMGridExit();
    // Part of opening, not an action of its own to undo.
    TSequenzer::ResetBtnClick();
}

bool TMaschine::RamDateiSpeichern() {
    // Empty after a start-up that stopped early: no target either.
    if (RamDateiname == "neu" || RamDateiname.empty()) return false;
    RamInhalt inhalt;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) inhalt[a] = Ram.Text(a);
    SchreibeRamDatei(RamDateiname, inhalt);
    RamEditiert = false;  // only after the file is written
    return true;
}

void TMaschine::RamDateiSpeichernUnter(const std::string& pfad) {
    // A file really named like the marker must not read as "no target".
    RamDateiname = pfad == "neu" ? "./neu" : pfad;
    Dateititel = PfadText(Dateiname(pfad));
    RamDateiSpeichern();
}

}  // namespace ventaro
