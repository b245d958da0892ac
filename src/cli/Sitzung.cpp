#include "cli/Sitzung.h"

#include <algorithm>
#include <optional>
#include <ostream>

#include "cli/Zustand.h"
#include "core/Fehler.h"
#include "core/Wort.h"
#include "core/Zeichensatz.h"
#include "programtext/ProgrammtextDatei.h"
#include "programtext/Uebersetzer.h"

namespace ventaro::cli {
namespace {

// Every white-space byte separates words and is trimmed alike, so a line of
// vertical tabs or form feeds is as empty as a line of blanks.
bool IstLeerzeichen(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

std::vector<std::string> Woerter(const std::string& text) {
    std::vector<std::string> woerter;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IstLeerzeichen(text[i])) ++i;
        const std::size_t anfang = i;
        while (i < text.size() && !IstLeerzeichen(text[i])) ++i;
        if (i > anfang) woerter.push_back(text.substr(anfang, i - anfang));
    }
    return woerter;
}

std::string OhneRaender(const std::string& text) {
    std::size_t anfang = 0, ende = text.size();
    while (anfang < ende && IstLeerzeichen(text[anfang])) ++anfang;
    while (ende > anfang && IstLeerzeichen(text[ende - 1])) --ende;
    return text.substr(anfang, ende - anfang);
}

std::uint64_t Anzahl(const std::string& text) {
    long long wert = 0;
    if (text.size() > 18 || !TextZuGanzzahl(text, wert, false)) throw Bedienfehler("keine Anzahl: " + text);
    return static_cast<std::uint64_t>(wert);
}

int Adresse(const std::string& text) {
    long long wert = 0;
    if (!TextZuGanzzahl(text, wert, false) || wert > 127) throw Bedienfehler("keine Adresse 0 bis 127: " + text);
    return static_cast<int>(wert);
}

void Argumentzahl(const std::vector<std::string>& argumente, std::size_t min, std::size_t max) {
    if (argumente.size() < min || argumente.size() > max) throw Bedienfehler("falsche Zahl von Argumenten");
}

}  // namespace

Sitzung::Sitzung(Optionen optionen, std::ostream& aus) : optionen_(optionen), aus_(aus), maschine_(this) {}

template <typename Handler>
bool Sitzung::Ereignis(Handler&& handler) {
    try {
        handler();
        return true;
    } catch (const Fehler& fehler) {
        meldungen_.push_back(Meldungstext(fehler.Text()));
        return false;
    }
}

template <typename Handler>
void Sitzung::Pflicht(Handler&& handler) {
    if (!Ereignis(std::forward<Handler>(handler))) fehlgeschlagen_ = true;
}

bool Sitzung::Hochfahren(const std::string& mikrocodePfad) {
    maschine_.Tabelle().SetzePfad(mikrocodePfad);
    Ereignis([this] { maschine_.Startvorgang(); });
    // The sequence stops before it fills the RAM when the microcode failed.
    return maschine_.RasterGefuellt();
}

Sitzung::VorDemSchritt Sitzung::Vorher() const {
    const Wort mpc = maschine_.Zustand().MPC;
    return {mpc, maschine_.Mikrocode().Wort(mpc, maschine_.Zustand().Flag)};
}

void Sitzung::Spur(const VorDemSchritt& vorher) {
    aus_ << Spurzeile(maschine_, vorher.mpc, vorher.wort.Text()) << '\n';
}

bool Sitzung::Schritt() {
    if (!optionen_.spur) return Ereignis([this] { maschine_.Mikroschritt(); });
    const VorDemSchritt vorher = Vorher();
    const bool ok = Ereignis([this] { maschine_.Mikroschritt(); });
    Spur(vorher);
    return ok;
}

// The window's run to the halt, in one slice; with a trace, one step a slice
// so that each gets its line.
Laufende Sitzung::Lauf(std::uint64_t hoechstens) {
    TDauerlauf lauf(maschine_, hoechstens);
    std::optional<Laufende> ende;
    while (!ende && !optionen_.spur) ende = lauf.Weiter(hoechstens);
    while (!ende) {
        const VorDemSchritt vorher = Vorher();
        const std::uint64_t schritte = lauf.Schritte();
        ende = lauf.Weiter(1);
        if (lauf.Schritte() > schritte) Spur(vorher);
    }
    if (*ende == Laufende::Fehlschlag) meldungen_.push_back(lauf.Meldung());
    return *ende;
}

void Sitzung::Zeige() {
    if (optionen_.json) {
        nlohmann::ordered_json zustand = ZustandAlsJson(maschine_, meldungen_);
        if (maschine_.Aufzeichnung().Laeuft()) zustand["Aufzeichnung"] = AufzeichnungAlsJson(maschine_.Aufzeichnung());
        aus_ << zustand.dump() << '\n';
    } else {
        aus_ << ZustandAlsText(maschine_, meldungen_) << '\n';
        if (maschine_.Aufzeichnung().Laeuft()) aus_ << AufzeichnungAlsText(maschine_.Aufzeichnung()) << '\n';
    }
    meldungen_.clear();
}

bool Sitzung::Befehl(const std::string& zeile) {
    fehlgeschlagen_ = false;
    const std::string ohneRand = OhneRaender(zeile);
    if (ohneRand.empty() || ohneRand.front() == '#') return true;
    if (ohneRand.rfind("zelle", 0) == 0 && (ohneRand.size() == 5 || IstLeerzeichen(ohneRand[5]))) {
        // The text of a cell is taken verbatim, "#" and blanks included.
        const std::size_t start = zeile.find("zelle") + 5;
        Zelle(zeile.substr(start));
        return true;
    }
    const std::string ohneKommentar = ohneRand.substr(0, ohneRand.find('#'));
    std::vector<std::string> woerter = Woerter(ohneKommentar);
    const std::string befehl = woerter.front();
    woerter.erase(woerter.begin());
    if (befehl == "oeffnen" || befehl == "speichern" || befehl == "mikrocode") {
        // A path may hold blanks: it is the rest of the line.
        const std::string pfad = OhneRaender(ohneKommentar.substr(befehl.size()));
        if (pfad.empty()) throw Bedienfehler(befehl + " braucht eine Datei");
        if (befehl == "oeffnen" && programmtext::IstProgrammtextDatei(pfad)) ProgrammtextOeffnen(pfad);
        else if (befehl == "oeffnen") Pflicht([&] { maschine_.RamDateiOeffnen(pfad); });
        if (befehl == "speichern") Pflicht([&] { maschine_.RamDateiSpeichernUnter(pfad); });
        if (befehl == "mikrocode")
            Pflicht([&] {
                maschine_.Tabelle().SetzePfad(pfad);
                maschine_.MikrocodeEinlesen();
            });
    } else {
        Einfach(befehl, woerter);
    }
    return !fehlgeschlagen_;
}

// Like "Programmtext öffnen": every error line becomes a message, and a text
// with errors changes nothing.
void Sitzung::ProgrammtextOeffnen(const std::string& pfad) {
    Pflicht([&] {
        for (programmtext::Fehlerzeile& f : maschine_.ProgrammtextOeffnen(pfad)) {
            meldungen_.push_back(std::move(f.text));
            fehlgeschlagen_ = true;
        }
    });
}

void Sitzung::Zelle(const std::string& rest) {
    // "zelle ADR TEXT": TEXT is everything after the one blank behind ADR.
    if (rest.empty() || rest[0] != ' ') throw Bedienfehler("zelle braucht eine Adresse");
    const std::size_t ende = rest.find(' ', 1);
    const int adresse = Adresse(rest.substr(1, ende == std::string::npos ? std::string::npos : ende - 1));
    const std::string text = ende == std::string::npos ? std::string() : rest.substr(ende + 1);
    Ereignis([&] { maschine_.ZelleUebergeben(adresse, text); });
}

// The commands that take their arguments as words.
void Sitzung::Einfach(const std::string& befehl, const std::vector<std::string>& argumente) {
    using Handler = void (Sitzung::*)(const std::vector<std::string>&);
    struct Eintrag {
        const char* name;
        std::size_t min, max;
        Handler handler;
    };
    static constexpr Eintrag befehle[] = {
        {"reset", 0, 0, &Sitzung::Reset},          {"schritt", 0, 1, &Sitzung::Schritte},
        {"lauf", 0, 1, &Sitzung::LaufBefehl},      {"klick", 1, 1, &Sitzung::Klick},
        {"pc+", 0, 0, &Sitzung::PCPlus},           {"alu", 1, 1, &Sitzung::Alu},
        {"waehle", 1, 1, &Sitzung::Waehle},        {"pruefen", 0, 0, &Sitzung::Pruefen},
        {"zeige", 0, 0, &Sitzung::ZeigeBefehl},    {"zurueck", 0, 1, &Sitzung::Zurueck},
        {"befehlzurueck", 0, 1, &Sitzung::BefehlZurueck},
        {"aufzeichnen", 1, 2, &Sitzung::Aufzeichnen},  {"aufnehmen", 0, 0, &Sitzung::Aufnehmen},
        {"aufzeichnungende", 0, 1, &Sitzung::AufzeichnungEnde}, {"verwerfen", 0, 0, &Sitzung::Verwerfen},
        {"haltepunkt", 1, 1, &Sitzung::HaltepunktSetzen},
        {"haltepunktweg", 1, 1, &Sitzung::HaltepunktWeg}, {"bishalt", 0, 0, &Sitzung::BisHalt},
    };
    for (const Eintrag& e : befehle) {
        if (befehl != e.name) continue;
        Argumentzahl(argumente, e.min, e.max);
        return (this->*e.handler)(argumente);
    }
    throw Bedienfehler("unbekannter Befehl: " + befehl);
}

void Sitzung::Reset(const std::vector<std::string>&) { Ereignis([this] { maschine_.Reset(); }); }

void Sitzung::Schritte(const std::vector<std::string>& argumente) {
    const std::uint64_t n = argumente.empty() ? 1 : Anzahl(argumente[0]);
    // The button does nothing while it is disabled.
    for (std::uint64_t i = 0; i < n && maschine_.Zustand().Aktiv.Mikroschritt; ++i) Schritt();
}

void Sitzung::LaufBefehl(const std::vector<std::string>& argumente) {
    Lauf(argumente.empty() ? optionen_.maxMikroschritte : Anzahl(argumente[0]));
}

void Sitzung::Klick(const std::vector<std::string>& argumente) {
    if (const auto tor = NachName<Tor>(TorNamen, argumente[0]))
        Ereignis([&] { maschine_.TorUmschalten(*tor); });
    else if (const auto reg = NachName<Register>(RegisterNamen, argumente[0]))
        Ereignis([&] { maschine_.LadenUmschalten(*reg); });
    else
        throw Bedienfehler("kein Tor und kein Register: " + argumente[0]);
}

void Sitzung::PCPlus(const std::vector<std::string>&) { Ereignis([this] { maschine_.PCErhoehen(); }); }

void Sitzung::Alu(const std::vector<std::string>& argumente) {
    const auto op = NachName<int>(AluNamen, argumente[0]);
    if (!op && argumente[0] != "keine") throw Bedienfehler("keine ALU-Operation: " + argumente[0]);
    Ereignis([&] { maschine_.AluWaehlen(op ? *op : KeineAluOperation); });
}

void Sitzung::Waehle(const std::vector<std::string>& argumente) {
    const int adresse = Adresse(argumente[0]);
    Ereignis([&] { maschine_.ZeileWaehlen(adresse + 1); });
}

void Sitzung::Pruefen(const std::vector<std::string>&) { Ereignis([this] { maschine_.AllePruefen(); }); }

void Sitzung::ZeigeBefehl(const std::vector<std::string>&) { Zeige(); }

void Sitzung::Zurueck(const std::vector<std::string>& argumente) {
    const std::uint64_t n = argumente.empty() ? 1 : Anzahl(argumente[0]);
    // While recording, a step back also takes back recorded steps.
    if (maschine_.Aufzeichnung().Laeuft()) {
        for (std::uint64_t i = 0; i < n; ++i)
            if (!maschine_.Aufzeichnung().Zurueck()) break;
        return;
    }
    for (std::uint64_t i = 0; i < n && maschine_.Rueckgaengig() > 0; ++i) maschine_.MikroschrittZurueck();
}

void Sitzung::BefehlZurueck(const std::vector<std::string>& argumente) {
    const std::uint64_t n = argumente.empty() ? 1 : Anzahl(argumente[0]);
    for (std::uint64_t i = 0; i < n && maschine_.Rueckgaengig() > 0; ++i) maschine_.BefehlZurueck();
}

void Sitzung::Aufzeichnen(const std::vector<std::string>& argumente) {
    const auto befehl = static_cast<int>(std::min<std::uint64_t>(Anzahl(argumente[0]), 1000));
    std::optional<int> flag;
    if (argumente.size() > 1) {
        if (argumente[1] != "0" && argumente[1] != "1") throw Bedienfehler("kein Flag 0 oder 1: " + argumente[1]);
        flag = argumente[1] == "1" ? 1 : 0;
    }
    Pflicht([&] { maschine_.Aufzeichnung().Starte(befehl, flag); });
}

void Sitzung::Aufnehmen(const std::vector<std::string>&) {
    Pflicht([this] { maschine_.Aufzeichnung().SchrittAufnehmen(); });
}

void Sitzung::AufzeichnungEnde(const std::vector<std::string>& argumente) {
    std::optional<std::string> mnemonic;
    if (!argumente.empty()) mnemonic = Utf8ZuCp1252(argumente[0]);
    Pflicht([&] { maschine_.Aufzeichnung().Beenden(mnemonic); });
}

void Sitzung::Verwerfen(const std::vector<std::string>&) { maschine_.Aufzeichnung().Verwerfen(); }

void Sitzung::HaltepunktSetzen(const std::vector<std::string>& argumente) {
    maschine_.SetzeHaltepunkt(Adresse(argumente[0]), true);
}

void Sitzung::HaltepunktWeg(const std::vector<std::string>& argumente) {
    maschine_.SetzeHaltepunkt(Adresse(argumente[0]), false);
}

// Like "Bis zum Halt": the button's limit, and its warning when reached.
void Sitzung::BisHalt(const std::vector<std::string>&) {
    if (Lauf(TDauerlauf::Grenze) == Laufende::Grenze) meldungen_.push_back(GrenzeErreicht(TDauerlauf::Grenze));
}

}  // namespace ventaro::cli
