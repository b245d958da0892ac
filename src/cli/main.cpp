#include <iostream>

#include "cli/Programm.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return ventaro::cli::Hauptprogramm(argc, argv, std::cout, std::cerr);
}
