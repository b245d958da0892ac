#include "machine/Ansicht.h"

#include <cstdio>

#include "core/Fehler.h"
#include "core/Wort.h"
#include "machine/Aufzeichnung.h"
#include "machine/Maschine.h"

namespace ventaro {
namespace {

std::string Statustext(const Anzeigequellen& anzeige) {
    switch (anzeige.statusart) {
        case Statusart::Warnung: return meldung::ZuVieleToreGeoeffnet();
        case Statusart::Text: return anzeige.statustext;
        case Statusart::Leer: break;
    }
    return {};
}

Statistikzeile Zeile(const TMaschine& m, int op, const TStatistik::Zeile& z) {
    const bool ohne = op == TStatistik::OhneBefehl;
    Statistikzeile zeile;
    zeile.Op = op;
    zeile.OpText = ohne ? "-" : ZahlZweistellig(static_cast<unsigned>(op));
    zeile.Mnemonic = m.StatistikName(op);
    zeile.Anzahl = z.Anzahl;
    zeile.Mikroschritte = z.Mikroschritte;
    if (!ohne && z.Anzahl > 0)
        zeile.JeBefehl = Dezimal(static_cast<double>(z.Mikroschritte) / static_cast<double>(z.Anzahl));
    return zeile;
}

}  // namespace

TStatistikansicht TStatistikansicht::Von(const TMaschine& m) {
    const TStatistik& s = m.Zustand().Statistik;
    TStatistikansicht a;
    const TStatistik::Zeile& ohne = s.Stand.ohneBefehl;
    if (ohne.Anzahl > 0 || ohne.Mikroschritte > 0) a.Zeilen.push_back(Zeile(m, TStatistik::OhneBefehl, ohne));
    for (int op = 0; op < TStatistik::OpAnzahl; ++op)
        if (s.JeOp[op].Anzahl > 0) a.Zeilen.push_back(Zeile(m, op, s.JeOp[op]));
    a.Befehle = s.Stand.Befehle;
    a.Mikroschritte = s.Stand.Mikroschritte;
    a.JeBefehl = Dezimal(s.JeBefehl());
    return a;
}

std::string Dezimal(double wert) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", wert);
    std::string ergebnis = text;
    for (char& c : ergebnis)
        if (c == '.') c = ',';
    return ergebnis;
}

TAnsicht TAnsicht::Von(const TMaschine& m, const std::string& fenstertitel) {
    const TMaschinenzustand& z = m.Zustand();
    const Anzeigequellen& q = z.Anzeige;
    TAnsicht a;
    a.AluText = ZahlDreistellig(q.alu);
    a.FlagText = "F=" + std::to_string(q.flag);
    a.MpcFlagText = std::to_string(q.flag);
    a.MpcText = ZahlDreistellig(q.mpc);
    a.SteuerwortText = q.mikroCode ? std::string(q.mikroCode->Text()) : std::string("Mikroschrittcode");
    a.AnzeigeText = WortZuZellText(q.display);
    a.Status1 = Statustext(q);
    a.AluAuswahl = z.AluAuswahl;
    a.Aktiv = z.Aktiv;
    // Like "Mikroschritt", nothing steps back while the clock or a run to
    // the halt goes (a run switches the tool bar off).
    a.Zurueck = !m.Takt().laeuft && z.Aktiv.Werkzeugleiste && m.Rueckgaengig() > 0;
    a.ZurueckMikroschritte = m.MikroschritteRueckgaengig();
    a.Titel = m.Datei().Dateititel.empty() ? fenstertitel : fenstertitel + " [" + m.Datei().Dateititel + "]";
    for (int adresse : m.Haltepunkte()) a.Haltepunkte.set(static_cast<std::size_t>(adresse));
    a.Statistik = TStatistikansicht::Von(m);
    a.Aufzeichnung = m.Aufzeichnung().Statustext();
    a.AufgezeichneteWorte = m.Aufzeichnung().Worte();
    a.Zustand = z;
    a.Durchlaeufe = m.Durchlaeufe();
    return a;
}

Teile TAnsicht::Unterschiede(const TAnsicht& alt, const TAnsicht& neu) {
    Teile teile;
    auto wenn = [&teile](bool anders, Teil teil) {
        if (anders) teile.set(static_cast<std::size_t>(teil));
    };
    const TMaschinenzustand &za = alt.Zustand, &zn = neu.Zustand;
    wenn(za.Registerzellen != zn.Registerzellen || za.Tore != zn.Tore || za.ExternerBus != zn.ExternerBus ||
             za.InternerBus != zn.InternerBus || za.RamAdresse != zn.RamAdresse,
         Teil::Datenpfad);
    wenn(alt.AluText != neu.AluText || alt.FlagText != neu.FlagText || alt.AluAuswahl != neu.AluAuswahl, Teil::Alu);
    wenn(alt.MpcText != neu.MpcText || alt.MpcFlagText != neu.MpcFlagText || alt.SteuerwortText != neu.SteuerwortText,
         Teil::Steuerwerk);
    // A pass rewrites the display even with the same text: the user may
    // have typed into it.
    wenn(alt.AnzeigeText != neu.AnzeigeText || alt.Durchlaeufe != neu.Durchlaeufe, Teil::Anzeige);
    wenn(alt.Status1 != neu.Status1, Teil::Status);
    wenn(!(alt.Aktiv == neu.Aktiv) || alt.Zurueck != neu.Zurueck ||
             alt.ZurueckMikroschritte != neu.ZurueckMikroschritte,
         Teil::Knoepfe);
    wenn(alt.Titel != neu.Titel, Teil::Titel);
    wenn(!(za.Ram == zn.Ram), Teil::Ram);
    wenn(alt.Haltepunkte != neu.Haltepunkte, Teil::Haltepunkte);
    wenn(!(alt.Statistik == neu.Statistik), Teil::Statistik);
    wenn(alt.Aufzeichnung != neu.Aufzeichnung || alt.AufgezeichneteWorte != neu.AufgezeichneteWorte,
         Teil::Aufzeichnung);
    return teile;
}

Teile TAnsichtsmodell::Aktualisieren(const TMaschine& maschine) {
    TAnsicht neu = TAnsicht::Von(maschine, fenstertitel_);
    Teile teile = erstes_ ? Teile().set() : TAnsicht::Unterschiede(stand_, neu);
    erstes_ = false;
    stand_ = std::move(neu);
    return teile;
}

}  // namespace ventaro
