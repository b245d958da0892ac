// The example programs, each run by the real ventaro-cli with the microcode
// and the copies that lie beside it, checked against what the program
// computes: the cells it writes, Akku, Anz, Flag and the microsteps taken.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Befehlssatz.h"

namespace ventaro::programme {
namespace {

namespace s = schritte;
namespace fs = std::filesystem;

struct Lauf {
    int rueckgabe = -1;
    nlohmann::json zustand;  // the last state printed
};

Lauf CliAusfuehren(const std::string& argumente) {
    const std::string befehl = std::string("'") + VENTARO_CLI + "' --json " + argumente;
    FILE* rohr = ::popen(befehl.c_str(), "r");
    if (!rohr) return {};
    std::string ausgabe;
    char puffer[4096];
    for (std::size_t n; (n = std::fread(puffer, 1, sizeof puffer, rohr)) > 0;) ausgabe.append(puffer, n);
    const int status = ::pclose(rohr);
    Lauf lauf;
    lauf.rueckgabe = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream zeilen(ausgabe);
    for (std::string zeile; std::getline(zeilen, zeile);)
        if (!zeile.empty()) lauf.zustand = nlohmann::json::parse(zeile);
    return lauf;
}

std::string Beispiel(const std::string& name) { return std::string(VENTARO_BEISPIELE) + "/" + name + ".obj"; }

// The 128 cell texts of a RAM file.
std::vector<std::string> Zellen(const std::string& pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    std::vector<std::string> zellen;
    for (std::string zeile; std::getline(datei, zeile);) {
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        zellen.push_back(zeile);
    }
    return zellen;
}

struct Erwartung {
    const char* name;
    std::vector<std::pair<int, std::string>> geschrieben;  // cells that differ from the file afterwards
    int akku, anz, flag;
    std::uint64_t mikroschritte;
    std::vector<std::string> skript;  // commands after opening; empty: run mode
};

// Every example: the program's meaning gives the results, the instruction
// table's microsteps and the number of loop passes give the step count.
std::vector<Erwartung> Beispiele() {
    // countdown: LDK 10; then ANZ, SUK 1, VRK 0, SPF for 10, 9, ..., 1.
    const int countdown = s::LDK + 10 * (s::ANZ + s::SUK + s::VRK) + 9 * s::Sprung + s::KeinSprung + s::ANZ + s::HLT;
    // summe: n = 10, ten passes of LDA ADD STA LDA SUK STA VRK SPF.
    const int summe = s::LDK + s::STA + 10 * (s::LDA + s::ADD + s::STA + s::LDA + s::SUK + s::STA + s::VRK) +
                      9 * s::Sprung + s::KeinSprung + s::LDA + s::ANZ + s::HLT;
    // multiplikation 7 * 6: six passes with b > 0, then the test b = 0 jumps out.
    const int multiplikation = s::LDK + s::STA +
                               6 * (s::LDA + s::VGK + s::KeinSprung + s::LDA + s::ADD + s::STA + s::LDA + s::SUK +
                                    s::STA + s::Sprung) +
                               s::LDA + s::VGK + s::Sprung + s::LDA + s::ANZ + s::HLT;
    // division: q passes of subtracting, then rest < divisor jumps out.
    const auto division = [](int q) {
        return s::LDK + s::STA +
               q * (s::LDA + s::VKL + s::KeinSprung + s::SUB + s::STA + s::LDA + s::ADK + s::STA + s::Sprung) +
               s::LDA + s::VKL + s::Sprung + s::LDA + s::STA + s::LDA + s::ANZ + s::HLT;
    };
    // tabelle: five table cells, pointer 60 to 64.
    const int tabelle = 2 * (s::LDK + s::STA) +
                        5 * (s::LDA + s::LDI + s::ADD + s::STA + s::LDA + s::ADK + s::STA + s::VKK) + 4 * s::Sprung +
                        s::KeinSprung + s::LDA + s::ANZ + s::HLT;
    // verdoppeln: x = 2, 4, ..., 128; only 128 is above the limit 100.
    const int verdoppeln = s::LDK + s::STA + 7 * (s::ANZ + s::ADD + s::STA + s::VGR) + 6 * s::Sprung + s::KeinSprung +
                           s::ANZ + s::HLT;
    const int rechnen = s::LDA + s::ADD + s::SUB + s::STA + s::LDA + s::UNK + s::STA + s::LDA + s::NEG + s::STA +
                        s::AUS + s::HLT;
    // maximum: a = 37 < b = 85, SNF goes on and loads b; with a = 90 it jumps.
    const int maximumB = s::LDA + s::VKL + s::KeinSprung + s::LDA + s::STA + s::ANZ + s::HLT;
    const int maximumA = s::LDA + s::VKL + s::Sprung + s::STA + s::ANZ + s::HLT;

    return {
        {"countdown", {}, 0, 0, 0, countdown, {}},
        {"summe", {{30, "00.055"}, {31, "00.000"}}, 1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10, 55, 0, static_cast<std::uint64_t>(summe), {}},
        {"multiplikation", {{41, "00.000"}, {42, "00.042"}}, 7 * 6, 7 * 6, 1, static_cast<std::uint64_t>(multiplikation), {}},
        {"maximum", {{22, "00.085"}}, 85, 85, 1, static_cast<std::uint64_t>(maximumB), {}},
        {"maximum", {{20, "00.090"}, {22, "00.090"}}, 90, 90, 0, static_cast<std::uint64_t>(maximumA),
         {"zelle 20 00.090", "lauf", "zeige"}},
        {"division", {{50, "00.002"}, {52, "00.014"}, {53, "00.002"}}, 100 / 7, 100 / 7, 1,
         static_cast<std::uint64_t>(division(100 / 7)), {}},
        {"division", {{50, "00.015"}, {51, "00.016"}, {52, "00.015"}, {53, "00.015"}}, 255 / 16, 255 / 16, 1,
         static_cast<std::uint64_t>(division(255 / 16)), {"zelle 50 00.255", "zelle 51 00.016", "lauf", "zeige"}},
        {"tabelle", {{70, "00.065"}, {71, "00.100"}}, 12 + 7 + 30 + 5 + 46, 100, 0, static_cast<std::uint64_t>(tabelle), {}},
        {"verdoppeln", {{80, "00.128"}}, 128, 128, 1, static_cast<std::uint64_t>(verdoppeln), {}},
        // (26 + 17) - 8 = 35; 26 UND 15 = 10; 26 is even, NEG gives 1.
        {"rechnen", {{93, "00.035"}, {94, "00.010"}, {95, "00.001"}}, 1, 35, 0, static_cast<std::uint64_t>(rechnen), {}},
    };
}

// Microsteps per instruction by opcode, as the README's table gives them;
// 0 for the conditional jumps, which take 8 or 1.
constexpr int kSchritteJeOp[] = {s::HLT, s::LDA, s::STA, s::LDK, s::ADD, s::ADK, s::SUB, s::SUK,
                                 s::UND, s::UNK, s::NEG, s::VGL, s::VGR, s::VKL, s::VGK, s::VRK,
                                 s::VKK, s::Sprung, 0, 0, s::ANZ, s::AUS, s::LDI};

// The statistics agree with the table: every instruction took its steps,
// a conditional jump 8 or 1, and the rows add up to the totals.
void PruefeStatistik(const nlohmann::json& statistik, std::uint64_t mikroschritte) {
    std::uint64_t befehle = 0, schritte = 0;
    for (const nlohmann::json& zeile : statistik["JeBefehl"]) {
        const int op = zeile["Op"];
        const std::uint64_t anzahl = zeile["Anzahl"], je = zeile["Mikroschritte"];
        ASSERT_TRUE(op >= 0 && op < static_cast<int>(std::size(kSchritteJeOp))) << zeile;  // no "ohne Befehl"
        if (kSchritteJeOp[op] > 0) EXPECT_EQ(je, anzahl * kSchritteJeOp[op]) << zeile;
        else EXPECT_TRUE(je >= anzahl && (je - anzahl) % (s::Sprung - s::KeinSprung) == 0) << zeile;
        befehle += anzahl;
        schritte += je;
    }
    EXPECT_EQ(statistik["Befehle"], befehle);
    EXPECT_EQ(statistik["Mikroschritte"], schritte);
    EXPECT_EQ(schritte, mikroschritte);
}

class BeispielProgramm : public ::testing::TestWithParam<Erwartung> {};

TEST_P(BeispielProgramm, RechnetUndHaelt) {
    const Erwartung& e = GetParam();
    const std::string programm = Beispiel(e.name);
    std::vector<std::string> ram = Zellen(programm);
    ASSERT_EQ(ram.size(), 128u) << programm;
    for (const auto& [adresse, text] : e.geschrieben) ram[adresse] = text;

    std::string argumente = "'" + programm + "'";
    if (!e.skript.empty()) {
        // One script file per test case; the case's name holds a "/".
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        fs::create_directories(VENTARO_ARBEIT);
        const std::string skript = std::string(VENTARO_ARBEIT) + "/" + name + ".txt";
        std::ofstream datei(skript);
        for (const std::string& befehl : e.skript) datei << befehl << '\n';
        datei.close();
        argumente = "--skript '" + skript + "' " + argumente;
    }
    const Lauf lauf = CliAusfuehren(argumente);
    ASSERT_EQ(lauf.rueckgabe, 0);
    const nlohmann::json& z = lauf.zustand;
    ASSERT_TRUE(z.is_object());
    EXPECT_EQ(z["Meldungen"], nlohmann::json::array());
    EXPECT_EQ(z["Register"]["Akku"]["Inhalt"], e.akku);
    EXPECT_EQ(z["Register"]["Anz"]["Inhalt"], e.anz);
    EXPECT_EQ(z["Flag"], e.flag);
    EXPECT_EQ(z["Mikroschritte"], e.mikroschritte);
    EXPECT_EQ(z["RAM"], nlohmann::json(ram));
    PruefeStatistik(z["Statistik"], e.mikroschritte);
}

INSTANTIATE_TEST_SUITE_P(Beispiele, BeispielProgramm, ::testing::ValuesIn(Beispiele()),
                         [](const ::testing::TestParamInfo<Erwartung>& info) {
                             return std::string(info.param.name) + (info.param.skript.empty() ? "" : "_AndereDaten");
                         });

// A script run on an example; the state it prints last.
nlohmann::json Skriptlauf(const std::string& name, const std::string& beispiel, const std::vector<std::string>& skript) {
    fs::create_directories(VENTARO_ARBEIT);
    const std::string pfad = std::string(VENTARO_ARBEIT) + "/" + name + ".txt";
    std::ofstream datei(pfad);
    datei << "oeffnen " << Beispiel(beispiel) << '\n';
    for (const std::string& befehl : skript) datei << befehl << "\nzeige\n";
    datei.close();
    return CliAusfuehren("--skript '" + pfad + "'").zustand;
}

struct Haltepunktfall {
    const char* name;
    int adresse;
    std::uint64_t mikroschritte;  // to the first stop there
};

class BeispielHaltepunkt : public ::testing::TestWithParam<Haltepunktfall> {};

// "bishalt" stops before the instruction at the breakpoint is fetched, in
// the state a plain "lauf" over as many microsteps reaches.
TEST_P(BeispielHaltepunkt, HaeltVorDerZelleWieEinGleichLangerLauf) {
    const Haltepunktfall& f = GetParam();
    nlohmann::json halt = Skriptlauf(std::string(f.name) + "_halt", f.name,
                                     {"haltepunkt " + std::to_string(f.adresse), "bishalt"});
    ASSERT_TRUE(halt.is_object());
    EXPECT_EQ(halt["Register"]["PC"]["Inhalt"], f.adresse);
    EXPECT_EQ(halt["MPC"], 1);
    EXPECT_EQ(halt["Mikroschritte"], f.mikroschritte);
    EXPECT_EQ(halt["Anzeige"]["Status1"], "Haltepunkt bei Adresse " + std::string(f.adresse < 10 ? "00" : "0") +
                                              std::to_string(f.adresse));
    nlohmann::json lauf = Skriptlauf(std::string(f.name) + "_lauf", f.name, {"lauf " + std::to_string(f.mikroschritte)});
    for (nlohmann::json* z : {&halt, &lauf}) {
        z->erase("Haltepunkte");
        (*z)["Anzeige"].erase("Status1");
    }
    EXPECT_EQ(halt, lauf);
}

// Loop bodies and ends, counted from the README's table.
INSTANTIATE_TEST_SUITE_P(Beispiele, BeispielHaltepunkt,
                         ::testing::Values(
                             Haltepunktfall{"countdown", 4, s::LDK + s::ANZ + s::SUK + s::VRK},
                             Haltepunktfall{"summe", 11,
                                            s::LDK + s::STA + 10 * (s::LDA + s::ADD + s::STA + s::LDA + s::SUK + s::STA + s::VRK) +
                                                9 * s::Sprung + s::KeinSprung + s::LDA},
                             Haltepunktfall{"division", 11,
                                            s::LDK + s::STA +
                                                14 * (s::LDA + s::VKL + s::KeinSprung + s::SUB + s::STA + s::LDA + s::ADK +
                                                      s::STA + s::Sprung) +
                                                s::LDA + s::VKL + s::Sprung}),
                         [](const ::testing::TestParamInfo<Haltepunktfall>& info) { return std::string(info.param.name); });

// The long run the benchmark measures: three nested counting loops of
// 13 * 255 * 255 passes, well above ten million microsteps.
TEST(Beispiele, DauerlaufHaeltNachUeberZehnMillionenMikroschritten) {
    const std::uint64_t innen = 255 * (s::SUK + s::VRK) + 254 * s::Sprung + s::KeinSprung;
    const std::uint64_t mitte = 255 * (s::LDK + innen + s::LDA + s::SUK + s::STA + s::VRK) + 254 * s::Sprung + s::KeinSprung;
    const std::uint64_t aussen = 13 * (s::LDA + s::ANZ + s::LDK + s::STA + mitte + s::LDA + s::SUK + s::STA + s::VRK) +
                                 12 * s::Sprung + s::KeinSprung;
    const std::uint64_t gesamt = s::LDK + s::STA + aussen + s::ANZ + s::HLT;
    ASSERT_GE(gesamt, 10'000'000u);

    std::vector<std::string> ram = Zellen(Beispiel("dauerlauf"));
    ASSERT_EQ(ram.size(), 128u);
    ram[100] = "00.000";
    ram[101] = "00.000";
    const Lauf lauf = CliAusfuehren("--max-mikroschritte 20000000 '" + Beispiel("dauerlauf") + "'");
    ASSERT_EQ(lauf.rueckgabe, 0);
    EXPECT_EQ(lauf.zustand["Mikroschritte"], gesamt);
    EXPECT_EQ(lauf.zustand["Register"]["Akku"]["Inhalt"], 0);
    EXPECT_EQ(lauf.zustand["Register"]["Anz"]["Inhalt"], 0);
    EXPECT_EQ(lauf.zustand["Flag"], 0);
    EXPECT_EQ(lauf.zustand["RAM"], nlohmann::json(ram));
}

}  // namespace
}  // namespace ventaro::programme
