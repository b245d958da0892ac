#include "core/SpeicherCP1.h"

namespace ventaro {

void TSpeicherCP1::SetRegisterInhalt(Wort wert) {
    FRegisterInhalt = wert;
    FAusgang = wert;
}

void TSpeicherCP1::SetLaden(bool an) {
    if (an) SetRegisterInhalt(FEingang);  // also when already latched
    if (an == FLaden) return;
    FLaden = an;
    FAussehen = an ? Aussehen::Geladen : Aussehen::Freigegeben;
}

}  // namespace ventaro
