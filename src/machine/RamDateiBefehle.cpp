// The commands of the "Datei" menu, after their dialogs.
#include "machine/Maschine.h"

#include "core/Textdatei.h"
#include "memory/RamDatei.h"

namespace ventaro {

void TMaschine::RamDateiOeffnen(const std::string& pfad) {
    RamInhalt inhalt = LeseRamDatei(pfad);
    // Cleared only now: a failed open never marks unsaved edits as saved.
    datei_.RamEditiert = false;
    datei_.Dateititel = PfadText(Dateiname(pfad));
    // The opened file becomes the save target, so "Speichern" writes the file
    // the title names.
    datei_.RamDateiname = pfad;
    haltepunkte_.reset();
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) zustand_.Ram.SetzeText(a, std::move(inhalt[a]));
    AllePruefen();
    // Part of opening, not an action of its own to undo.
    sequenzer_.Reset();
}

bool TMaschine::RamDateiSpeichern() {
    // Empty after a start-up that stopped early: no target either.
    if (datei_.RamDateiname == "neu" || datei_.RamDateiname.empty()) return false;
    RamInhalt inhalt;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) inhalt[a] = zustand_.Ram.Text(a);
    SchreibeRamDatei(datei_.RamDateiname, inhalt);
    datei_.RamEditiert = false;  // only after the file is written
    return true;
}

void TMaschine::RamDateiSpeichernUnter(const std::string& pfad) {
    // A file really named like the marker must not read as "no target".
    datei_.RamDateiname = pfad == "neu" ? "./neu" : pfad;
    datei_.Dateititel = PfadText(Dateiname(pfad));
    RamDateiSpeichern();
}

}  // namespace ventaro
