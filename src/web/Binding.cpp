// The embind binding: the page's machine, its commands and its view model,
// for JavaScript. Texts cross as UTF-8; the machine's Windows-1252 is
// converted here with the core's converter. Paths are the module file
// system's own (UTF-8), as on Linux.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "core/Zeichensatz.h"
#include "machine/Aufzeichnung.h"
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

// The class JavaScript sees: every command runs as an event of the page.
class Maschine {
public:
    Maschine(const std::string& fenstertitel, const std::string& mikrocodePfad)
        : s_(Utf8ZuCp1252(fenstertitel), mikrocodePfad) {}

    void starten() { s_.Ereignis([this] { m().Startvorgang(); }); }
    int pause() const { return s_.Pause(); }
    val zwischenansicht() const { return Ansicht(s_.Zwischenansicht(), s_machine()); }

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
    void zelleUebergeben(int adresse, const std::string& text) {
        if (!Adresse(adresse)) return;
        s_.Ereignis([&] { m().ZelleUebergeben(adresse, Utf8ZuCp1252(text)); });
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
    std::string ramDateiname() const { return s_machine().Datei().RamDateiname; }
    val programmtextOeffnen(const std::string& pfad) {
        val zeilen = val::array();
        s_.Ereignis([&] {
            for (const programmtext::Fehlerzeile& f : m().ProgrammtextOeffnen(pfad)) {
                val o = val::object();
                o.set("zeile", f.zeile);
                o.set("text", Text(f.text));
                zeilen.call<void>("push", o);
            }
        });
        return zeilen;
    }

    void taktStarten() { s_.Ereignis([this] { m().TaktStarten(); }); }
    void taktAnhalten() { s_.Ereignis([this] { m().TaktAnhalten(); }); }
    void taktSchalten(bool laeuft) { s_.Ereignis([&] { m().TaktSchalten(laeuft); }); }
    void taktrateSetzen(int position) { s_.Ereignis([&] { m().TaktrateSetzen(position); }); }
    void taktTick() { s_.Ereignis([this] { m().TaktTick(); }); }

    bool laufBeginnen() { return s_.LaufBeginnen(); }
    int laufWeiter(double n) {
        const std::optional<Laufende> ende = s_.LaufWeiter(n < 1 ? 1 : static_cast<std::uint64_t>(n));
        return ende ? static_cast<int>(*ende) : -1;
    }
    void laufStoppen() { s_.LaufStoppen(); }
    double laufSchritte() const { return static_cast<double>(s_.LaufSchritte()); }
    bool laeuft() const { return s_.Laeuft(); }

    // While recording, the last recorded step goes back with its clicks.
    void mikroschrittZurueck() { s_.Ereignis([this] { m().Aufzeichnung().Zurueck(); }); }
    void befehlZurueck() { s_.Ereignis([this] { m().BefehlZurueck(); }); }

    int aktualisieren() { return static_cast<int>(s_.Aktualisieren().to_ulong()); }
    val ansicht() const { return Ansicht(s_.Stand(), s_machine()); }
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
    const TMaschine& s_machine() const { return const_cast<Seitenmaschine&>(s_).Maschine(); }

    Seitenmaschine s_;
};

std::string programmVersion() { return ventaro::ProgrammVersion(); }

}  // namespace
}  // namespace ventaro::web

EMSCRIPTEN_BINDINGS(ventaro) {
    using namespace ventaro::web;
    emscripten::function("programmVersion", &programmVersion);
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
        .function("meldungen", &Maschine::meldungen);
}
