#pragma once
// An error of a program text, tied to its line.

#include <string>

namespace ventaro::programmtext {

// Windows-1252: "Zeile N: ..." with N counted from 1.
struct Fehlerzeile {
    int zeile;
    std::string text;
};

}  // namespace ventaro::programmtext
