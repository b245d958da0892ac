// The embind binding: the page's machine, its commands and its view model,
// for JavaScript. Texts cross as UTF-8; the machine's Windows-1252 is
// converted here with the core's converter. Paths are the module file
// system's own (UTF-8), as on Linux.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "core/Bauteile.h"
#include "core/Fehler.h"
#include "core/Zeichensatz.h"
#include "machine/Aufzeichnung.h"
#include "programtext/AlsProgrammtext.h"
#include "programtext/Befehlsnamen.h"
#include "programtext/ProgrammtextDatei.h"
#include "programtext/Uebersetzer.h"
#include "version/VersionsInfo.h"
#include "web/Seitenmaschine.h"

namespace ventaro::web {
namespace {

using emscripten::val;

val Text(const std::string& cp1252) { return val(Cp1252ZuUtf8(cp1252)); }

val Knoepfe(const ventaro::Knoepfe& k) {
    val o = val::object();
    o.set("mikroschritt", k.Mikroschritt);
    o.set("start", k.Start);
    o.set("reset", k.Reset);
    o.set("werkzeugleiste", k.Werkzeugleiste);
    return o;
}

val Register(const TSpeicherCP1& zelle) {
    val o = val::object();
    o.set("name", Text(zelle.RegisterName()));
    o.set("text", Text(zelle.Beschriftung()));
    o.set("laden", zelle.Laden());
    o.set("look", static_cast<int>(zelle.Look() == Aussehen::Erzeugt ? 0 : zelle.Look() == Aussehen::Geladen ? 1 : 2));
    return o;
}

val Statistik(const TStatistikansicht& s) {
    val zeilen = val::array();
    for (const Statistikzeile& z : s.Zeilen) {
        val o = val::object();
        o.set("op", z.Op);
        o.set("opText", Text(z.OpText));
        o.set("mnemonic", Text(z.Mnemonic));
        o.set("anzahl", static_cast<double>(z.Anzahl));
        o.set("mikroschritte", static_cast<double>(z.Mikroschritte));
        o.set("jeBefehl", Text(z.JeBefehl));
        zeilen.call<void>("push", o);
    }
    val o = val::object();
    o.set("zeilen", zeilen);
    o.set("befehle", static_cast<double>(s.Befehle));
    o.set("mikroschritte", static_cast<double>(s.Mikroschritte));
    o.set("jeBefehl", Text(s.JeBefehl));
    return o;
}

val Ansicht(const TAnsicht& a, const TMaschine& m) {
    val o = val::object();
    o.set("aluText", Text(a.AluText));
    o.set("flagText", Text(a.FlagText));
    o.set("mpcFlagText", Text(a.MpcFlagText));
    o.set("mpcText", Text(a.MpcText));
    o.set("steuerwortText", Text(a.SteuerwortText));
    o.set("anzeigeText", Text(a.AnzeigeText));
    o.set("status1", Text(a.Status1));
    o.set("aluAuswahl", a.AluAuswahl);
    o.set("aktiv", Knoepfe(a.Aktiv));
    o.set("zurueck", a.Zurueck);
    o.set("zurueckMikroschritte", static_cast<double>(a.ZurueckMikroschritte));
    o.set("titel", Text(a.Titel));
    o.set("tore", static_cast<int>(a.Zustand.Tore));
    val registerzellen = val::array();
    for (const TSpeicherCP1& zelle : a.Zustand.Registerzellen) registerzellen.call<void>("push", Register(zelle));
    o.set("register", registerzellen);
    val zellen = val::array();
    for (int adresse = 0; adresse < TRamSpeicher::Zellenzahl; ++adresse)
        zellen.call<void>("push", Text(a.Zustand.Ram.Text(adresse)));
    o.set("zellen", zellen);
    o.set("zeile", a.Zustand.Ram.AktuelleZeile());
    val haltepunkte = val::array();
    for (int adresse = 0; adresse < TRamSpeicher::Zellenzahl; ++adresse)
        if (a.Haltepunkte.test(static_cast<std::size_t>(adresse))) haltepunkte.call<void>("push", adresse);
    o.set("haltepunkte", haltepunkte);
    o.set("ramEditiert", m.RamEditiert());
    o.set("rasterGefuellt", m.RasterGefuellt());
    val takt = val::object();
    takt.set("laeuft", m.Takt().laeuft);
    takt.set("position", m.Takt().position);
    takt.set("intervall", m.Takt().Intervall());
    o.set("takt", takt);
    o.set("aufzeichnung", Text(a.Aufzeichnung));
    o.set("statistik", Statistik(a.Statistik));
    return o;
}

template <typename Liste>
val Texte(const Liste& liste) {
    val feld = val::array();
    for (const std::string& text : liste) feld.call<void>("push", Text(text));
    return feld;
}

val Fehlerzeilen(const std::vector<programmtext::Fehlerzeile>& fehler) {
    val zeilen = val::array();
    for (const programmtext::Fehlerzeile& f : fehler) {
        val o = val::object();
        o.set("zeile", f.zeile);
        o.set("text", Text(f.text));
        zeilen.call<void>("push", o);
    }
    return zeilen;
}

// The lines of an editor's text; characters Windows-1252 lacks become "?",
// with the warning the desktop's program text window gives.
std::vector<std::string> Cp1252Zeilen(const std::string& utf8, Seitenmaschine& s) {
    bool ersetzt = false;
    std::vector<std::string> zeilen = programmtext::InZeilen(Utf8ZuCp1252(utf8, &ersetzt));
    if (ersetzt) s.Melde({"Warnung", meldung::ZeichenAlsFragezeichen()});
    return zeilen;
}

// The class JavaScript sees: every command runs as an event of the page.
class Maschine {
public:
    Maschine(const std::string& fenstertitel, const std::string& mikrocodePfad)
        : s_(Utf8ZuCp1252(fenstertitel), mikrocodePfad) {}

    void starten() { s_.Ereignis([this] { m().Startvorgang(); }); }
    int pause() const { return s_.Pause(); }
    val zwischenansicht() const { return Ansicht(s_.Zwischenansicht(), m()); }

    void mikroschritt() { s_.Ereignis([this] { m().Mikroschritt(); }); }
    void reset() { s_.Ereignis([this] { m().Reset(); }); }
    void torUmschalten(int tor) {
        if (tor < 0 || tor >= TorAnzahl) return;
        s_.Ereignis([&] { m().TorUmschalten(static_cast<Tor>(tor)); });
    }
    void ladenUmschalten(int reg) {
        if (reg < 0 || reg >= RegisterAnzahl) return;
        s_.Ereignis([&] { m().LadenUmschalten(static_cast<ventaro::Register>(reg)); });
    }
    void pcErhoehen() { s_.Ereignis([this] { m().PCErhoehen(); }); }
    void aluWaehlen(int operation) { s_.Ereignis([&] { m().AluWaehlen(operation); }); }

    void allePruefen() { s_.Ereignis([this] { m().AllePruefen(); }); }
    // endgueltig: the editor closes; a text with characters Windows-1252
    // lacks is told once then, not on every keystroke.
    void zelleUebergeben(int adresse, const std::string& text, bool endgueltig) {
        if (!Adresse(adresse)) return;
        bool ersetzt = false;
        s_.Ereignis([&] { m().ZelleUebergeben(adresse, Utf8ZuCp1252(text, &ersetzt)); });
        if (ersetzt && endgueltig) s_.Melde({"Warnung", meldung::ZeichenErsetzt(m().Zustand().Ram.Text(adresse))});
    }
    void bearbeitungVerwerfen(int adresse, const std::string& text, bool warEditiert) {
        if (!Adresse(adresse)) return;
        s_.Ereignis([&] { m().BearbeitungVerwerfen(adresse, Utf8ZuCp1252(text), warEditiert); });
    }
    void zeileAngewaehlt(int zeile) {
        if (Adresse(zeile - 1)) s_.Ereignis([&] { m().ZeileAngewaehlt(zeile); });
    }
    void zeileWaehlen(int zeile) {
        if (Adresse(zeile - 1)) s_.Ereignis([&] { m().ZeileWaehlen(zeile); });
    }
    void eingabeAbschliessen() { s_.Ereignis([this] { m().EingabeAbschliessen(); }); }
    void setzeHaltepunkt(int adresse, bool an) {
        if (Adresse(adresse)) s_.Ereignis([&] { m().SetzeHaltepunkt(adresse, an); });
    }

    void ramDateiOeffnen(const std::string& pfad) { s_.Ereignis([&] { m().RamDateiOeffnen(pfad); }); }
    bool ramDateiSpeichern() {
        bool ziel = true;
        s_.Ereignis([&] { ziel = m().RamDateiSpeichern(); });
        return ziel;
    }
    void ramDateiSpeichernUnter(const std::string& pfad) { s_.Ereignis([&] { m().RamDateiSpeichernUnter(pfad); }); }
    std::string ramDateiname() const { return m().Datei().RamDateiname; }
    val programmtextOeffnen(const std::string& pfad) {
        std::vector<programmtext::Fehlerzeile> fehler;
        s_.Ereignis([&] { fehler = m().ProgrammtextOeffnen(pfad); });
        return Fehlerzeilen(fehler);
    }

    void taktStarten() { s_.Ereignis([this] { m().TaktStarten(); }); }
    void taktAnhalten() { s_.Ereignis([this] { m().TaktAnhalten(); }); }
    void taktSchalten(bool laeuft) { s_.Ereignis([&] { m().TaktSchalten(laeuft); }); }
    void taktrateSetzen(int position) { s_.Ereignis([&] { m().TaktrateSetzen(position); }); }
    void taktTick() { s_.Ereignis([this] { m().TaktTick(); }); }

    bool laufBeginnen() { return s_.LaufBeginnen(); }
    int laufWeiter(double n) {
        // Anything but a count of one or more (NaN too) runs one step.
        const std::optional<Laufende> ende = s_.LaufWeiter(n >= 1 && n < 1e15 ? static_cast<std::uint64_t>(n) : 1);
        return ende ? static_cast<int>(*ende) : -1;
    }
    void laufStoppen() { s_.LaufStoppen(); }
    double laufSchritte() const { return static_cast<double>(s_.LaufSchritte()); }
    bool laeuft() const { return s_.Laeuft(); }

    // While recording, the last recorded step goes back with its clicks.
    void mikroschrittZurueck() { s_.Ereignis([this] { m().Aufzeichnung().Zurueck(); }); }
    void befehlZurueck() { s_.Ereignis([this] { m().BefehlZurueck(); }); }

    // ---- The microcode editor.
    bool tabelleLaden() { return s_.TabelleLaden(); }
    val tabelle() const {
        const TMikrocodeTabelle& t = m().Tabelle();
        val o = val::object();
        o.set("befehlsanzahl", static_cast<int>(t.Befehlsanzahl()));
        o.set("mnemonics", Texte(t.Mnemonics));
        o.set("worte0", Texte(t.Steuerworte0));
        o.set("worte1", Texte(t.Steuerworte1));
        return o;
    }
    void befehlUebernehmen(int befehl, const std::string& mnemonic, val worte0, val worte1) {
        s_.BefehlUebernehmen(befehl, mnemonic, emscripten::vecFromJSArray<std::string>(worte0),
                             emscripten::vecFromJSArray<std::string>(worte1));
    }
    void tabelleSpeichern() { s_.TabelleSpeichern(); }

    // ---- Recording a microprogram; flag -1 records both sets.
    void aufzeichnungStarten(int befehl, int flag) {
        s_.Ereignis([&] {
            m().Aufzeichnung().Verwerfen();
            m().Aufzeichnung().Starte(befehl, flag < 0 ? std::nullopt : std::optional<int>(flag));
        });
    }
    void schrittAufnehmen() { s_.Ereignis([this] { m().Aufzeichnung().SchrittAufnehmen(); }); }
    // An empty mnemonic leaves the opcode's as it is.
    void aufzeichnungBeenden(const std::string& mnemonic) {
        s_.Ereignis([&] {
            m().Aufzeichnung().Beenden(mnemonic.empty() ? std::nullopt
                                                        : std::optional<std::string>(Utf8ZuCp1252(mnemonic)));
        });
    }
    void aufzeichnungVerwerfen() { s_.Ereignis([this] { m().Aufzeichnung().Verwerfen(); }); }
    val aufzeichnungStand() {
        const TAufzeichnung& a = m().Aufzeichnung();
        val o = val::object();
        o.set("laeuft", a.Laeuft());
        o.set("befehl", a.Befehl());
        o.set("flag", a.FlagWert() ? *a.FlagWert() : -1);
        o.set("worte", Texte(a.Worte()));
        o.set("mnemonicFehlt", a.Laeuft() && a.MnemonicFehlt());
        o.set("aktuellesWort", Text(a.Laeuft() ? a.AktuellesWort() : std::string()));
        return o;
    }

    // ---- Program texts: translated, taken into the RAM, read and written.
    val uebersetzen(const std::string& text) {
        const programmtext::TUebersetzung u =
            programmtext::Uebersetze(Cp1252Zeilen(text, s_), programmtext::TBefehlsnamen(m().Tabelle()));
        val o = val::object();
        o.set("zellen", Texte(u.Zellen));
        o.set("fehler", Fehlerzeilen(u.Fehler));
        return o;
    }
    void programmtextUebernehmen(val zellen) {
        const std::vector<std::string> texte = emscripten::vecFromJSArray<std::string>(zellen);
        RamInhalt inhalt;
        for (std::size_t a = 0; a < inhalt.size() && a < texte.size(); ++a) inhalt[a] = Utf8ZuCp1252(texte[a]);
        s_.Ereignis([&] { m().ProgrammtextUebernehmen(std::move(inhalt)); });
    }
    // The RAM as a program text, lines joined by "\n".
    std::string alsProgrammtext() {
        RamInhalt zellen;
        for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) zellen[a] = m().Zustand().Ram.Text(a);
        std::string text;
        for (const std::string& zeile : programmtext::AlsProgrammtext(zellen, programmtext::TBefehlsnamen(m().Tabelle())))
            text += Cp1252ZuUtf8(zeile) + "\n";
        return text;
    }
    val programmtextLesen(const std::string& pfad) {
        val o = val::object();
        programmtext::TProgrammtext text;
        const bool gelesen = s_.Ereignis([&] { text = programmtext::LeseProgrammtext(pfad); });
        std::string zeilen;
        for (const std::string& zeile : text.Zeilen) zeilen += Cp1252ZuUtf8(zeile) + "\n";
        o.set("gelesen", gelesen);
        o.set("text", zeilen);
        o.set("fehler", Fehlerzeilen(text.Zeichenfehler));
        return o;
    }
    void programmtextSchreiben(const std::string& pfad, const std::string& text) {
        const std::vector<std::string> zeilen = Cp1252Zeilen(text, s_);
        s_.Ereignis([&] { programmtext::SchreibeProgrammtext(pfad, zeilen); });
    }
    val befehlsnamen() const { return Texte(programmtext::TBefehlsnamen(m().Tabelle()).Namen()); }

    int aktualisieren() { return static_cast<int>(s_.Aktualisieren().to_ulong()); }
    val ansicht() const { return Ansicht(s_.Stand(), m()); }
    val meldungen() {
        val liste = val::array();
        for (const Meldung& meldung : s_.Meldungen()) {
            val o = val::object();
            o.set("titel", Text(meldung.titel));
            o.set("text", Text(meldung.text));
            liste.call<void>("push", o);
        }
        return liste;
    }

private:
    static bool Adresse(int adresse) { return adresse >= 0 && adresse < TRamSpeicher::Zellenzahl; }
    TMaschine& m() { return s_.Maschine(); }
    const TMaschine& m() const { return s_.Maschine(); }

    Seitenmaschine s_;
};

std::string programmVersion() { return ventaro::ProgrammVersion(); }

// The one table of gates, registers, ALU operations and signals, with the
// names and hints the page shows.
val bauteile() {
    auto teile = [](const auto& namen, const auto& hinweise) {
        val liste = val::array();
        for (std::size_t i = 0; i < namen.size(); ++i) {
            val o = val::object();
            o.set("name", Text(std::string(namen[i])));
            o.set("hinweis", Text(std::string(hinweise[i])));
            liste.call<void>("push", o);
        }
        return liste;
    };
    val o = val::object();
    o.set("tore", teile(TorNamen, TorHinweise));
    o.set("register", teile(RegisterNamen, RegisterHinweise));
    val alu = val::array();
    for (std::string_view name : AluNamen) alu.call<void>("push", Text(std::string(name)));
    o.set("alu", alu);
    val signale = val::array();
    for (const Signal& signal : Signale) signale.call<void>("push", Text(std::string(signal.name)));
    o.set("signale", signale);
    return o;
}

}  // namespace
}  // namespace ventaro::web

EMSCRIPTEN_BINDINGS(ventaro) {
    using namespace ventaro::web;
    emscripten::function("programmVersion", &programmVersion);
    emscripten::function("bauteile", &bauteile);
    emscripten::class_<Maschine>("Maschine")
        .constructor<const std::string&, const std::string&>()
        .function("starten", &Maschine::starten)
        .function("pause", &Maschine::pause)
        .function("zwischenansicht", &Maschine::zwischenansicht)
        .function("mikroschritt", &Maschine::mikroschritt)
        .function("reset", &Maschine::reset)
        .function("torUmschalten", &Maschine::torUmschalten)
        .function("ladenUmschalten", &Maschine::ladenUmschalten)
        .function("pcErhoehen", &Maschine::pcErhoehen)
        .function("aluWaehlen", &Maschine::aluWaehlen)
        .function("allePruefen", &Maschine::allePruefen)
        .function("zelleUebergeben", &Maschine::zelleUebergeben)
        .function("bearbeitungVerwerfen", &Maschine::bearbeitungVerwerfen)
        .function("zeileAngewaehlt", &Maschine::zeileAngewaehlt)
        .function("zeileWaehlen", &Maschine::zeileWaehlen)
        .function("eingabeAbschliessen", &Maschine::eingabeAbschliessen)
        .function("setzeHaltepunkt", &Maschine::setzeHaltepunkt)
        .function("ramDateiOeffnen", &Maschine::ramDateiOeffnen)
        .function("ramDateiSpeichern", &Maschine::ramDateiSpeichern)
        .function("ramDateiSpeichernUnter", &Maschine::ramDateiSpeichernUnter)
        .function("ramDateiname", &Maschine::ramDateiname)
        .function("programmtextOeffnen", &Maschine::programmtextOeffnen)
        .function("taktStarten", &Maschine::taktStarten)
        .function("taktAnhalten", &Maschine::taktAnhalten)
        .function("taktSchalten", &Maschine::taktSchalten)
        .function("taktrateSetzen", &Maschine::taktrateSetzen)
        .function("taktTick", &Maschine::taktTick)
        .function("laufBeginnen", &Maschine::laufBeginnen)
        .function("laufWeiter", &Maschine::laufWeiter)
        .function("laufStoppen", &Maschine::laufStoppen)
        .function("laufSchritte", &Maschine::laufSchritte)
        .function("laeuft", &Maschine::laeuft)
        .function("mikroschrittZurueck", &Maschine::mikroschrittZurueck)
        .function("befehlZurueck", &Maschine::befehlZurueck)
        .function("aktualisieren", &Maschine::aktualisieren)
        .function("ansicht", &Maschine::ansicht)
        .function("meldungen", &Maschine::meldungen)
        .function("tabelleLaden", &Maschine::tabelleLaden)
        .function("tabelle", &Maschine::tabelle)
        .function("befehlUebernehmen", &Maschine::befehlUebernehmen)
        .function("tabelleSpeichern", &Maschine::tabelleSpeichern)
        .function("aufzeichnungStarten", &Maschine::aufzeichnungStarten)
        .function("schrittAufnehmen", &Maschine::schrittAufnehmen)
        .function("aufzeichnungBeenden", &Maschine::aufzeichnungBeenden)
        .function("aufzeichnungVerwerfen", &Maschine::aufzeichnungVerwerfen)
        .function("aufzeichnungStand", &Maschine::aufzeichnungStand)
        .function("uebersetzen", &Maschine::uebersetzen)
        .function("programmtextUebernehmen", &Maschine::programmtextUebernehmen)
        .function("alsProgrammtext", &Maschine::alsProgrammtext)
        .function("programmtextLesen", &Maschine::programmtextLesen)
        .function("programmtextSchreiben", &Maschine::programmtextSchreiben)
        .function("befehlsnamen", &Maschine::befehlsnamen);
}
