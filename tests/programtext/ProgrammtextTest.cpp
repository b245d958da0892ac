// The program text: small texts with their cells or their error lines, the
// file's character sets and line ends, the round trip cells -> text -> cells
// over random RAM contents, and the shipped examples.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "memory/RamDatei.h"
#include "programtext/AlsProgrammtext.h"
#include "programtext/ProgrammtextDatei.h"
#include "programtext/Uebersetzer.h"

namespace ventaro::programmtext {
namespace {

namespace fs = std::filesystem;

// Opcode 3 is written with blanks and in lower case, 4 and 5 share a name,
// 6 has none, 7 is named like a directive, 9 lies beyond the count in use.
TBefehlsnamen Testnamen() {
    std::array<std::string, TBefehlsnamen::MaxBefehle> m{};
    const char* namen[] = {"HLT", "LDA", "STA", " ldk\t", "ADD", "add", "", "ORG", "SPR", "JMP"};
    for (int c = 0; c < 10; ++c) m[c] = namen[c];
    return TBefehlsnamen(m, 9);
}

TBefehlsnamen Lieferung() {
    TMikrocodeTabelle tabelle;
    tabelle.SetzePfad(VENTARO_MIKROCODE);
    tabelle.AllesLaden();
    return TBefehlsnamen(tabelle);
}

struct Fall {
    const char* text;
    std::map<int, std::string> zellen;  // the others are "00.000"
    std::vector<std::string> fehler;    // when not empty, no cells
};

const std::vector<Fall>& Faelle() {
    static const std::vector<Fall> faelle = {
        {"LDA 5", {{0, "01.005"}}, {}},
        {"  ldk 7 ; Akku := 7\n\nLdK", {{0, "03.007"}, {1, "03.000"}}, {}},
        {"\tLDA\t3\t;\tTabs", {{0, "01.003"}}, {}},
        {"start: LDA ende\r\nende: HLT", {{0, "01.001"}, {1, "00.000"}}, {}},
        {"SPR weiter\rORG 40\rweiter:\rSTA 255", {{0, "08.040"}, {40, "02.255"}}, {}},
        {"daten:\norg 20\nDAT daten\nSchleife_\xE4:DAT Schleife_\xE4", {{20, "00.020"}, {21, "00.021"}}, {}},
        {"DAT 10\nDAT 7679\nDAT 0", {{0, "00.010"}, {1, "29.255"}}, {}},
        {"ZELLE \"a\"\"b; c\" ; Kommentar\nzelle \"\"\nZELLE\t\" x\t\"", {{0, "a\"b; c"}, {1, ""}, {2, " x\t"}}, {}},
        {"29.255\nZELLE \"99.999\"\nORG 1", {{0, "29.255"}, {1, "99.999"}}, {}},
        {"ORG 3\nLDA 1", {{3, "01.001"}}, {}},  // ORG wins over the mnemonic ORG
        {"LDX 5", {}, {"Zeile 1: Unbekannter Befehl \"LDX\""}},
        {"JMP 5", {}, {"Zeile 1: Unbekannter Befehl \"JMP\""}},
        {"HLT\nADD 1", {}, {"Zeile 2: Mnemonic \"ADD\" ist mehrdeutig (Opcodes 04 und 05)"}},
        {"a: HLT\na: HLT", {}, {"Zeile 2: Marke \"a\" ist schon in Zeile 1 definiert"}},
        {"LDA nirgends", {}, {"Zeile 1: Marke \"nirgends\" ist nicht definiert"}},
        {"ORG spaeter\nspaeter: HLT", {}, {"Zeile 1: Marke \"spaeter\" ist vor dieser Zeile nicht definiert"}},
        {"LDA 1000\nDAT 65536\nORG 128", {},
         {"Zeile 1: Operand 1000 liegt nicht zwischen 0 und 255",
          "Zeile 2: Operand 65536 liegt nicht zwischen 0 und 65535",
          "Zeile 3: Operand 128 liegt nicht zwischen 0 und 127"}},
        // Cells that the check of all cells would reject; ZELLE writes any text.
        {"LDK 256\nDAT 7680\n30.000\nZELLE \"30.000\"", {},
         {"Zeile 1: Operand 256 liegt nicht zwischen 0 und 255",
          "Zeile 2: DAT 7680 ergibt den Zellinhalt \"30.000\", der nicht korrekt ist",
          "Zeile 3: Der Zellinhalt \"30.000\" ist nicht korrekt"}},
        {"1a: HLT\nx-y:\nLDX", {},
         {"Zeile 1: Marke \"1a\" ist ung\xFCltig: ein Buchstabe, dann Buchstaben, Ziffern oder \"_\"",
          "Zeile 2: Marke \"x-y\" ist ung\xFCltig: ein Buchstabe, dann Buchstaben, Ziffern oder \"_\"",
          "Zeile 3: Unbekannter Befehl \"LDX\""}},
        {"ORG 127\nHLT\nende:\nORG ende", {}, {"Zeile 4: Operand ende = 128 liegt nicht zwischen 0 und 127"}},
        {"LDA 1x\nDAT -1", {},
         {"Zeile 1: Operand \"1x\" ist keine Zahl und keine Marke",
          "Zeile 2: Operand \"-1\" ist keine Zahl und keine Marke"}},
        {"LDA 1\nORG 0\nLDA 2", {}, {"Zeile 3: Zelle 000 wurde schon in Zeile 1 gef\xFCllt"}},
        {"ORG 127\nHLT\nHLT", {}, {"Zeile 3: Adresse 128 liegt hinter dem RAM (h\xF6" "chstens 127)"}},
        {"LDA 1 2\n01.002 x ; y", {},
         {"Zeile 1: Text nach der Anweisung: \"2\"", "Zeile 2: Text nach der Anweisung: \"x\""}},
        {"ORG\nDAT ; nichts", {},
         {"Zeile 1: ORG braucht einen Operanden", "Zeile 2: DAT braucht einen Operanden"}},
        {"ZELLE abc\nZELLE \"abc", {},
         {"Zeile 1: ZELLE braucht einen Text in Anf\xFChrungszeichen",
          "Zeile 2: Das schlie\xDF" "ende Anf\xFChrungszeichen fehlt"}},
        // A statement with an error keeps its cell; undefined labels are
        // found last but reported in line order.
        {"LDA spaeter\nLDX\nSTA 1\nORG 2\nHLT", {},
         {"Zeile 1: Marke \"spaeter\" ist nicht definiert", "Zeile 2: Unbekannter Befehl \"LDX\"",
          "Zeile 5: Zelle 002 wurde schon in Zeile 3 gef\xFCllt"}},
    };
    return faelle;
}

TEST(Programmtext, TranslatesTextsIntoCellsOrErrorLines) {
    const TBefehlsnamen namen = Testnamen();
    for (const Fall& fall : Faelle()) {
        SCOPED_TRACE(fall.text);
        const TUebersetzung u = Uebersetze(InZeilen(fall.text), namen);
        std::vector<std::string> fehler;
        for (const Fehlerzeile& f : u.Fehler) fehler.push_back(f.text);
        EXPECT_EQ(fehler, fall.fehler);
        for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) {
            const auto erwartet = fall.zellen.find(a);
            EXPECT_EQ(u.Zellen[a], erwartet == fall.zellen.end() ? "00.000" : erwartet->second) << a;
        }
    }
}

void Schreibe(const std::string& pfad, const std::string& bytes) { std::ofstream(pfad, std::ios::binary) << bytes; }

std::string Lies(const std::string& pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(datei), {}};
}

TEST(Programmtext, FilesReadAnyLineEndsAndUtf8WithOrWithoutByteOrderMark) {
    struct Datei {
        std::string bytes;
        std::vector<std::string> zeilen;
        std::vector<std::string> fehler;  // of the whole translation
    };
    const std::vector<Datei> dateien = {
        {";a\r\n;b\n;c\r;d\n\r;e", {";a", ";b", ";c", ";d", "", ";e"}, {}},
        {";\xE4\x80\r\n", {";\xE4\x80"}, {}},  // Windows-1252 stays as it is
        {"Gr\xF6\xDF" "e: HLT", {"Gr\xF6\xDF" "e: HLT"}, {}},
        {"\xEF\xBB\xBF\xC3\xA4\xE2\x82\xAC\n", {"\xE4\x80"}, {"Zeile 1: Unbekannter Befehl \"\xE4\x80\""}},
        {"; UTF-8 ohne BOM\nGr\xC3\xB6\xC3\x9F" "e: HLT", {"; UTF-8 ohne BOM", "Gr\xF6\xDF" "e: HLT"}, {}},
        {"\xEF\xBB\xBFZELLE \"\xE2\x9C\x93\"\n; \xF0\x9F\x98\x80 \xE2\x9C\x93 \xF0\x9F\x98\x80 \xC3\xA4",
         {"ZELLE \"?\"", "; ? ? ? \xE4"},
         {"Zeile 1: Zeichen U+2713 gibt es in Windows-1252 nicht",
          "Zeile 2: Zeichen U+1F600 und U+2713 gibt es in Windows-1252 nicht"}},
    };
    fs::create_directories(VENTARO_ARBEIT);
    const std::string pfad = std::string(VENTARO_ARBEIT) + "/lesen.asm";
    for (const Datei& d : dateien) {
        SCOPED_TRACE(d.bytes);
        Schreibe(pfad, d.bytes);
        const TProgrammtext text = LeseProgrammtext(pfad);
        EXPECT_EQ(text.Zeilen, d.zeilen);
        std::vector<std::string> fehler;
        for (const Fehlerzeile& f : Uebersetze(text, Lieferung()).Fehler) fehler.push_back(f.text);
        EXPECT_EQ(fehler, d.fehler);
    }
    SchreibeProgrammtext(pfad, {"LDA 1", "\xE4"});
    EXPECT_EQ(Lies(pfad), "LDA 1\r\n\xE4\r\n");
}

// Cells of every kind: runs of "00.000", instruction words (jumps among
// them), other digit forms, and any bytes but line ends, quotes included.
RamInhalt ZufallsRam(std::mt19937& zufall) {
    auto bis = [&](int n) { return static_cast<int>(zufall() % static_cast<unsigned>(n)); };
    auto ziffern = [&](int n) {
        std::string z;
        for (int i = 0; i < n; ++i) z += static_cast<char>('0' + bis(10));
        return z;
    };
    RamInhalt ram;
    const int fuellung = bis(128);
    for (std::string& zelle : ram) {
        const int art = bis(128) < fuellung ? bis(6) : 0;
        if (art == 0) zelle = "00.000";
        if (art == 1) zelle = (bis(30) < 10 ? "0" : "") + std::to_string(bis(30)) + "." + ziffern(1) + ziffern(2);
        if (art == 2) zelle = (bis(2) ? "17." : "18.") + ("0" + ziffern(2));  // SPR, SPF within the RAM
        if (art == 3) zelle = ziffern(2) + "." + ziffern(3);
        if (art == 4) zelle = "00." + ziffern(3);
        if (art == 5)
            for (int n = bis(9); n > 0; --n) {
                char c = static_cast<char>(bis(256));
                if (c == '\r' || c == '\n') c = '"';
                zelle += c;
            }
    }
    return ram;
}

TEST(Programmtext, AnyRamContentTranslatesBackToTheSameCells) {
    fs::create_directories(VENTARO_ARBEIT);
    const std::string pfad = std::string(VENTARO_ARBEIT) + "/rund.asm";
    std::mt19937 zufall(13);
    for (const TBefehlsnamen& namen : {Lieferung(), Testnamen()}) {
        for (int runde = 0; runde < 100; ++runde) {
            const RamInhalt ram = ZufallsRam(zufall);
            SchreibeProgrammtext(pfad, AlsProgrammtext(ram, namen));
            const TUebersetzung u = Uebersetze(LeseProgrammtext(pfad).Zeilen, namen);
            ASSERT_TRUE(u.Gelungen()) << u.Fehler.front().text << "\n" << Lies(pfad);
            ASSERT_EQ(u.Zellen, ram) << Lies(pfad);
        }
    }
}

TEST(Programmtext, BackTranslationUsesNamesDataAndLabels) {
    RamInhalt ram;
    ram.fill("00.000");
    ram[0] = "01.030";
    ram[1] = "18.000";  // SPF back to 0
    ram[2] = "10.300";
    ram[30] = "00.010";
    ram[31] = "a\"b";
    ram[32] = "30.001";
    const std::vector<std::string> erwartet = {
        "M000:   LDA 30          ; 000",
        "        SPF M000        ; 001",
        "        ZELLE \"10.300\"  ; 002",
        "        HLT             ; 003",
        "        ORG 30",
        "        DAT 10          ; 030",
        "        ZELLE \"a\"\"b\"    ; 031",
        "        ZELLE \"30.001\"  ; 032",
    };
    EXPECT_EQ(AlsProgrammtext(ram, Lieferung()), erwartet);
}

TEST(Programmtext, EveryExampleTextTranslatesToItsRamFile) {
    const TBefehlsnamen namen = Lieferung();
    int beispiele = 0;
    for (const auto& eintrag : fs::directory_iterator(VENTARO_BEISPIELE)) {
        if (eintrag.path().extension() != ".obj") continue;
        fs::path text = eintrag.path();
        text.replace_extension(".asm");
        SCOPED_TRACE(text.string());
        const TUebersetzung u = Uebersetze(LeseProgrammtext(text.string()), namen);
        for (const Fehlerzeile& f : u.Fehler) ADD_FAILURE() << f.text;
        EXPECT_EQ(u.Zellen, LeseRamDatei(eintrag.path().string()));
        ++beispiele;
    }
    EXPECT_EQ(beispiele, 9);
}

}  // namespace
}  // namespace ventaro::programmtext
