#include "machine/Maschinenzustand.h"

namespace ventaro {

TMaschinenzustand::TMaschinenzustand() {
    for (int r = 0; r < RegisterAnzahl; ++r) Registerzellen[r].SetRegisterName(std::string(RegisterNamen[r]));
}

}  // namespace ventaro
