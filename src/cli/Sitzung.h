#pragma once
// A machine driven from the command line: start-up, the script commands and
// the run mode. Every command acts like the window's action it names; a
// failure is caught at the command's boundary and noted like a message box.

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

#include "machine/Aufzeichnung.h"
#include "machine/Maschine.h"
#include "machine/Umgebung.h"

namespace ventaro::cli {

struct Optionen {
    bool json = false;
    bool spur = false;
    std::uint64_t maxMikroschritte = 1000000;
};

// A script line that is no valid command.
class Bedienfehler : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Sitzung : private Umgebung {
public:
    Sitzung(Optionen optionen, std::ostream& aus);

    TMaschine& Maschine() { return maschine_; }
    const std::vector<std::string>& Meldungen() const { return meldungen_; }

    // The start-up sequence without its pause. False when the microcode could
    // not be loaded (the message is then the last one noted).
    bool Hochfahren(const std::string& mikrocodePfad);
    // One script line; throws Bedienfehler for a line that is no command.
    // False when a command on files or on a recording failed (its message
    // is noted); the session goes on as the window would.
    bool Befehl(const std::string& zeile);
    // Microsteps as the clock runs them, until a fetch of opcode 0 or a
    // breakpoint.
    Laufende Lauf(std::uint64_t hoechstens);
    // Prints the state and forgets the messages shown with it.
    void Zeige();

private:
    void Fehlermeldung(const std::string& text) override { meldungen_.push_back(text); }

    // Runs one event handler; a failure becomes its message. True on success.
    template <typename Handler>
    bool Ereignis(Handler&& handler);
    // An event whose failure makes the command fail.
    template <typename Handler>
    void Pflicht(Handler&& handler);
    // A trace line names the MPC and the word as they were before the step.
    struct VorDemSchritt {
        Wort mpc;
        Steuerwort wort;
    };
    VorDemSchritt Vorher() const;
    void Spur(const VorDemSchritt& vorher);
    bool Schritt();
    void Einfach(const std::string& befehl, const std::vector<std::string>& argumente);
    void Reset(const std::vector<std::string>& argumente);
    void Schritte(const std::vector<std::string>& argumente);
    void LaufBefehl(const std::vector<std::string>& argumente);
    void Klick(const std::vector<std::string>& argumente);
    void PCPlus(const std::vector<std::string>& argumente);
    void Alu(const std::vector<std::string>& argumente);
    void Waehle(const std::vector<std::string>& argumente);
    void Pruefen(const std::vector<std::string>& argumente);
    void ZeigeBefehl(const std::vector<std::string>& argumente);
    void Zurueck(const std::vector<std::string>& argumente);
    void BefehlZurueck(const std::vector<std::string>& argumente);
    void Aufzeichnen(const std::vector<std::string>& argumente);
    void Aufnehmen(const std::vector<std::string>& argumente);
    void AufzeichnungEnde(const std::vector<std::string>& argumente);
    void Verwerfen(const std::vector<std::string>& argumente);
    void HaltepunktSetzen(const std::vector<std::string>& argumente);
    void HaltepunktWeg(const std::vector<std::string>& argumente);
    void BisHalt(const std::vector<std::string>& argumente);
    void Zelle(const std::string& rest);
    void ProgrammtextOeffnen(const std::string& pfad);

    Optionen optionen_;
    std::ostream& aus_;
    TMaschine maschine_;
    std::vector<std::string> meldungen_;
    bool fehlgeschlagen_ = false;  // of the command in progress
};

}  // namespace ventaro::cli
