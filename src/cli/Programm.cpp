#include "cli/Programm.h"

#include <CLI/CLI.hpp>
#include <climits>
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/Sitzung.h"
#include "cli/Zustand.h"
#include "core/Fehler.h"
#include "core/Programmpfade.h"
#include "core/Textdatei.h"
#include "core/Wort.h"
#include "core/Zeichensatz.h"
#include "memory/RamDatei.h"
#include "programtext/AlsProgrammtext.h"
#include "programtext/ProgrammtextDatei.h"
#include "programtext/Uebersetzer.h"

namespace ventaro::cli {
namespace {

constexpr int kHalt = 0, kEingabefehler = 1, kBedienfehler = 2, kGrenze = 3, kHaltepunkt = 4;
constexpr const char* kHilfehinweis = "ventaro-cli --help zeigt alle Optionen.";

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
    // A failed command lets the script go on, as the window would, but the
    // run ends with kEingabefehler so that a grading script notices.
    bool fehlgeschlagen = false;
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const std::size_t vorher = sitzung.Meldungen().size();
        try {
            if (sitzung.Befehl(zeilen[i])) continue;
        } catch (const Bedienfehler& f) {
            fehler << "Skriptzeile " << i + 1 << ": " << f.what() << '\n';
            return kBedienfehler;
        }
        fehlgeschlagen = true;
        for (std::size_t m = vorher; m < sitzung.Meldungen().size(); ++m)
            fehler << "Skriptzeile " << i + 1 << ": " << Cp1252ZuUtf8(sitzung.Meldungen()[m]) << '\n';
    }
    return fehlgeschlagen ? kEingabefehler : kHalt;
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
    // The JSON object holds the statistics already; text after it would
    // make the output no JSON.
    if (auftrag.statistik && !optionen.json) aus << StatistikAlsText(sitzung.Maschine());
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
        if (programmtext::IstProgrammtextDatei(auftrag.quelle))
            throw Fehler(PfadText(auftrag.quelle) + " ist ein Programmtext, keine RAM-Datei");
        const std::vector<std::string> zeilen = programmtext::AlsProgrammtext(LeseRamDatei(auftrag.quelle), namen);
        if (auftrag.ausgabe.empty()) ZeilenAusgeben(zeilen, aus);
        else programmtext::SchreibeProgrammtext(auftrag.ausgabe, zeilen);
        return true;
    }
    const programmtext::TUebersetzung u =
        programmtext::Uebersetze(programmtext::LeseProgrammtext(auftrag.quelle), namen);
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

// Everything the command line says. Numbers are taken as text and checked
// here, so that every message about them is German.
struct Aufruf {
    std::string mikrocode;
    std::string skript, programm;
    std::string uebersetzen, alsText, ausgabe;
    std::string maxMikroschritte;
    std::vector<std::string> haltepunkte;
    Optionen optionen;
    Laufauftrag lauf;
};

// A usage error: its message, exit code kBedienfehler.
struct Aufruffehler {
    std::string text;
};

void Definiere(CLI::App& app, Aufruf& a) {
    // The help's own words, in German.
    app.get_formatter()->label("Usage", "Aufruf");
    app.get_formatter()->label("OPTIONS", "OPTIONEN");
    app.get_formatter()->label("Positionals", "Argumente");
    app.get_formatter()->column_width(36);
    app.option_defaults()->group("Optionen");
    app.set_help_flag("-h,--help", "diese Hilfe zeigen");
    app.add_option("--mikrocode", a.mikrocode, "Mikrocode-Datei (Vorgabe: mikrocode.dat im Programmverzeichnis)")
        ->type_name("DATEI");
    app.add_option("--skript", a.skript, "Skript mit einem Befehl je Zeile, - liest die Standardeingabe")
        ->type_name("DATEI");
    app.add_option("--max-mikroschritte", a.maxMikroschritte, "h\u00f6chstens so viele Mikroschritte")
        ->type_name("ZAHL");
    app.add_flag("--json", a.optionen.json, "Zustand als JSON ausgeben");
    app.add_flag("--spur", a.optionen.spur, "eine Zeile je Mikroschritt ausgeben");
    app.add_option("--haltepunkt", a.haltepunkte, "Haltepunkt bei der RAM-Adresse (mehrfach m\u00f6glich)")
        ->type_name("ADRESSE")
        ->allow_extra_args(false);
    app.add_flag("--statistik", a.lauf.statistik, "Statistik der Befehle nach dem Endzustand ausgeben");
    app.add_option("PROGRAMM", a.programm, "RAM-Datei (*.obj) oder Programmtext (*.asm)")->type_name("DATEI");
    app.add_option("--uebersetzen", a.uebersetzen, "Programmtext (*.asm) in eine RAM-Datei \u00fcbersetzen")
        ->type_name("DATEI");
    app.add_option("--als-text", a.alsText, "RAM-Datei (*.obj) als Programmtext ausgeben")->type_name("DATEI");
    app.add_option("-o,--ausgabe", a.ausgabe, "Ausgabedatei von --uebersetzen und --als-text (Vorgabe: Standardausgabe)")
        ->type_name("DATEI");
}

// What the parser found wrong, said in German.
// Its English message names the arguments after the first ": ".
std::string AlsDeutsch(const CLI::ParseError& e) {
    const std::string text = e.what();
    const std::size_t doppelpunkt = text.find(": ");
    if (dynamic_cast<const CLI::ExtrasError*>(&e) && doppelpunkt != std::string::npos)
        return "Unbekannte Option oder \u00fcberz\u00e4hliges Argument: " + text.substr(doppelpunkt + 2);
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) && !text.empty() && text[0] == '-')
        return text.substr(0, text.find(':')) + " braucht einen Wert";
    return "Fehlerhafter Aufruf: " + text;
}

std::optional<long long> Ganzzahl(const std::string& text, long long kleinste, long long groesste) {
    long long wert = 0;
    if (text.size() > 18 || !TextZuGanzzahl(text, wert, false) || wert < kleinste || wert > groesste)
        return std::nullopt;
    return wert;
}

void Pruefe(Aufruf& a) {
    if (!a.maxMikroschritte.empty()) {
        const auto n = Ganzzahl(a.maxMikroschritte, 1, 999999999999999999);
        if (!n) throw Aufruffehler{"--max-mikroschritte erwartet eine ganze Zahl ab 1, nicht " + a.maxMikroschritte};
        a.optionen.maxMikroschritte = static_cast<std::uint64_t>(*n);
    }
    for (const std::string& text : a.haltepunkte) {
        const auto adresse = Ganzzahl(text, 0, 127);
        if (!adresse) throw Aufruffehler{"--haltepunkt erwartet eine Adresse von 0 bis 127, nicht " + text};
        a.lauf.haltepunkte.push_back(static_cast<int>(*adresse));
    }
    if (!a.uebersetzen.empty() && !a.alsText.empty())
        throw Aufruffehler{"--uebersetzen und --als-text gehen nur einzeln"};
    if (!a.ausgabe.empty() && a.uebersetzen.empty() && a.alsText.empty())
        throw Aufruffehler{"-o gilt nur mit --uebersetzen oder --als-text"};
    // Writing the output would destroy the input before it is read; the same
    // file may also be named through another path or a link.
    std::error_code egal;
    const std::string& quelle = a.uebersetzen.empty() ? a.alsText : a.uebersetzen;
    if (!a.ausgabe.empty() && std::filesystem::equivalent(quelle, a.ausgabe, egal))
        throw Aufruffehler{"-o nennt die Eingabedatei selbst: " + a.ausgabe + " bleibt unver\u00e4ndert"};
}

// Start-up, then the run mode or the script.
int Maschinenlauf(const Aufruf& a, std::ostream& aus, std::ostream& fehler) {
    Sitzung sitzung(a.optionen, aus);
    if (!sitzung.Hochfahren(a.mikrocode)) {
        MeldungenAusgeben(sitzung.Meldungen(), 0, fehler);
        return kEingabefehler;
    }
    if (a.skript.empty()) {
        // A run without a script cannot step back: it keeps no history.
        sitzung.Maschine().VerlaufAn(false);
        return Programmlauf(sitzung, a.programm, a.optionen, a.lauf, aus, fehler);
    }
    bool geoeffnet = true;
    if (!a.programm.empty()) {
        const std::size_t vorher = sitzung.Meldungen().size();
        geoeffnet = sitzung.Befehl("oeffnen " + a.programm);
        if (!geoeffnet) MeldungenAusgeben(sitzung.Meldungen(), vorher, fehler);
    }
    const int code = Skriptlauf(sitzung, a.skript, fehler);
    return code == kHalt && !geoeffnet ? kEingabefehler : code;
}

// The folder of the running program. Under node the program is the script
// ventaro-cli.js, which emscripten passes as argv[0].
std::string Programmordner([[maybe_unused]] const char* argv0) {
#ifdef __EMSCRIPTEN__
    const std::string pfad = argv0 ? argv0 : "";
    const std::size_t trenner = pfad.rfind('/');
    return trenner == std::string::npos ? std::string("./") : pfad.substr(0, trenner + 1);
#else
    return TProgrammpfade::AusfuehrbarOrdner();
#endif
}

}  // namespace

int Hauptprogramm(int argc, char** argv, std::ostream& aus, std::ostream& fehler) {
    CLI::App app{"Ventaro ohne Fenster: l\u00e4sst Programme des Modellrechners laufen oder f\u00fchrt ein Skript aus."};
    Aufruf a;
    // The shared microcode, never the per-user copy: a check gives the same
    // result for every user.
    a.mikrocode = TProgrammpfade(Programmordner(argc > 0 ? argv[0] : nullptr)).GemeinsamerMikrocode();
    Definiere(app, a);
    try {
        app.parse(argc, argv);
        Pruefe(a);
    } catch (const CLI::CallForHelp&) {
        aus << app.help();
        return kHalt;
    } catch (const CLI::ParseError& e) {
        fehler << AlsDeutsch(e) << '\n' << kHilfehinweis << '\n';
        return kBedienfehler;
    } catch (const Aufruffehler& e) {
        fehler << e.text << '\n' << kHilfehinweis << '\n';
        return kBedienfehler;
    }
    if (!a.uebersetzen.empty() || !a.alsText.empty()) {
        const bool alsText = !a.alsText.empty();
        return Umsetzungslauf({a.mikrocode, alsText ? a.alsText : a.uebersetzen, a.ausgabe, alsText}, aus, fehler);
    }
    return Maschinenlauf(a, aus, fehler);
}

}  // namespace ventaro::cli
