// Every instruction of the shipped microcode, run through the real sequencer
// in both flag states: it must do exactly what the instruction table says and
// leave everything else as it was, ending in the state the fetch starts from.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Befehlssatz.h"
#include "machine/Ansicht.h"
#include "machine/Maschine.h"

namespace ventaro::programme {
namespace {

namespace s = schritte;

using Zellen = std::vector<std::pair<int, std::string>>;
using JeFlag = std::array<int, 2>;  // the value for Flag 0 and for Flag 1 before the instruction

constexpr Wort kStart = 10;                  // address of the instruction under test
constexpr Wort kAnzVorher = 11 * 256 + 111;  // shown as 11.111
constexpr int kUnveraendert = -1;

constexpr JeFlag Beide(int wert) { return {wert, wert}; }
constexpr Wort W(int hoch, int tief) { return static_cast<Wort>(hoch * 256 + tief); }

struct Fall {
    const char* name;
    std::string befehl;  // the cell at kStart
    Wort akku;
    Zellen zellen;        // operands and data
    JeFlag akkuNachher;
    JeFlag pcNachher;
    Wort anzNachher;
    int flagNachher;      // 0, 1 or kUnveraendert
    Zellen ramNachher;    // the cells the instruction writes
    JeFlag mikroschritte;
};

void PrintTo(const Fall& fall, std::ostream* aus) { *aus << fall.name << " (" << fall.befehl << ")"; }

const JeFlag kWeiter = Beide(kStart + 1);
const JeFlag kHalt = Beide(kStart);

Fall Reserviert(int op) {
    return {"Reserviert", std::to_string(op) + ".005", 300, {}, Beide(300), kHalt, kAnzVorher, kUnveraendert, {}, Beide(s::HLT)};
}

std::vector<Fall> Faelle() {
    std::vector<Fall> f = {
        {"HLT", "00.000", 300, {}, Beide(300), kHalt, kAnzVorher, kUnveraendert, {}, Beide(s::HLT)},

        {"LDA_GanzesWort", "01.100", 9, {{100, "05.017"}}, Beide(W(5, 17)), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::LDA)},
        {"STA", "02.101", W(5, 17), {}, Beide(W(5, 17)), kWeiter, kAnzVorher, kUnveraendert, {{101, "05.017"}}, Beide(s::STA)},
        {"STA_NegativesWort", "02.101", 65534, {}, Beide(65534), kWeiter, kAnzVorher, kUnveraendert, {{101, "255.254"}}, Beide(s::STA)},
        {"LDK", "03.200", W(5, 17), {}, Beide(200), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::LDK)},
        {"LDK_Null", "03.000", 77, {}, Beide(0), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::LDK)},

        // The ALU works on low bytes; ADD wraps at 256, SUB keeps a negative word.
        {"ADD_Uebertrag", "04.100", 100, {{100, "00.200"}}, Beide((100 + 200) % 256), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::ADD)},
        {"ADD_LowBytes", "04.100", W(1, 5), {{100, "02.010"}}, Beide(5 + 10), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::ADD)},
        {"ADK", "05.030", 12, {}, Beide(12 + 30), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::ADK)},
        {"SUB", "06.100", 50, {{100, "00.008"}}, Beide(50 - 8), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::SUB)},
        {"SUB_Negativ", "06.100", 3, {{100, "00.005"}}, Beide(65536 + 3 - 5), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::SUB)},
        {"SUK", "07.008", 50, {}, Beide(50 - 8), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::SUK)},
        {"SUK_Negativ", "07.005", 3, {}, Beide(65536 + 3 - 5), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::SUK)},
        {"UND", "08.100", 10, {{100, "00.012"}}, Beide(10 & 12), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::UND)},
        {"UNK", "09.015", 108, {}, Beide(108 & 15), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::UNK)},
        {"NEG_Gerade", "10.077", 4, {}, Beide(1), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::NEG)},
        {"NEG_Ungerade", "10.077", 7, {}, Beide(0), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::NEG)},
        {"NEG_NurLowByte", "10.000", W(1, 0), {}, Beide(1), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::NEG)},

        // Comparisons set the flag from either state and change nothing else.
        {"VGL_Gleich", "11.100", 42, {{100, "00.042"}}, Beide(42), kWeiter, kAnzVorher, 1, {}, Beide(s::VGL)},
        {"VGL_Ungleich", "11.100", 43, {{100, "00.042"}}, Beide(43), kWeiter, kAnzVorher, 0, {}, Beide(s::VGL)},
        {"VGL_LowBytes", "11.100", W(1, 42), {{100, "00.042"}}, Beide(W(1, 42)), kWeiter, kAnzVorher, 1, {}, Beide(s::VGL)},
        {"VGR_Groesser", "12.100", 50, {{100, "00.042"}}, Beide(50), kWeiter, kAnzVorher, 1, {}, Beide(s::VGR)},
        {"VGR_Gleich", "12.100", 42, {{100, "00.042"}}, Beide(42), kWeiter, kAnzVorher, 0, {}, Beide(s::VGR)},
        {"VKL_Kleiner", "13.100", 30, {{100, "00.042"}}, Beide(30), kWeiter, kAnzVorher, 1, {}, Beide(s::VKL)},
        {"VKL_Gleich", "13.100", 42, {{100, "00.042"}}, Beide(42), kWeiter, kAnzVorher, 0, {}, Beide(s::VKL)},
        {"VGK_Gleich", "14.042", 42, {}, Beide(42), kWeiter, kAnzVorher, 1, {}, Beide(s::VGK)},
        {"VGK_Ungleich", "14.042", 41, {}, Beide(41), kWeiter, kAnzVorher, 0, {}, Beide(s::VGK)},
        {"VRK_Groesser", "15.042", 43, {}, Beide(43), kWeiter, kAnzVorher, 1, {}, Beide(s::VRK)},
        {"VRK_Gleich", "15.042", 42, {}, Beide(42), kWeiter, kAnzVorher, 0, {}, Beide(s::VRK)},
        {"VKK_Kleiner", "16.042", 41, {}, Beide(41), kWeiter, kAnzVorher, 1, {}, Beide(s::VKK)},
        {"VKK_Gleich", "16.042", 42, {}, Beide(42), kWeiter, kAnzVorher, 0, {}, Beide(s::VKK)},

        // A taken jump keeps Akku's low byte and drops its high byte.
        {"SPR", "17.050", W(1, 44), {}, Beide(44), Beide(50), kAnzVorher, kUnveraendert, {}, Beide(s::Sprung)},
        {"SPR_Rueckwaerts", "17.003", 200, {}, Beide(200), Beide(3), kAnzVorher, kUnveraendert, {}, Beide(s::Sprung)},
        {"SPF", "18.050", W(1, 44), {}, {W(1, 44), 44}, {kStart + 1, 50}, kAnzVorher, kUnveraendert, {}, {s::KeinSprung, s::Sprung}},
        {"SNF", "19.050", W(1, 44), {}, {44, W(1, 44)}, {50, kStart + 1}, kAnzVorher, kUnveraendert, {}, {s::Sprung, s::KeinSprung}},

        {"ANZ", "20.099", W(5, 17), {}, Beide(W(5, 17)), kWeiter, W(5, 17), kUnveraendert, {}, Beide(s::ANZ)},
        {"ANZ_NegativesWort", "20.000", 65534, {}, Beide(65534), kWeiter, 65534, kUnveraendert, {}, Beide(s::ANZ)},
        {"AUS", "21.100", 9, {{100, "07.123"}}, Beide(9), kWeiter, W(7, 123), kUnveraendert, {}, Beide(s::AUS)},
        {"LDI", "22.000", 100, {{100, "03.033"}}, Beide(W(3, 33)), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::LDI)},
        {"LDI_NurLowByte", "22.000", W(1, 100), {{100, "03.033"}}, Beide(W(3, 33)), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::LDI)},
        {"LDI_AufSichSelbst", "22.000", kStart, {}, Beide(W(22, 0)), kWeiter, kAnzVorher, kUnveraendert, {}, Beide(s::LDI)},
    };
    for (int op = 23; op <= 29; ++op) f.push_back(Reserviert(op));
    return f;
}

// A machine after start-up with the shipped microcode, holding the state in
// which a fetch begins: PT and Read open, MPC 1, the PC at kStart.
class Befehlsmaschine {
public:
    Befehlsmaschine(const Fall& fall, Wort flag, Wort internerBus) {
        m.Tabelle().SetzePfad(VENTARO_MIKROCODE);
        m.Startvorgang();
        m.FuerTests().zustand.Ram.SetzeText(kStart, fall.befehl);
        for (const auto& [adresse, text] : fall.zellen) m.FuerTests().zustand.Ram.SetzeText(adresse, text);
        m.FuerTests().zustand.Reg(Register::PC).SetRegisterInhalt(kStart);
        m.FuerTests().zustand.Reg(Register::Akku).SetRegisterInhalt(fall.akku);
        m.FuerTests().zustand.Reg(Register::Anz).SetRegisterInhalt(kAnzVorher);
        m.FuerTests().zustand.Reg(Register::Erg).SetRegisterInhalt(W(4, 44));
        m.FuerTests().zustand.Reg(Register::IR).SetRegisterInhalt(99);
        m.FuerTests().zustand.Flag = flag;
        // A stale internal bus is what a Reset in the middle of an
        // instruction leaves behind.
        m.FuerTests().zustand.InternerBus = internerBus;
        m.FuerTests().datenpfad.Aktualisiere();
    }

    // Microsteps until the next fetch (MPC back at 1), at most ten; the gate
    // check must be quiet after each of them.
    int BisZumNaechstenHolen() {
        int n = 0;
        do {
            m.Mikroschritt();
            ++n;
            EXPECT_EQ(TAnsicht::Von(m).Status1, "") << "Torkonflikt nach Mikroschritt " << n;
        } while (m.Zustand().MPC != 1 && n < 10);
        return n;
    }

    TMaschine m;
};

using Parameter = std::tuple<Fall, int, Wort>;

class Befehl : public ::testing::TestWithParam<Parameter> {};

TEST_P(Befehl, WirktGenauWieBeschriebenUndEndetBeimHolen) {
    const auto& [fall, flag, internerBus] = GetParam();
    Befehlsmaschine b(fall, static_cast<Wort>(flag), internerBus);
    std::array<std::string, TRamSpeicher::Zellenzahl> ramErwartet;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) ramErwartet[a] = b.m.Zustand().Ram.Text(a);
    for (const auto& [adresse, text] : fall.ramNachher) ramErwartet[adresse] = text;

    const int schritte = b.BisZumNaechstenHolen();
    TMaschine& m = b.m;

    EXPECT_EQ(schritte, fall.mikroschritte[flag]);
    EXPECT_EQ(m.Zustand().MPC, 1);
    EXPECT_EQ(m.Zustand().Reg(Register::Akku).RegisterInhalt(), fall.akkuNachher[flag]);
    EXPECT_EQ(m.Zustand().Reg(Register::PC).RegisterInhalt(), fall.pcNachher[flag]);
    EXPECT_EQ(m.Zustand().Reg(Register::Anz).RegisterInhalt(), fall.anzNachher);
    EXPECT_EQ(m.Zustand().Flag, fall.flagNachher == kUnveraendert ? flag : fall.flagNachher);
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) EXPECT_EQ(m.Zustand().Ram.Text(a), ramErwartet[a]) << "Zelle " << a;

    // The next fetch starts from the same state every time.
    for (int t = 0; t < TorAnzahl; ++t) {
        const Tor tor = static_cast<Tor>(t);
        EXPECT_EQ(m.Zustand().TorOffen(tor), tor == Tor::PT || tor == Tor::Read) << TorNamen[t];
    }
    for (int r = 0; r < RegisterAnzahl; ++r)
        EXPECT_FALSE(m.Zustand().Reg(static_cast<Register>(r)).Laden()) << RegisterNamen[r];
    const Wort pc = m.Zustand().Reg(Register::PC).RegisterInhalt();
    EXPECT_EQ(m.Zustand().RamAdresse, pc);
    EXPECT_EQ(m.Zustand().ExternerBus, m.Zustand().Ram.WortVon(pc));
    EXPECT_EQ(m.Zustand().AluAuswahl, KeineAluOperation);
}

std::string Name(const ::testing::TestParamInfo<Parameter>& info) {
    const auto& [fall, flag, internerBus] = info.param;
    std::string name = fall.name;
    if (name == "Reserviert") name += fall.befehl.substr(0, 2);
    return name + "_F" + std::to_string(flag) + (internerBus ? "_AlterInternerBus" : "");
}

INSTANTIATE_TEST_SUITE_P(Befehlssatz, Befehl,
                         ::testing::Combine(::testing::ValuesIn(Faelle()), ::testing::Values(0, 1),
                                            ::testing::Values(Wort{0}, W(2, 55))),
                         Name);

// HLT and the reserved codes hold the machine: every further microstep
// fetches the same cell again and jumps back to entry 0.
class Halt : public ::testing::TestWithParam<int> {};

TEST_P(Halt, HoltDieselbeZelleImmerWieder) {
    const std::string befehl = (GetParam() < 10 ? "0" : "") + std::to_string(GetParam()) + ".007";
    Fall fall{"", befehl, 300, {}, {}, {}, 0, 0, {}, {}};
    Befehlsmaschine b(fall, 0, 0);
    for (int i = 0; i < 5; ++i) {
        b.m.Mikroschritt();
        EXPECT_TRUE(b.m.SprungAufNull());
        EXPECT_EQ(b.m.Zustand().MPC, 1);
        EXPECT_EQ(b.m.Zustand().Reg(Register::PC).RegisterInhalt(), kStart);
        EXPECT_EQ(b.m.Zustand().Reg(Register::Akku).RegisterInhalt(), 300);
        EXPECT_EQ(b.m.Zustand().ExternerBus, b.m.Zustand().Ram.WortVon(kStart));
        EXPECT_EQ(TAnsicht::Von(b.m).Status1, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Befehlssatz, Halt, ::testing::Values(0, 23, 24, 25, 26, 27, 28, 29));

// Reset in the middle of an instruction leaves the internal bus as it was;
// a program that starts with a jump still keeps its Akku.
TEST(Befehlsfolge, NachResetMittenImBefehlRechnetDasProgrammGleich) {
    TMaschine m;
    m.Tabelle().SetzePfad(VENTARO_MIKROCODE);
    m.Startvorgang();
    // 00 SPR 03; 01 HLT; 02 HLT; 03 ADD 20; 04 ANZ; 05 HLT; 20: 35
    const std::vector<std::string> programm = {"17.003", "00.000", "00.000", "04.020", "20.000", "00.000"};
    for (std::size_t a = 0; a < programm.size(); ++a) m.FuerTests().zustand.Ram.SetzeText(static_cast<int>(a), programm[a]);
    m.FuerTests().zustand.Ram.SetzeText(20, "00.035");

    const auto lauf = [&m] {
        m.Reset();
        int n = 0;
        do {
            m.Mikroschritt();
            ++n;
        } while (!m.SprungAufNull() && n < 1000);
        return n;
    };
    const int ganz = lauf();
    EXPECT_EQ(ganz, s::Sprung + s::ADD + s::ANZ + s::HLT);
    EXPECT_EQ(m.Zustand().Reg(Register::Anz).RegisterInhalt(), 0 + 35);

    // Stop inside ADD while ET carries RAM[20] on the internal bus.
    m.Reset();
    for (int i = 0; i < s::Sprung + 2; ++i) m.Mikroschritt();
    ASSERT_TRUE(m.Zustand().TorOffen(Tor::ET));
    ASSERT_EQ(m.Zustand().InternerBus, 35);
    EXPECT_EQ(lauf(), ganz);
    EXPECT_EQ(m.Zustand().Reg(Register::Akku).RegisterInhalt(), 0 + 35);
    EXPECT_EQ(m.Zustand().Reg(Register::Anz).RegisterInhalt(), 0 + 35);
}

}  // namespace
}  // namespace ventaro::programme
