#pragma once
// The machine as the browser page drives it. It answers the machine's calls
// on its surroundings the way a page can: it cannot block or let events in
// between, so a wait is noted with the view at its start (the page shows that
// view and ignores input for as long), and a box the machine asks for is
// queued for the page to show after the command. Every command catches its
// failure the way the desktop window's event handler does.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "machine/Ansicht.h"
#include "machine/Dauerlauf.h"
#include "machine/Maschine.h"
#include "machine/Umgebung.h"

namespace ventaro::web {

// A message box: its title says which ("Ventaro", "Fehler", "Warnung").
struct Meldung {
    std::string titel;
    std::string text;  // Windows-1252
};

class Seitenmaschine final : public Umgebung {
public:
    Seitenmaschine(std::string fenstertitel, const std::string& mikrocodePfad);

    // Runs a command as the window's event handler does: a failure becomes
    // a box titled "Ventaro" with the message and its full stop. False when
    // it failed.
    template <typename Befehl>
    bool Ereignis(Befehl befehl) {
        pause_ = 0;
        try {
            befehl();
            return true;
        } catch (const std::exception& fehler) {
            Fehlschlag(fehler);
            return false;
        }
    }

    TMaschine& Maschine() { return maschine_; }
    const TMaschine& Maschine() const { return maschine_; }
    const TAnsicht& Stand() const { return ansicht_.Stand(); }
    Teile Aktualisieren() { return ansicht_.Aktualisieren(maschine_); }
    std::vector<Meldung> Meldungen();
    void Melde(Meldung meldung) { meldungen_.push_back(std::move(meldung)); }
    int Pause() const { return pause_; }
    const TAnsicht& Zwischenansicht() const { return zwischenansicht_; }

    // "Bis zum Halt" in slices; the page calls Weiter from its timer.
    bool LaufBeginnen();
    std::optional<Laufende> LaufWeiter(std::uint64_t n);
    void LaufStoppen();
    bool Laeuft() const { return lauf_.has_value(); }
    std::uint64_t LaufSchritte() const { return laufSchritte_; }

    // ---- The microcode editor: the table it shows and changes.
    // Reads the file anew, as each opening of the editor does.
    bool TabelleLaden();
    // "Änderung übernehmen": the opcode's mnemonic and ten words per flag.
    void BefehlUebernehmen(int befehl, const std::string& mnemonicUtf8, const std::vector<std::string>& worte0,
                           const std::vector<std::string>& worte1);
    // OK: the file is written (a failure shows) and the machine takes the table.
    void TabelleSpeichern();

    // Umgebung: the page has no events to let in between.
    void Warte(int ms) override;
    void Fehlermeldung(const std::string& text) override;

private:
    void Fehlschlag(const std::exception& fehler);
    void LaufBeenden(Laufende grund);

    std::string fenstertitel_;
    TMaschine maschine_;
    TAnsichtsmodell ansicht_;
    TAnsicht zwischenansicht_;
    int pause_ = 0;
    std::vector<Meldung> meldungen_;
    std::optional<TDauerlauf> lauf_;
    std::uint64_t laufSchritte_ = 0;
};

}  // namespace ventaro::web
