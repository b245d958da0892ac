// mikrocode.dat is generated from mikrocode.quelle: the committed file must be
// exactly what its source gives, and the generator must refuse sources that
// would silently produce wrong words.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <string>

#include "MikrocodeQuelle.h"
#include "microcode/MikrocodeTabelle.h"

namespace ventaro::programme {
namespace {

using quelle::MikrocodeAusQuelle;
using quelle::Quellfehler;

std::string Lies(const char* pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(datei), std::istreambuf_iterator<char>()};
}

TEST(MikrocodeDatei, EntsprichtGenauIhrerQuelle) {
    const std::string datei = Lies(VENTARO_MIKROCODE);
    ASSERT_FALSE(datei.empty());
    EXPECT_TRUE(MikrocodeAusQuelle(Lies(VENTARO_QUELLE)) == datei)
        << "mikrocode.dat neu erzeugen: mikrocode-erzeugen data/mikrocode.quelle data/mikrocode.dat";
}

TEST(MikrocodeDatei, HaeltDreissigBefehleMitIhrenMnemonics) {
    TMikrocodeTabelle tabelle;
    tabelle.SetzePfad(VENTARO_MIKROCODE);
    tabelle.AllesLaden();
    ASSERT_EQ(tabelle.Befehlsanzahl(), 30);
    const std::array<const char*, 30> mnemonics = {
        "HLT", "LDA", "STA", "LDK", "ADD", "ADK", "SUB", "SUK", "UND", "UNK", "NEG", "VGL", "VGR", "VKL", "VGK",
        "VRK", "VKK", "SPR", "SPF", "SNF", "ANZ", "AUS", "LDI", "",    "",    "",    "",    "",    "",    ""};
    for (int c = 0; c < 30; ++c) {
        EXPECT_EQ(tabelle.Mnemonics[c], mnemonics[c]) << "Befehl " << c;
        // Only the conditional jumps depend on the flag.
        EXPECT_EQ(tabelle.Flagabhaengig(c), c == 18 || c == 19) << "Befehl " << c;
    }
}

TEST(MikrocodeQuelle, NennenHeisstEinsAllesAndereNull) {
    const std::string datei = MikrocodeAusQuelle(
        "befehl 0 HLT\n"
        "  1: PT RamRead ADD   # Kommentar\n"
        "befehl 1-2\n"
        "  flag 1\n"
        "  0: Anz NEG\n");
    const std::string leer = "000000000000000000\r\n";
    std::string erwartet = "3\r\n";
    erwartet += "HLT\r\n" + leer + "000010000000101000\r\n";
    for (int s = 2; s < 10; ++s) erwartet += leer;
    for (int c = 1; c <= 2; ++c) {
        erwartet += "\r\n";
        for (int s = 0; s < 10; ++s) erwartet += leer;
    }
    erwartet += "HLT\r\n" + leer + "000010000000101000\r\n";
    for (int s = 2; s < 10; ++s) erwartet += leer;
    for (int c = 1; c <= 2; ++c) {
        erwartet += "\r\n000000000000001111\r\n";
        for (int s = 1; s < 10; ++s) erwartet += leer;
    }
    EXPECT_EQ(datei, erwartet);
}

class FehlerhafteQuelle : public ::testing::TestWithParam<const char*> {};

TEST_P(FehlerhafteQuelle, WirdAbgelehnt) { EXPECT_THROW(MikrocodeAusQuelle(GetParam()), Quellfehler); }

INSTANTIATE_TEST_SUITE_P(MikrocodeQuelle, FehlerhafteQuelle,
                         ::testing::Values("befehl 0 HLT\n 0: PT Raed\n",             // misspelt signal
                                           "befehl 0 HLT\n 0: PT\n 0: RamRead\n",     // step twice
                                           "befehl 0 HLT\n 0: ADD SUB\n",             // two ALU items
                                           "befehl 0 HLT\n 0: ALU0\n",                // raw ALU bit
                                           "befehl 0 HLT\nbefehl 2 LDA\n",            // opcode 1 missing
                                           "befehl 0 HLT\nbefehl 0 LDA\n",            // opcode twice
                                           "befehl 30 X\n",                           // beyond the table
                                           "befehl 0 HLT\n 10: PT\n",                 // step beyond 9
                                           " 0: PT\n"));                              // step before any opcode

}  // namespace
}  // namespace ventaro::programme
