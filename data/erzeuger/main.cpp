// mikrocode-erzeugen QUELLE ZIEL: writes the microcode file from its source.
#include <fstream>
#include <iostream>
#include <iterator>

#include "MikrocodeQuelle.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Aufruf: mikrocode-erzeugen mikrocode.quelle mikrocode.dat\n";
        return 2;
    }
    std::ifstream ein(argv[1], std::ios::binary);
    if (!ein) {
        std::cerr << "Datei " << argv[1] << " kann nicht ge\xc3\xb6" "ffnet werden.\n";
        return 1;
    }
    const std::string quelle{std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
    try {
        const std::string datei = ventaro::quelle::MikrocodeAusQuelle(quelle);
        std::ofstream aus(argv[2], std::ios::binary | std::ios::trunc);
        aus << datei;
        if (!aus.flush()) {
            std::cerr << "Datei " << argv[2] << " kann nicht geschrieben werden.\n";
            return 1;
        }
    } catch (const ventaro::quelle::Quellfehler& f) {
        std::cerr << f.what() << '\n';
        return 1;
    }
    return 0;
}
