// Without libFuzzer a fuzz target is an ordinary program: it feeds every file
// named on its command line, and every file in every directory named there,
// to the target once. The tests run it over the committed corpus.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> dateien;
    for (int i = 1; i < argc; ++i) {
        const fs::path pfad = argv[i];
        if (fs::is_directory(pfad)) {
            for (const auto& eintrag : fs::directory_iterator(pfad))
                if (eintrag.is_regular_file()) dateien.push_back(eintrag.path());
        } else {
            dateien.push_back(pfad);
        }
    }
    std::sort(dateien.begin(), dateien.end());
    if (dateien.empty()) {
        std::fprintf(stderr, "Keine Eingaben gefunden\n");
        return 1;
    }
    for (const fs::path& datei : dateien) {
        std::ifstream ein(datei, std::ios::binary);
        if (!ein) {
            std::fprintf(stderr, "%s kann nicht gelesen werden\n", datei.c_str());
            return 1;
        }
        const std::string bytes{std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
        std::printf("%s\n", datei.filename().c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu Eingaben ohne Befund\n", dateien.size());
    return 0;
}
