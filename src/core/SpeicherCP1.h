#pragma once
// The register cell: a word with an input, a content, an output and a load
// latch. The window draws it from this model; its caption is computed from
// the content only when somebody reads it.

#include <cstdint>
#include <string>

#include "core/Wort.h"

namespace ventaro {

// How the cell looks: as created (never latched), latched (lowered on white),
// or released after having been latched (raised on button face).
enum class Aussehen : std::uint8_t { Erzeugt, Geladen, Freigegeben };

class TSpeicherCP1 {
public:
    TSpeicherCP1() = default;
    explicit TSpeicherCP1(std::string name) : FRegisterName(std::move(name)) {}

    // A latched register takes the value at once; an unlatched one records it.
    void SetEingang(Wort wert) {
        FEingang = wert;
        if (FLaden) SetRegisterInhalt(wert);
    }
    void SetRegisterInhalt(Wort wert);
    void SetLaden(bool an);
    void SetRegisterName(std::string name) { FRegisterName = std::move(name); }

    Wort Eingang() const { return FEingang; }
    Wort RegisterInhalt() const { return FRegisterInhalt; }
    Wort Ausgang() const { return FAusgang; }
    bool Laden() const { return FLaden; }
    const std::string& RegisterName() const { return FRegisterName; }
    Aussehen Look() const { return FAussehen; }
    std::string Beschriftung() const { return WortZuRegisterText(FRegisterInhalt); }

    // Everything but the name, small enough to keep for every microstep.
    struct Stand {
        Wort eingang, inhalt, ausgang;
        bool laden;
        Aussehen aussehen;
    };
    Stand Sichern() const { return {FEingang, FRegisterInhalt, FAusgang, FLaden, FAussehen}; }
    void Wiederherstellen(const Stand& s) {
        FEingang = s.eingang;
        FRegisterInhalt = s.inhalt;
        FAusgang = s.ausgang;
        FLaden = s.laden;
        FAussehen = s.aussehen;
    }

    bool operator==(const TSpeicherCP1&) const = default;

private:
    Wort FEingang = 0;
    Wort FRegisterInhalt = 0;
    std::string FRegisterName = "Reg";
    bool FLaden = false;
    Wort FAusgang = 0;
    Aussehen FAussehen = Aussehen::Erzeugt;
};

}  // namespace ventaro
