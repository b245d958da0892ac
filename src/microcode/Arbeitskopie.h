#pragma once
// The machine's working copy of the microcode, from which the sequencer reads
// one control word per microstep.

#include <array>

#include "core/Steuerwort.h"
#include "microcode/MikrocodeTabelle.h"

namespace ventaro {

class TArbeitskopie {
public:
    std::array<Steuerwort, TMikrocodeTabelle::Eintraege> Mikrocode0{};
    std::array<Steuerwort, TMikrocodeTabelle::Eintraege> Mikrocode1{};

    // All 300 entries of both sets, each cut to 18 characters, whatever N is.
    void MikrocodeKopieren(const TMikrocodeTabelle& tabelle);

    // The word at index mpc of the set for the flag; an index beyond the
    // table gives the empty word.
    const Steuerwort& Wort(unsigned mpc, unsigned flag) const {
        static const Steuerwort leer;
        if (mpc >= Mikrocode0.size()) return leer;
        return flag == 0 ? Mikrocode0[mpc] : Mikrocode1[mpc];
    }
};

}  // namespace ventaro
