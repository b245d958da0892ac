#include "machine/Dauerlauf.h"

#include "core/Fehler.h"
#include "machine/Maschine.h"

namespace ventaro {

std::optional<Laufende> TDauerlauf::Weiter(std::uint64_t n) {
    for (std::uint64_t i = 0; i < n && !ende_; ++i) {
        if (schritte_ >= grenze_) {
            ende_ = Laufende::Grenze;
            break;
        }
        ++schritte_;
        try {
            maschine_.Mikroschritt();
        } catch (const Fehler& fehler) {
            meldung_ = Meldungstext(fehler.Text());
            ende_ = Laufende::Fehlschlag;
            break;
        }
        ende_ = maschine_.Haltegrund();
    }
    if (!ende_ && schritte_ >= grenze_) ende_ = Laufende::Grenze;
    return ende_;
}

void TDauerlauf::Stopp() {
    if (!ende_) ende_ = Laufende::Stopp;
}

std::string GrenzeErreicht(std::uint64_t schritte) {
    return "Das Programm hat nach " + std::to_string(schritte) +
           " Mikroschritten nicht gehalten. Der Lauf wurde angehalten.";
}

}  // namespace ventaro
