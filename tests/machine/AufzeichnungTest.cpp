// Recording a microprogram by hand: LDK and a new instruction DPL recorded by
// script through the real ventaro-cli, and the recording's rules on the
// machine itself (step limit, discarding, stepping back, flag sets, PCI,
// conflicting gates).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "core/Fehler.h"
#include "machine/Aufzeichnung.h"
#include "machine/Ansicht.h"
#include "machine/Maschine.h"

namespace ventaro::programme {
namespace {

namespace fs = std::filesystem;

std::string Inhalt(const fs::path& pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    std::ostringstream aus;
    aus << datei.rdbuf();
    return aus.str();
}

// A fresh copy of the shipped microcode, since ending a recording saves it.
fs::path MikrocodeKopie(const std::string& name) {
    const fs::path ordner = fs::path(VENTARO_ARBEIT) / "aufzeichnung";
    fs::create_directories(ordner);
    const fs::path kopie = ordner / (name + ".dat");
    fs::copy_file(VENTARO_MIKROCODE, kopie, fs::copy_options::overwrite_existing);
    return kopie;
}

// Runs the script on a copy of the microcode; returns every state printed.
std::vector<nlohmann::json> Skript(const fs::path& mikrocode, const std::string& zeilen) {
    const fs::path skript = fs::path(mikrocode).replace_extension(".txt");
    std::ofstream(skript) << "mikrocode " << mikrocode.string() << '\n' << zeilen;
    const std::string befehl = std::string("'") + VENTARO_CLI + "' --json --skript '" + skript.string() + "'";
    FILE* rohr = ::popen(befehl.c_str(), "r");
    std::string ausgabe;
    char puffer[4096];
    for (std::size_t n; rohr && (n = std::fread(puffer, 1, sizeof puffer, rohr)) > 0;) ausgabe.append(puffer, n);
    if (rohr) ::pclose(rohr);
    std::vector<nlohmann::json> zustaende;
    std::istringstream ein(ausgabe);
    for (std::string zeile; std::getline(ein, zeile);)
        if (!zeile.empty()) zustaende.push_back(nlohmann::json::parse(zeile));
    return zustaende;
}

TMikrocodeTabelle Geladen(const fs::path& pfad) {
    TMikrocodeTabelle t;
    t.SetzePfad(pfad.string());
    t.AllesLaden();
    return t;
}

// LDK 42 in cell 0, Reset, and the fetch's IR latch switched on by hand:
// the datapath as LDK's step 0 finds it. Then LDK's four steps by clicks.
const char* const LDKSkript = R"(zelle 0 03.042
reset
klick IR
aufzeichnen 3
klick IR
klick ET
klick Akku
klick Erg
alu UND
aufnehmen
klick Akku
klick Erg
aufnehmen
klick ET
klick ErgT
klick Akku
alu keine
pc+
aufnehmen
klick Akku
klick ErgT
aufnehmen
zeige
aufzeichnungende
)";

TEST(Aufzeichnung, LDKRecordedByClicksGivesTheShippedWordsAndFile) {
    const fs::path kopie = MikrocodeKopie("ldk");
    const std::vector<nlohmann::json> z = Skript(kopie, LDKSkript);
    ASSERT_EQ(z.size(), 1u);
    const TMikrocodeTabelle geliefert = Geladen(VENTARO_MIKROCODE);
    const auto& worte = z[0]["Aufzeichnung"]["Worte"];
    ASSERT_EQ(worte.size(), 4u);
    for (int s = 0; s < 4; ++s) {
        std::string erwartet = geliefert.Steuerworte0[Index(3, s)];
        if (s == 3) erwartet[10] = '0';  // MPCClear comes with the ending
        EXPECT_EQ(worte[s], erwartet) << "Schritt " << s;
    }
    // With MPCClear in step 3 the saved file is the shipped one, byte for byte.
    EXPECT_EQ(Inhalt(kopie), Inhalt(VENTARO_MIKROCODE));
}

// DPL (Akku := Akku + Akku) in the free opcode 23: Erg := Akku + 0, then
// through ErgT onto the internal bus, Erg := Akku + Akku, and back into Akku.
// A program LDK 21; DPL; ANZ; HLT runs it.
const char* const DPLSkript = R"(zelle 0 03.021
zelle 1 23.000
zelle 2 20.000
zelle 3 00.000
reset
schritt 4
klick IR
aufzeichnen 23
klick IR
pc+
klick Erg
alu ADD
aufnehmen
klick Erg
klick ErgT
aufnehmen
klick Erg
aufnehmen
klick Erg
klick ErgT
aufnehmen
klick ErgT
klick Akku
aufnehmen
klick Akku
klick ErgT
aufnehmen
aufzeichnungende DPL
reset
lauf 100
zeige
)";

TEST(Aufzeichnung, NewInstructionDPLRunsInAProgramAndIsSaved) {
    const fs::path kopie = MikrocodeKopie("dpl");
    const std::vector<nlohmann::json> z = Skript(kopie, DPLSkript);
    ASSERT_EQ(z.size(), 1u);
    EXPECT_EQ(z[0]["Meldungen"], nlohmann::json::array());
    EXPECT_EQ(z[0]["Register"]["Akku"]["Inhalt"], 42);
    EXPECT_EQ(z[0]["Register"]["Anz"]["Inhalt"], 42);
    EXPECT_FALSE(z[0].contains("Aufzeichnung"));
    const TMikrocodeTabelle t = Geladen(kopie);
    EXPECT_EQ(t.Mnemonics[23], "DPL");
    EXPECT_FALSE(t.Flagabhaengig(23));
    EXPECT_EQ(t.Steuerworte0[Index(23, 5)], "000010000010101000");  // PT RamRead ADD MPCClear
    EXPECT_EQ(t.Steuerworte0[Index(23, 6)], std::string(18, '0'));
}

// A machine after start-up on a copy of the shipped microcode.
struct Aufbau {
    explicit Aufbau(const std::string& name) : kopie(MikrocodeKopie(name)) {
        m.Tabelle().SetzePfad(kopie.string());
        m.Startvorgang();
    }
    fs::path kopie;
    TMaschine m;
    TAufzeichnung a{m};
};

TEST(Aufzeichnung, TenStepsAtMostAndDiscardingChangesNothing) {
    Aufbau x("grenze");
    const std::string vorher = Inhalt(x.kopie);
    x.a.Starte(5);
    for (int s = 0; s < 10; ++s) x.a.SchrittAufnehmen();
    try {
        x.a.SchrittAufnehmen();
        FAIL() << "the eleventh step was recorded";
    } catch (const Fehler& f) {
        EXPECT_EQ(f.Text(), "Ein Befehl hat h\xF6" "chstens 10 Mikroschritte: Schritt 10 kann nicht aufgenommen werden");
    }
    EXPECT_EQ(x.a.Schritt(), 10);
    x.a.Verwerfen();
    EXPECT_FALSE(x.a.Laeuft());
    EXPECT_EQ(Inhalt(x.kopie), vorher);
    EXPECT_EQ(x.m.Tabelle().Steuerworte0[Index(5, 0)], Geladen(VENTARO_MIKROCODE).Steuerworte0[Index(5, 0)]);
}

TEST(Aufzeichnung, AnOpcodeTheFileWouldNotSaveIsRefused) {
    Aufbau x("kurz");
    std::ofstream(x.kopie, std::ios::binary) << "3\r\n";
    x.m.MikrocodeEinlesen();
    EXPECT_THROW(x.a.Starte(3), Fehler);
    EXPECT_FALSE(x.a.Laeuft());
    x.a.Starte(2);
    EXPECT_TRUE(x.a.Laeuft());
}

TEST(Aufzeichnung, AMnemonicAnotherOpcodeHasIsRefusedAndTheRecordingGoesOn) {
    Aufbau x("mnemonic");
    const std::string vorher = Inhalt(x.kopie);
    x.a.Starte(23);
    x.a.SchrittAufnehmen();
    try {
        x.a.Beenden(" lda");
        FAIL() << "LDA was taken a second time";
    } catch (const Fehler& f) {
        EXPECT_EQ(f.Text(), "Das Mnemonic \"lda\" hat schon Befehl 01.");
    }
    EXPECT_TRUE(x.a.Laeuft());
    EXPECT_EQ(Inhalt(x.kopie), vorher);
    x.a.Beenden("DPL");
    EXPECT_EQ(Geladen(x.kopie).Mnemonics[23], "DPL");
}

TEST(Aufzeichnung, StepBackUndoesTheClicksSinceTheLastStepThenTheStep) {
    Aufbau x("zurueck");
    x.a.Starte(23);
    x.m.TorUmschalten(Tor::ET);
    x.m.PCErhoehen();
    EXPECT_EQ(x.a.SchrittAufnehmen(), "100110000000100000");  // PT and Read from the fetch
    const TMaschinenzustand nachSchritt0 = x.m.Zustand();
    x.m.LadenUmschalten(Register::Akku);
    x.m.PCErhoehen();
    x.a.Zurueck();  // the two clicks since step 0
    EXPECT_EQ(x.a.Schritt(), 1);
    EXPECT_EQ(x.m.Zustand(), nachSchritt0);
    // The undone right click no longer counts: no PCI in step 1.
    x.m.TorUmschalten(Tor::AT);
    EXPECT_EQ(x.a.SchrittAufnehmen(), "110010000000100000");
    EXPECT_EQ(TAnsicht::Von(x.m).Status1, meldung::ZuVieleToreGeoeffnet());  // recorded as set, with the warning
    x.a.Zurueck();  // step 1 and its click
    EXPECT_EQ(x.a.Schritt(), 1);
    EXPECT_EQ(x.m.Zustand(), nachSchritt0);
    EXPECT_TRUE(x.a.Zurueck());  // step 0 and its clicks
    EXPECT_EQ(x.a.Schritt(), 0);
    EXPECT_FALSE(x.a.Zurueck());  // what came before the recording stays
    EXPECT_FALSE(x.m.Zustand().TorOffen(Tor::ET));
    EXPECT_EQ(x.m.Zustand().Reg(Register::PC).RegisterInhalt(), 0);
}

TEST(Aufzeichnung, AFlagValueWritesOnlyItsSetAndEndingSavesAndCopies) {
    Aufbau x("flag");
    x.a.Starte(23, 1);
    x.m.AluWaehlen(6);  // NEG: ALU bits 111
    x.a.SchrittAufnehmen();
    x.a.Beenden();
    const std::string wort = "000010000010101110";  // PT RamRead MPCClear NEG
    EXPECT_EQ(x.m.Mikrocode().Mikrocode1[Index(23, 0)].Text(), wort);
    EXPECT_EQ(x.m.Mikrocode().Mikrocode0[Index(23, 0)].Text(), "000010000001000000");  // untouched
    const TMikrocodeTabelle t = Geladen(x.kopie);
    EXPECT_EQ(t.Steuerworte1[Index(23, 0)], wort);
    EXPECT_TRUE(t.Flagabhaengig(23));
    EXPECT_EQ(t.Mnemonics[23], "");
}

}  // namespace
}  // namespace ventaro::programme
