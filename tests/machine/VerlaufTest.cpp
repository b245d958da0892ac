// Stepping back with the shipped microcode: random actions undone one by one
// give back every earlier state; what ends the history; its depth; and
// "Befehl zurück" on an example program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <vector>

#include "core/Fehler.h"
#include "machine/Maschine.h"

namespace ventaro::programme {
namespace {

// A machine after start-up with the shipped microcode and the program.
struct Maschine {
    explicit Maschine(const std::string& programm = "") {
        m.Tabelle().SetzePfad(VENTARO_MIKROCODE);
        m.Startvorgang();
        if (!programm.empty()) m.RamDateiOeffnen(std::string(VENTARO_BEISPIELE) + "/" + programm + ".obj");
    }
    // Runs a handler as the window does: a failure is shown and the event ends.
    template <typename Handler>
    void Ereignis(Handler h) {
        try {
            h();
        } catch (const Fehler&) {
        }
    }
    TMaschine m;
};

// One random action of those the history records. The cells hold words that
// jump (opcodes 5 to 22), halt, and a few texts that fail when read.
void ZufallsAktion(Maschine& x, std::mt19937& zufall) {
    TMaschine& m = x.m;
    switch (zufall() % 8) {
        case 0: case 1: case 2: return x.Ereignis([&] { m.Mikroschritt(); });
        case 3: return x.Ereignis([&] { m.TorUmschalten(static_cast<Tor>(zufall() % TorAnzahl)); });
        case 4: return x.Ereignis([&] { m.LadenUmschalten(static_cast<Register>(zufall() % RegisterAnzahl)); });
        case 5: return x.Ereignis([&] { m.PCErhoehen(); });
        case 6: return x.Ereignis([&] { m.AluWaehlen(static_cast<int>(zufall() % 8) - 1); });
        default: return x.Ereignis([&] { m.Reset(); });
    }
}

void ZufallsRam(TMaschine& m, std::mt19937& zufall) {
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) {
        const unsigned r = zufall() % 20;
        const std::string text = r == 0 ? "x" : r == 1 ? "" : WortZuZellText(static_cast<Wort>((zufall() % 23) * 256 + zufall() % 128));
        m.FuerTests().zustand.Ram.SetzeText(a, text);
    }
}

TEST(Verlauf, UndoingKActionsGivesBackTheStateKActionsEarlier) {
    Maschine x;
    for (unsigned folge = 0; folge < 1000; ++folge) {
        std::mt19937 zufall(folge);
        ZufallsRam(x.m, zufall);
        x.Ereignis([&] { x.m.AllePruefen(); });  // a new program: the history starts empty
        ASSERT_EQ(x.m.Rueckgaengig(), 0u);
        std::vector<TMaschinenzustand> zustaende = {x.m.Zustand()};
        const int n = 1 + static_cast<int>(zufall() % 40);
        for (int i = 0; i < n; ++i) {
            ZufallsAktion(x, zufall);
            zustaende.push_back(x.m.Zustand());
        }
        ASSERT_EQ(x.m.Rueckgaengig(), static_cast<std::size_t>(n)) << "Folge " << folge;
        for (int k = 1; k <= n; ++k) {
            x.m.MikroschrittZurueck();
            ASSERT_EQ(x.m.Zustand(), zustaende[n - k]) << "Folge " << folge << ", " << k << " zurueck";
        }
        x.m.MikroschrittZurueck();  // nothing left: nothing happens
        ASSERT_EQ(x.m.Zustand(), zustaende[0]);
    }
}

TEST(Verlauf, CellEditsCheckOpenAndMicrocodeEndItSaveDoesNot) {
    const std::string ordner = std::string(VENTARO_ARBEIT) + "/verlauf";
    std::filesystem::create_directories(ordner);
    const std::pair<const char*, std::function<void(TMaschine&)>> faelle[] = {
        {"Zelle editiert", [](TMaschine& m) { m.ZelleUebergeben(4, "01.001"); }},
        {"Pruefung", [](TMaschine& m) { m.AllePruefen(); }},
        {"Enter im Gitter", [](TMaschine& m) { m.EingabeAbschliessen(); }},
        {"Oeffnen", [](TMaschine& m) { m.RamDateiOeffnen(std::string(VENTARO_BEISPIELE) + "/summe.obj"); }},
        {"Mikrocode geladen", [](TMaschine& m) { m.MikrocodeEinlesen(); }},
        {"Mikrocode uebernommen", [](TMaschine& m) { m.MikrocodeKopieren(); }},
    };
    for (const auto& [was, aktion] : faelle) {
        Maschine x("summe");
        for (int i = 0; i < 5; ++i) x.m.Mikroschritt();
        ASSERT_EQ(x.m.Rueckgaengig(), 5u);
        aktion(x.m);
        EXPECT_EQ(x.m.Rueckgaengig(), 0u) << was;
    }
    Maschine x("summe");
    for (int i = 0; i < 5; ++i) x.m.Mikroschritt();
    x.m.RamDateiSpeichernUnter(ordner + "/kopie.obj");
    EXPECT_EQ(x.m.Rueckgaengig(), 5u) << "Speichern";
    EXPECT_THROW(x.m.RamDateiOeffnen(ordner + "/fehlt.obj"), Fehler);
    EXPECT_EQ(x.m.Rueckgaengig(), 5u) << "misslungenes Oeffnen";
    x.m.Tabelle().SetzePfad(ordner + "/fehlt.dat");
    EXPECT_THROW(x.m.MikrocodeEinlesen(), Fehler);
    EXPECT_EQ(x.m.Rueckgaengig(), 5u) << "misslungenes Laden";
}

TEST(Verlauf, UndoingAWriteMarksTheRamEditedOnlyWhenACellChanges) {
    Maschine x("rechnen");  // STA writes a result into a cell
    std::size_t schritte = 0;
    const std::string vorher = x.m.Zustand().Ram.Text(93);
    while (x.m.Zustand().Ram.Text(93) == vorher && schritte < 2000) x.m.Mikroschritt(), ++schritte;
    ASSERT_LT(schritte, 2000u) << "rechnen.obj schreibt Zelle 93 nicht";
    ASSERT_FALSE(x.m.RamEditiert());
    x.m.MikroschrittZurueck();
    EXPECT_EQ(x.m.Zustand().Ram.Text(93), vorher);
    EXPECT_TRUE(x.m.RamEditiert());
    x.m.FuerTests().datei.RamEditiert = false;
    x.m.MikroschrittZurueck();  // a step that wrote nothing
    EXPECT_FALSE(x.m.RamEditiert());
}

TEST(Verlauf, KeepsTheLatestHundredThousandActions) {
    Maschine x("dauerlauf");
    x.m.Mikroschritt();
    const TMaschinenzustand nachDemErsten = x.m.Zustand();
    for (int i = 0; i < 100000; ++i) x.m.Mikroschritt();
    EXPECT_EQ(x.m.Rueckgaengig(), 100000u);
    EXPECT_EQ(x.m.MikroschritteRueckgaengig(), 100000u);
    for (int i = 0; i < 100000; ++i) x.m.MikroschrittZurueck();
    EXPECT_EQ(x.m.Zustand(), nachDemErsten);
    EXPECT_EQ(x.m.Rueckgaengig(), 0u);
}

TEST(Verlauf, BefehlZurueckGoesBackToTheStartOfEachInstruction) {
    for (const char* programm : {"summe", "division", "tabelle"}) {
        SCOPED_TRACE(programm);
        Maschine x(programm);
        std::vector<TMaschinenzustand> befehlsanfaenge;  // states before a step with MPC 1
        for (int i = 0; i < 300; ++i) {
            if (x.m.Zustand().MPC == 1) befehlsanfaenge.push_back(x.m.Zustand());
            x.m.Mikroschritt();
        }
        x.m.AluWaehlen(2);  // a click after the last step is undone with it
        for (int k = 1; k <= 3; ++k) {
            x.m.BefehlZurueck();
            ASSERT_EQ(x.m.Zustand(), befehlsanfaenge[befehlsanfaenge.size() - k]) << k;
        }
        while (x.m.Rueckgaengig() > 0) x.m.BefehlZurueck();
        EXPECT_EQ(x.m.Zustand(), befehlsanfaenge.front());
    }
}

}  // namespace
}  // namespace ventaro::programme
