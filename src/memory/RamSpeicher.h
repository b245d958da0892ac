#pragma once
// The RAM: 128 cell texts, exactly as typed or written, and the current row.
// A cell's correctness and word are remembered until its text changes, so the
// update pass reads a cell without parsing it again.

#include <array>
#include <cstdint>
#include <string>

#include "core/Wort.h"

namespace ventaro {

class TRamSpeicher {
public:
    static constexpr int Zellenzahl = 128;

    const std::string& Text(int adresse) const { return zellen_[adresse].text; }
    void SetzeText(int adresse, std::string text);
    bool Korrekt(int adresse) const;
    // ZellTextZuWort of the cell; throws the conversion error like it.
    Wort WortVon(int adresse) const {
        const Zelle& zelle = zellen_[adresse];
        return zelle.wortStand == Stand::Gueltig ? zelle.wort : WortErmitteln(zelle);
    }

    // The grid row, 1 to 128; row r shows address r - 1.
    int AktuelleZeile() const { return aktuelleZeile_; }
    void SetzeAktuelleZeile(int zeile) { aktuelleZeile_ = zeile; }

    // Equal texts and rows; what a cell's check found is no part of the RAM.
    bool operator==(const TRamSpeicher&) const = default;

private:
    enum class Stand : std::uint8_t { Unbekannt, Gueltig, Ungueltig };
    struct Zelle {
        std::string text;
        mutable Stand korrekt = Stand::Unbekannt;
        mutable Stand wortStand = Stand::Unbekannt;
        mutable Wort wort = 0;
        bool operator==(const Zelle& andere) const { return text == andere.text; }
    };
    static Wort WortErmitteln(const Zelle& zelle);

    std::array<Zelle, Zellenzahl> zellen_{};
    int aktuelleZeile_ = 1;
};

}  // namespace ventaro
