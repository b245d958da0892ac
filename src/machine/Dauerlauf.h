#pragma once
// "Bis zum Halt": microsteps as fast as the machine runs them, in slices the
// caller chooses, until the program halts, a breakpoint is reached, a step
// fails, the user stops it, or the limit is reached.

#include <cstdint>
#include <optional>
#include <string>

namespace ventaro {

class TMaschine;

// Why a run of microsteps ended.
enum class Laufende : std::uint8_t { Halt, Haltepunkt, Fehlschlag, Stopp, Grenze };

class TDauerlauf {
public:
    static constexpr std::uint64_t Grenze = 100000000;

    explicit TDauerlauf(TMaschine& maschine, std::uint64_t grenze = Grenze) : maschine_(maschine), grenze_(grenze) {}

    // Runs at most n further microsteps. The reason the run ended, or none
    // while it may go on. A failed step's message is kept in Meldung().
    std::optional<Laufende> Weiter(std::uint64_t n);
    // The user's stop: the run ends before its next microstep.
    void Stopp();

    std::uint64_t Schritte() const { return schritte_; }
    const std::optional<Laufende>& Ende() const { return ende_; }
    const std::string& Meldung() const { return meldung_; }

private:
    TMaschine& maschine_;
    std::uint64_t grenze_;
    std::uint64_t schritte_ = 0;
    std::optional<Laufende> ende_;
    std::string meldung_;
};

// The "Warnung" shown when a run reached its limit.
std::string GrenzeErreicht(std::uint64_t schritte);

}  // namespace ventaro
