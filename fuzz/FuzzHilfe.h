#pragma once
// Plumbing shared by the fuzz targets: invariant checks, a reader of the
// fuzzer's bytes, a working directory for files, and reference versions of
// the rules the targets check the program against. The references are
// written apart from the program's code on purpose: a target compares the
// two, so a fault in one shows as a difference.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace ventaro::fuzz {

// A violated invariant ends the run with a report: libFuzzer records the
// input as a finding, the corpus replay fails.
[[noreturn]] inline void Verletzt(const char* was, const char* datei, int zeile) {
    std::fprintf(stderr, "%s:%d: Invariante verletzt: %s\n", datei, zeile, was);
    std::fflush(stderr);
    std::abort();
}
#define PRUEFE(bedingung) ((bedingung) ? (void)0 : ::ventaro::fuzz::Verletzt(#bedingung, __FILE__, __LINE__))

// Takes the fuzzer's bytes front to back; past their end every value is 0 and
// every text empty, so any input is a complete run.
class Eingabe {
public:
    Eingabe(const std::uint8_t* daten, std::size_t n) : daten_(daten), n_(n) {}

    bool Leer() const { return pos_ >= n_; }
    std::uint8_t Byte() { return pos_ < n_ ? daten_[pos_++] : 0; }
    std::uint16_t Wort16() {
        const std::uint16_t tief = Byte();
        return static_cast<std::uint16_t>(tief | (Byte() << 8));
    }
    // A number from min to max.
    int Bereich(int min, int max) { return min + static_cast<int>(Wort16() % static_cast<unsigned>(max - min + 1)); }
    // Exactly laenge bytes, fewer at the end of the input.
    std::string Bytes(std::size_t laenge) {
        const std::size_t k = laenge < n_ - pos_ ? laenge : n_ - pos_;
        std::string text(reinterpret_cast<const char*>(daten_ + pos_), k);
        pos_ += k;
        return text;
    }
    // A text of a length byte (at most maxLaenge) and that many bytes.
    std::string Text(std::size_t maxLaenge) { return Bytes(Byte() % (maxLaenge + 1)); }

private:
    const std::uint8_t* daten_;
    std::size_t n_;
    std::size_t pos_ = 0;
};

// A directory of this process for the files the targets write; removed when
// the process ends normally.
inline const std::string& Arbeitsverzeichnis() {
    struct Verzeichnis {
        std::string pfad;
        Verzeichnis() {
            std::string vorlage = (std::filesystem::temp_directory_path() / "ventaro-fuzz-XXXXXX").string();
            if (!::mkdtemp(vorlage.data())) Verletzt("mkdtemp", __FILE__, __LINE__);
            pfad = vorlage;
        }
        ~Verzeichnis() {
            std::error_code fehler;
            std::filesystem::remove_all(pfad, fehler);
        }
    };
    static const Verzeichnis verzeichnis;
    return verzeichnis.pfad;
}

inline void SchreibeDatei(const std::string& pfad, std::string_view bytes) {
    std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
    aus.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    PRUEFE(aus.good());
}

inline std::string LeseDatei(const std::string& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

// Lines of a text file: CR LF, a lone CR and a lone LF each end a line; a
// final line end makes no extra line.
inline std::vector<std::string> ZeilenVon(std::string_view bytes) {
    std::vector<std::string> zeilen;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        zeilen.emplace_back(bytes.substr(anfang, i - anfang));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        anfang = i + 1;
    }
    if (anfang < bytes.size()) zeilen.emplace_back(bytes.substr(anfang));
    return zeilen;
}

// Every text followed by CR LF, as the program writes its files.
inline std::string MitZeilenenden(const std::vector<std::string>& zeilen) {
    std::string bytes;
    for (const std::string& zeile : zeilen) bytes.append(zeile).append("\r\n");
    return bytes;
}

inline bool OhneZeilenende(std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; }

inline bool NurZiffern(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// The correct cell text HH.LLL: operation code 00 to 29, operand 000 to 255.
inline bool KorrekteZelle(std::string_view t) {
    if (t.size() != 6 || t[2] != '.' || !NurZiffern(t.substr(0, 2)) || !NurZiffern(t.substr(3))) return false;
    return std::stoi(std::string(t.substr(0, 2))) <= 29 && std::stoi(std::string(t.substr(3))) <= 255;
}

// A text the Write gate can put into a cell: WortZuZellText of some word,
// "HH.LLL" with a high part of two or three digits.
inline bool GeschriebeneZelle(std::string_view t) {
    const std::size_t punkt = t.find('.');
    if (punkt != 2 && punkt != 3) return false;
    if (!NurZiffern(t.substr(0, punkt)) || t.size() != punkt + 4 || !NurZiffern(t.substr(punkt + 1))) return false;
    const int hoch = std::stoi(std::string(t.substr(0, punkt)));
    const int tief = std::stoi(std::string(t.substr(punkt + 1)));
    return hoch <= 255 && tief <= 255 && (punkt == 2 || hoch >= 100);
}

inline bool BeginntMit(std::string_view text, std::string_view anfang) { return text.substr(0, anfang.size()) == anfang; }

}  // namespace ventaro::fuzz
