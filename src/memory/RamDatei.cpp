#include "memory/RamDatei.h"

#include <vector>

#include "core/Fehler.h"
#include "core/Maschine.h"
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

// ---- The commands of the "Datei" menu, after their dialogs.

void TMaschine::RamDateiOeffnen(const std::string& pfad) {
    RamInhalt inhalt = LeseRamDatei(pfad);
    // Cleared only now: a failed open never marks unsaved edits as saved.
    RamEditiert = false;
    Dateititel = PfadText(Dateiname(pfad));
    // The opened file becomes the save target, so "Speichern" writes the file
    // the title names.
    RamDateiname = pfad;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) Ram.SetzeText(a, std::move(inhalt[a]));
    RAMGridExit();
    ResetBtnClick();
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
