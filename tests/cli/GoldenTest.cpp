// Runs ventaro-cli as a user would and compares what it prints.
//
// A case NAME may have a script skripte/NAME.txt (run with --skript and
// --json) and expected states erwartet/NAME.json: an array with one object per
// state printed. An expected object names only the keys that matter; an
// expected object standing for an array names indexes ("127": ...). Every run
// gets a fresh directory holding a copy of fixtures/, and runs there, so the
// scripts name fixtures/... and write their files beside.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const fs::path kCli = VENTARO_CLI;
const fs::path kDaten = VENTARO_CLI_DATEN;
const fs::path kArbeit = VENTARO_CLI_ARBEIT;

struct Fall {
    std::string name;
    std::vector<std::string> argumente{};  // a script, if any, is added
    int exitCode = 0;
    std::string stderrTeil{};  // must occur in stderr; if empty, a run that exits 0 prints none
    std::string stdoutTeil{};  // must occur in stdout, if given
    int spurZeilen = -1;     // lines of --spur, if counted
};

void PrintTo(const Fall& fall, std::ostream* aus) { *aus << fall.name; }

const Fall kFaelle[] = {
    // Datapath by hand.
    {.name = "lesen_et_akku"},
    {.name = "alu"},
    {.name = "ergt_write_127", .argumente = {"--mikrocode", "fixtures/mikrocode-leer.dat"}},
    {.name = "adresse"},
    {.name = "reset_behaelt_busse", .argumente = {"--mikrocode", "fixtures/mikrocode-leer.dat"}},
    // Sequencer.
    {.name = "sprung_und_flag"},
    {.name = "mpc_clear"},
    {.name = "steuerworte_roh"},
    {.name = "mikroschritt_fehler"},
    {.name = "sprungtiefe"},
    {.name = "hochfahren_fehler", .argumente = {"--mikrocode", "fixtures/mikrocode-kaputt.dat"}},
    // RAM grid, RAM file, microcode file, script runs.
    {.name = "zellen_und_pruefen"},
    {.name = "ram_datei", .exitCode = 1,
     .stderrTeil = "Skriptzeile 3: Datei fixtures/fehlt.obj kann nicht ge\u00f6ffnet werden."},
    {.name = "mikrocode_laden", .exitCode = 1, .stderrTeil = "Skriptzeile 4: '3x' ist kein g\u00fcltiger Integerwert."},
    {.name = "befehle_fehlgeschlagen", .exitCode = 1,
     .stderrTeil = "Skriptzeile 3: Es l\u00e4uft keine Aufzeichnung.\nSkriptzeile 4: Datei fixtures/fehlt.dat"},
    {.name = "lauf_im_skript"},
    {.name = "zurueck"},
    {.name = "haltepunkte", .argumente = {"--mikrocode", "fixtures/befehlssatz.dat"}},
    {.name = "zeichensatz"},
    // Lines of vertical tabs and form feeds are empty lines.
    {.name = "steuerzeichen"},
    // Run mode.
    {.name = "programm_halt", .argumente = {"--json", "fixtures/lda.obj"}},
    {.name = "programm_grenze", .argumente = {"--json", "--max-mikroschritte", "2", "fixtures/nop.obj"}, .exitCode = 3},
    {.name = "programm_fehlschlag", .argumente = {"--json", "fixtures/alux.obj"}, .exitCode = 1},
    {.name = "programm_fehlt",
     .argumente = {"fixtures/fehlt.obj"},
     .exitCode = 1,
     .stderrTeil = "Datei fixtures/fehlt.obj kann nicht ge\u00f6ffnet werden. No such file or directory."},
    {.name = "programm_falsche_zellen",
     .argumente = {"fixtures/falsch.obj"},
     .exitCode = 1,
     .stderrTeil = "Inhalt der Zelle 002 ist nicht korrekt.\nInhalt der Zelle 127 ist nicht korrekt."},
    {.name = "programm_text", .argumente = {"fixtures/nop.obj"}, .stdoutTeil = "Mikroschritte: 3\n"},
    {.name = "programm_haltepunkt",
     .argumente = {"--mikrocode", "fixtures/befehlssatz.dat", "--json", "--haltepunkt", "120", "--haltepunkt", "4", "fixtures/zaehler.obj"},
     .exitCode = 4},
    {.name = "programm_statistik",
     .argumente = {"--mikrocode", "fixtures/befehlssatz.dat", "--statistik", "fixtures/zaehler.obj"},
     .stdoutTeil = "18   SPF                     3             17       5,67\n"
                   "Befehle: 11   Mikroschritte: 40   Mikroschritte je Befehl: 3,64\n"},
    {.name = "programm_statistik_json",
     .argumente = {"--mikrocode", "fixtures/befehlssatz.dat", "--json", "--statistik", "fixtures/zaehler.obj"}},
    {.name = "programm_spur", .argumente = {"--json", "--spur", "fixtures/nop.obj"}, .spurZeilen = 3},
    // The start-up's failed microstep is reported with the state; the program still runs.
    {.name = "programm_nach_hochfahrfehler",
     .argumente = {"--mikrocode", "fixtures/mikrocode-schleife.dat", "--json", "--max-mikroschritte", "2",
                   "fixtures/alle_nop.obj"},
     .exitCode = 3},
    // Program texts: opened, translated and written back.
    // A text with errors fails its "oeffnen": the script goes on, the exit code is 1.
    {.name = "programmtext", .exitCode = 1, .stderrTeil = "Skriptzeile 3: Zeile 2: Unbekannter Befehl \"LDX\"\n"},
    {.name = "programmtext_lauf", .argumente = {"--json", "fixtures/lda.asm"}},
    {.name = "uebersetzen", .argumente = {"--uebersetzen", "fixtures/lda.asm"}, .stdoutTeil = "02.005\r\n00.000\r\n"},
    {.name = "uebersetzen_fehler",
     .argumente = {"--uebersetzen", "fixtures/fehler.asm", "-o", "aus.obj"},
     .exitCode = 1,
     .stderrTeil = "Zeile 2: Unbekannter Befehl \"LDX\"\nZeile 3: Operand 1000 liegt nicht zwischen 0 und 255\n"},
    // UTF-8 without a byte-order mark, a label with umlauts.
    {.name = "uebersetzen_utf8", .argumente = {"--uebersetzen", "fixtures/utf8.asm"}, .stdoutTeil = "04.001\r\n"},
    // The output may not be the input, whatever path names it.
    {.name = "uebersetzen_in_sich",
     .argumente = {"--uebersetzen", "fixtures/lda.asm", "-o", "fixtures/../fixtures/lda.asm"},
     .exitCode = 2,
     .stderrTeil = "-o nennt die Eingabedatei selbst"},
    {.name = "als_text_in_sich", .argumente = {"--als-text", "fixtures/lda.obj", "-o", "fixtures/lda.obj"}, .exitCode = 2,
     .stderrTeil = "-o nennt die Eingabedatei selbst"},
    {.name = "als_text_von_programmtext", .argumente = {"--als-text", "fixtures/lda.asm"}, .exitCode = 1,
     .stderrTeil = "fixtures/lda.asm ist ein Programmtext, keine RAM-Datei"},
    {.name = "ausgabe_ohne_umsetzung", .argumente = {"-o", "aus.obj", "fixtures/lda.obj"}, .exitCode = 2,
     .stderrTeil = "-o gilt nur mit --uebersetzen oder --als-text"},
    {.name = "als_text",
     .argumente = {"--als-text", "fixtures/lda.obj"},
     .stdoutTeil = "        LDA 5           ; 000\r\n        HALT            ; 001\r\n        ORG 5\r\n"},
    // Start-up and usage.
    {.name = "mikrocode_fehlt",
     .argumente = {"--mikrocode", "fixtures/fehlt.dat", "fixtures/nop.obj"},
     .exitCode = 1,
     .stderrTeil = "Datei fixtures/fehlt.dat kann nicht ge\u00f6ffnet werden. No such file or directory."},
    {.name = "unbekannte_option", .argumente = {"--gibtsnicht"}, .exitCode = 2,
     .stderrTeil = "Unbekannte Option oder \u00fcberz\u00e4hliges Argument: --gibtsnicht"},
    {.name = "keine_zahl", .argumente = {"--max-mikroschritte", "viele"}, .exitCode = 2, .stderrTeil = "viele"},
    {.name = "null_schritte", .argumente = {"--max-mikroschritte", "0"}, .exitCode = 2,
     .stderrTeil = "--max-mikroschritte erwartet eine ganze Zahl ab 1"},
    {.name = "hilfe", .argumente = {"--help"}, .stdoutTeil = "Aufruf: "},
    {.name = "unbekannter_befehl", .exitCode = 2, .stderrTeil = "Zeige"},
    {.name = "falsche_anzahl", .exitCode = 2, .stderrTeil = "viele"},
};

std::string Quote(const std::string& text) {
    std::string ergebnis = "'";
    for (char c : text) ergebnis += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return ergebnis + "'";
}

std::string Lies(const fs::path& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    std::ostringstream inhalt;
    inhalt << ein.rdbuf();
    return inhalt.str();
}

// Walks the expected value and notes where the actual one differs.
void Vergleiche(const json& soll, const json& ist, const std::string& pfad, std::vector<std::string>& abweichungen) {
    if (soll.is_object() && ist.is_object()) {
        for (const auto& [schluessel, wert] : soll.items()) {
            if (!ist.contains(schluessel))
                abweichungen.push_back(pfad + "/" + schluessel + " fehlt");
            else
                Vergleiche(wert, ist.at(schluessel), pfad + "/" + schluessel, abweichungen);
        }
    } else if (soll.is_object() && ist.is_array()) {
        for (const auto& [index, wert] : soll.items()) {
            const std::size_t i = std::stoul(index);
            if (i >= ist.size())
                abweichungen.push_back(pfad + "/" + index + " fehlt");
            else
                Vergleiche(wert, ist.at(i), pfad + "/" + index, abweichungen);
        }
    } else if (soll.is_array() && ist.is_array() && soll.size() == ist.size()) {
        for (std::size_t i = 0; i < soll.size(); ++i)
            Vergleiche(soll[i], ist[i], pfad + "/" + std::to_string(i), abweichungen);
    } else if (soll != ist) {
        abweichungen.push_back(pfad + ": erwartet " + soll.dump() + ", erhalten " + ist.dump());
    }
}

// One run of a program on a case, in a fresh directory of its own.
struct Lauf {
    fs::path ordner;
    std::vector<std::string> argumente;
    int status = 0;
    std::string aus{};
    std::string fehler{};
};

Lauf Laufe(const Fall& fall, const std::string& programm, const std::string& ordnername) {
    Lauf lauf{kArbeit / ordnername, fall.argumente};
    fs::remove_all(lauf.ordner);
    fs::create_directories(lauf.ordner);
    fs::copy(kDaten / "fixtures", lauf.ordner / "fixtures", fs::copy_options::recursive);
    std::vector<std::string>& argumente = lauf.argumente;
    const bool mitMikrocode = std::find(argumente.begin(), argumente.end(), "--mikrocode") != argumente.end();
    if (!mitMikrocode) argumente.insert(argumente.begin(), {"--mikrocode", "fixtures/mikrocode.dat"});
    const fs::path skript = kDaten / "skripte" / (fall.name + ".txt");
    if (fs::exists(skript)) argumente.insert(argumente.end(), {"--json", "--skript", skript.string()});

    std::string befehl = "cd " + Quote(lauf.ordner.string()) + " && " + programm;
    for (const std::string& argument : argumente) befehl += " " + Quote(argument);
    befehl += " >stdout.txt 2>stderr.txt";
    lauf.status = std::system(befehl.c_str());
    lauf.aus = Lies(lauf.ordner / "stdout.txt");
    lauf.fehler = Lies(lauf.ordner / "stderr.txt");
    return lauf;
}

class CliGolden : public testing::TestWithParam<Fall> {};

TEST_P(CliGolden, Lauf) {
    const Fall& fall = GetParam();
    const Lauf lauf = Laufe(fall, Quote(kCli.string()), fall.name);
    const std::vector<std::string>& argumente = lauf.argumente;
    const std::string& aus = lauf.aus;
    const std::string& fehler = lauf.fehler;
    const int status = lauf.status;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), fall.exitCode) << "stderr: " << fehler;
    if (!fall.stderrTeil.empty()) {
        EXPECT_NE(fehler.find(fall.stderrTeil), std::string::npos) << "stderr: " << fehler;
    } else if (fall.exitCode == 0) {
        EXPECT_EQ(fehler, "");
    }
    if (!fall.stdoutTeil.empty()) {
        EXPECT_NE(aus.find(fall.stdoutTeil), std::string::npos) << "stdout: " << aus;
    }

    std::vector<json> zustaende;
    int spur = 0;
    const bool nurJson = std::find(argumente.begin(), argumente.end(), "--json") != argumente.end() &&
                         std::find(argumente.begin(), argumente.end(), "--spur") == argumente.end();
    std::istringstream zeilen(aus);
    for (std::string zeile; std::getline(zeilen, zeile);) {
        if (zeile.rfind("MPC ", 0) == 0) ++spur;
        if (zeile.rfind("{", 0) == 0) zustaende.push_back(json::parse(zeile));
        else if (nurJson) ADD_FAILURE() << "no JSON: " << zeile;
    }
    if (fall.spurZeilen >= 0) {
        EXPECT_EQ(spur, fall.spurZeilen);
    }

    const fs::path golden = kDaten / "erwartet" / (fall.name + ".json");
    if (!fs::exists(golden)) {
        EXPECT_TRUE(zustaende.empty()) << "no expected states for " << fall.name;
        return;
    }
    const json soll = json::parse(Lies(golden));
    ASSERT_TRUE(soll.is_array());
    ASSERT_EQ(zustaende.size(), soll.size()) << "states printed";
    for (std::size_t i = 0; i < soll.size(); ++i) {
        std::vector<std::string> abweichungen;
        Vergleiche(soll[i], zustaende[i], "", abweichungen);
        for (const std::string& abweichung : abweichungen) ADD_FAILURE() << "Zustand " << i + 1 << abweichung;
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, CliGolden, testing::ValuesIn(kFaelle),
                         [](const testing::TestParamInfo<Fall>& info) { return info.param.name; });

#ifdef VENTARO_CLI_JS
// The command line built for node runs the same machine as WebAssembly: on
// every case it prints the same bytes, ends with the same code and leaves the
// same files as the native program.
std::map<fs::path, std::string> Dateien(const fs::path& ordner) {
    std::map<fs::path, std::string> dateien;
    for (const auto& eintrag : fs::recursive_directory_iterator(ordner)) {
        const fs::path name = fs::relative(eintrag.path(), ordner);
        const bool ausgabe = name == "stdout.txt" || name == "stderr.txt";  // compared on their own
        if (eintrag.is_regular_file() && !ausgabe) dateien[name] = Lies(eintrag.path());
    }
    return dateien;
}

// The help names the program by the path it was started with.
std::string OhnePfad(std::string text, const std::string& programm) {
    for (std::size_t i = text.find(programm); i != std::string::npos; i = text.find(programm, i))
        text.replace(i, programm.size(), "ventaro-cli");
    return text;
}

class CliNode : public testing::TestWithParam<Fall> {};

TEST_P(CliNode, GleichWieNativ) {
    const Fall& fall = GetParam();
    const Lauf nativ = Laufe(fall, Quote(kCli.string()), fall.name + ".nativ");
    const Lauf node = Laufe(fall, "node --no-experimental-fetch " + Quote(VENTARO_CLI_JS), fall.name + ".node");
    EXPECT_EQ(node.status, nativ.status);
    EXPECT_EQ(OhnePfad(node.aus, VENTARO_CLI_JS), OhnePfad(nativ.aus, kCli.string()));
    EXPECT_EQ(node.fehler, nativ.fehler);
    EXPECT_EQ(Dateien(node.ordner), Dateien(nativ.ordner));
}

INSTANTIATE_TEST_SUITE_P(Faelle, CliNode, testing::ValuesIn(kFaelle),
                         [](const testing::TestParamInfo<Fall>& info) { return info.param.name; });
#endif

}  // namespace
