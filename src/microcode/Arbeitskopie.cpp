#include "microcode/Arbeitskopie.h"

namespace ventaro {

void TArbeitskopie::MikrocodeKopieren(const TMikrocodeTabelle& tabelle) {
    for (std::size_t i = 0; i < Mikrocode0.size(); ++i) {
        Mikrocode0[i] = Steuerwort(tabelle.Steuerworte0[i]);
        Mikrocode1[i] = Steuerwort(tabelle.Steuerworte1[i]);
    }
}

}  // namespace ventaro
