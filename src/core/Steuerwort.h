#pragma once
// A control word of the working copy: at most 18 characters with its own
// length, held in place so that copying it costs no allocation.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "core/Bauteile.h"

namespace ventaro {

class Steuerwort {
public:
    static constexpr std::size_t Kapazitaet = SignalAnzahl;

    Steuerwort() = default;
    // Longer texts are cut to their first 18 characters.
    explicit Steuerwort(std::string_view text) : laenge_(static_cast<std::uint8_t>(std::min(text.size(), Kapazitaet))) {
        std::copy_n(text.begin(), laenge_, zeichen_.begin());
    }

    std::string_view Text() const { return {zeichen_.data(), laenge_}; }
    std::size_t Laenge() const { return laenge_; }
    // Character k, counted from 1; a missing character counts as "0".
    char Signal(int k) const { return static_cast<std::size_t>(k) <= laenge_ ? zeichen_[k - 1] : '0'; }

    friend bool operator==(const Steuerwort& a, const Steuerwort& b) { return a.Text() == b.Text(); }

private:
    std::array<char, Kapazitaet> zeichen_{};
    std::uint8_t laenge_ = 0;
};

}  // namespace ventaro
