#include "cli/Programm.h"

#include <CLI/CLI.hpp>
#include <climits>
#include <iostream>

#include "cli/Sitzung.h"
#include "cli/Zustand.h"
#include "core/Fehler.h"
#include "core/Programmpfade.h"
#include "core/Textdatei.h"
#include "core/Zeichensatz.h"
#include "memory/RamDatei.h"
#include "programmtext/AlsProgrammtext.h"
#include "programmtext/ProgrammtextDatei.h"
#include "programmtext/Uebersetzer.h"

namespace ventaro::cli {
namespace {

constexpr int kHalt = 0, kEingabefehler = 1, kBedienfehler = 2, kGrenze = 3, kHaltepunkt = 4;

void MeldungenAusgeben(const std::vector<std::string>& meldungen, std::size_t ab, std::ostream& fehler) {
    for (std::size_t i = ab; i < meldungen.size(); ++i) fehler << Cp1252ZuUtf8(meldungen[i]) << '\n';
}

}  // namespace

int Skriptlauf(Sitzung& sitzung, const std::string& skript, std::ostream& fehler) {
    std::vector<std::string> zeilen;
    try {
        zeilen = LeseZeilen(skript == "-" ? "/dev/stdin" : skript, SIZE_MAX);
    } catch (const Fehler& f) {
        fehler << Cp1252ZuUtf8(Meldungstext(f.Text())) << '\n';
        return kEingabefehler;
    }
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        try {
            sitzung.Befehl(zeilen[i]);
        } catch (const Bedienfehler& f) {
            fehler << "Skriptzeile " << i + 1 << ": " << f.what() << '\n';
            return kBedienfehler;
        }
    }
    return kHalt;
}

namespace {

// What the run mode does besides running.
struct Laufauftrag {
    std::vector<int> haltepunkte;
    bool statistik = false;
};

int Programmlauf(Sitzung& sitzung, const std::string& programm, const Optionen& optionen, const Laufauftrag& auftrag,
                 std::ostream& aus, std::ostream& fehler) {
    if (!programm.empty()) {
        // A failed first microstep of the start-up has been noted already; it
        // stays in the state and says nothing about the program.
        const std::size_t vorher = sitzung.Meldungen().size();
        sitzung.Befehl("oeffnen " + programm);
        // A file that cannot be read or holds incorrect cells is not run.
        if (sitzung.Meldungen().size() > vorher) {
            MeldungenAusgeben(sitzung.Meldungen(), vorher, fehler);
            return kEingabefehler;
        }
    }
    // Set after opening, which clears them.
    for (int adresse : auftrag.haltepunkte) sitzung.Maschine().SetzeHaltepunkt(adresse, true);
    const Laufende ende = sitzung.Lauf(optionen.maxMikroschritte);
    sitzung.Zeige();
    if (auftrag.statistik) aus << StatistikAlsText(sitzung.Maschine());
    switch (ende) {
        case Laufende::Halt: return kHalt;
        case Laufende::Grenze: return kGrenze;
        case Laufende::Haltepunkt: return kHaltepunkt;
        case Laufende::Fehlschlag:
        case Laufende::Stopp: break;
    }
    return kEingabefehler;
}

// Lines as a file holds them: Windows-1252, CR LF after each.
void ZeilenAusgeben(const std::vector<std::string>& zeilen, std::ostream& aus) {
    for (const std::string& zeile : zeilen) aus << zeile << "\r\n";
}

// --uebersetzen and --als-text need the microcode table only, not a machine.
struct Umsetzung {
    std::string mikrocode, quelle, ausgabe;
    bool alsText = false;
};

// False when the text has errors; they go to fehler, one line each.
bool Umsetzen(const Umsetzung& auftrag, std::ostream& aus, std::ostream& fehler) {
    TMikrocodeTabelle tabelle;
    tabelle.SetzePfad(auftrag.mikrocode);
    tabelle.AllesLaden();
    const programmtext::TBefehlsnamen namen(tabelle);
    if (auftrag.alsText) {
        const std::vector<std::string> zeilen = programmtext::AlsProgrammtext(LeseRamDatei(auftrag.quelle), namen);
        if (auftrag.ausgabe.empty()) ZeilenAusgeben(zeilen, aus);
        else programmtext::SchreibeProgrammtext(auftrag.ausgabe, zeilen);
        return true;
    }
    const programmtext::TProgrammtext text = programmtext::LeseProgrammtext(auftrag.quelle);
    if (!text.Warnung.empty()) fehler << Cp1252ZuUtf8(text.Warnung) << '\n';
    const programmtext::TUebersetzung u = programmtext::Uebersetze(text.Zeilen, namen);
    for (const programmtext::Fehlerzeile& f : u.Fehler) fehler << Cp1252ZuUtf8(f.text) << '\n';
    if (!u.Gelungen()) return false;
    if (auftrag.ausgabe.empty()) ZeilenAusgeben({u.Zellen.begin(), u.Zellen.end()}, aus);
    else SchreibeRamDatei(auftrag.ausgabe, u.Zellen);
    return true;
}

int Umsetzungslauf(const Umsetzung& auftrag, std::ostream& aus, std::ostream& fehler) {
    try {
        return Umsetzen(auftrag, aus, fehler) ? kHalt : kEingabefehler;
    } catch (const Fehler& f) {
        fehler << Cp1252ZuUtf8(Meldungstext(f.Text())) << '\n';
        return kEingabefehler;
    }
}

// Everything the command line says.
struct Aufruf {
    std::string mikrocode;
    std::string skript, programm;
    std::string uebersetzen, alsText, ausgabe;
    Optionen optionen;
    Laufauftrag lauf;
};

void Definiere(CLI::App& app, Aufruf& a) {
    app.add_option("--mikrocode", a.mikrocode, "Mikrocode-Datei (Vorgabe: mikrocode.dat im Programmverzeichnis)");
    app.add_option("--skript", a.skript, "Skript mit einem Befehl je Zeile, - liest die Standardeingabe");
    app.add_option("--max-mikroschritte", a.optionen.maxMikroschritte, "h\u00f6chstens so viele Mikroschritte")
        ->check(CLI::PositiveNumber);
    app.add_flag("--json", a.optionen.json, "Zustand als JSON ausgeben");
    app.add_flag("--spur", a.optionen.spur, "eine Zeile je Mikroschritt ausgeben");
    app.add_option("--haltepunkt", a.lauf.haltepunkte, "Haltepunkt bei der RAM-Adresse (mehrfach m\u00f6glich)")
        ->check(CLI::Range(0, 127))
        ->allow_extra_args(false);
    app.add_flag("--statistik", a.lauf.statistik, "Statistik der Befehle nach dem Endzustand ausgeben");
    app.add_option("PROGRAMM", a.programm, "RAM-Datei (*.obj) oder Programmtext (*.asm)");
    auto* uebersetzen =
        app.add_option("--uebersetzen", a.uebersetzen, "Programmtext (*.asm) in eine RAM-Datei \u00fcbersetzen");
    auto* alsText = app.add_option("--als-text", a.alsText, "RAM-Datei (*.obj) als Programmtext ausgeben");
    uebersetzen->excludes(alsText);
    app.add_option("-o,--ausgabe", a.ausgabe,
                   "Ausgabedatei von --uebersetzen und --als-text (Vorgabe: Standardausgabe)");
}

// Start-up, then the run mode or the script.
int Maschinenlauf(const Aufruf& a, std::ostream& aus, std::ostream& fehler) {
    Sitzung sitzung(a.optionen, aus);
    sitzung.SetzeWarnungsausgabe(fehler);
    if (!sitzung.Hochfahren(a.mikrocode)) {
        MeldungenAusgeben(sitzung.Meldungen(), 0, fehler);
        return kEingabefehler;
    }
    if (a.skript.empty()) {
        // A run without a script cannot step back: it keeps no history.
        sitzung.Maschine().VerlaufAn(false);
        return Programmlauf(sitzung, a.programm, a.optionen, a.lauf, aus, fehler);
    }
    if (!a.programm.empty()) sitzung.Befehl("oeffnen " + a.programm);
    return Skriptlauf(sitzung, a.skript, fehler);
}

}  // namespace

int Hauptprogramm(int argc, char** argv, std::ostream& aus, std::ostream& fehler) {
    CLI::App app{"Ventaro ohne Fenster: l\u00e4sst Programme des Modellrechners laufen oder f\u00fchrt ein Skript aus."};
    Aufruf a;
    // The shared microcode, never the per-user copy: a check gives the same
    // result for every user.
    a.mikrocode = TProgrammpfade(TProgrammpfade::AusfuehrbarOrdner()).GemeinsamerMikrocode();
    Definiere(app, a);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, aus, fehler);
        return code == 0 ? 0 : kBedienfehler;
    }
    if (!a.ausgabe.empty() && a.uebersetzen.empty() && a.alsText.empty()) {
        fehler << "-o gilt nur mit --uebersetzen oder --als-text\n";
        return kBedienfehler;
    }
    if (!a.uebersetzen.empty() || !a.alsText.empty()) {
        const bool alsText = !a.alsText.empty();
        return Umsetzungslauf({a.mikrocode, alsText ? a.alsText : a.uebersetzen, a.ausgabe, alsText}, aus, fehler);
    }
    return Maschinenlauf(a, aus, fehler);
}

}  // namespace ventaro::cli
