#include "cli/Zustand.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "core/Zeichensatz.h"
#include "machine/Ansicht.h"

namespace ventaro::cli {

using json = nlohmann::ordered_json;

namespace {

std::string U(std::string_view cp1252) { return Cp1252ZuUtf8(cp1252); }

json RegisterAlsJson(const TSpeicherCP1& reg) {
    return {{"Inhalt", reg.RegisterInhalt()},
            {"Eingang", reg.Eingang()},
            {"Ausgang", reg.Ausgang()},
            {"Laden", reg.Laden()},
            {"Text", reg.Beschriftung()}};
}

json StatistikAlsJson(const TStatistikansicht& a) {
    json jeBefehl = json::array();
    for (const Statistikzeile& z : a.Zeilen)
        jeBefehl.push_back(
            {{"Op", z.Op}, {"Mnemonic", U(z.Mnemonic)}, {"Anzahl", z.Anzahl}, {"Mikroschritte", z.Mikroschritte}});
    return {{"Befehle", a.Befehle}, {"Mikroschritte", a.Mikroschritte}, {"JeBefehl", jeBefehl}};
}

}  // namespace

std::string StatistikAlsText(const TMaschine& m) {
    const TStatistikansicht a = TStatistikansicht::Von(m);
    std::ostringstream aus;
    char zeile[160];
    std::snprintf(zeile, sizeof zeile, "%-4s %-12s %12s %14s %10s\n", "Op", "Mnemonic", "Anzahl", "Mikroschritte",
                  "je Befehl");
    aus << zeile;
    for (const Statistikzeile& z : a.Zeilen) {
        std::snprintf(zeile, sizeof zeile, "%-4s %-12s %12llu %14llu %10s\n", z.OpText.c_str(), U(z.Mnemonic).c_str(),
                      static_cast<unsigned long long>(z.Anzahl), static_cast<unsigned long long>(z.Mikroschritte),
                      z.JeBefehl.c_str());
        aus << zeile;
    }
    aus << "Befehle: " << a.Befehle << "   Mikroschritte: " << a.Mikroschritte
        << "   Mikroschritte je Befehl: " << a.JeBefehl << '\n';
    return aus.str();
}

json ZustandAlsJson(const TMaschine& maschine, const std::vector<std::string>& meldungen) {
    const TMaschinenzustand& m = maschine.Zustand();
    const TAnsicht a = TAnsicht::Von(maschine);
    json tore = json::object();
    for (int t = 0; t < TorAnzahl; ++t) tore[std::string(TorNamen[t])] = m.TorOffen(static_cast<Tor>(t));
    json register_ = json::object();
    for (int r = 0; r < RegisterAnzahl; ++r)
        register_[std::string(RegisterNamen[r])] = RegisterAlsJson(m.Reg(static_cast<Register>(r)));
    json ram = json::array();
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) ram.push_back(U(m.Ram.Text(a)));
    json texte = json::array();
    for (const std::string& text : meldungen) texte.push_back(U(text));
    return {
        {"ExternerBus", m.ExternerBus},
        {"InternerBus", m.InternerBus},
        {"RamAdresse", m.RamAdresse},
        {"AktuelleZeile", m.Ram.AktuelleZeile()},
        {"AluA", m.AluA},
        {"AluB", m.AluB},
        {"AluErgebnis", m.AluErgebnis},
        {"Flag", m.Flag},
        {"MPC", m.MPC},
        {"Tore", tore},
        {"ALU", m.AluAuswahl},
        {"Register", register_},
        {"Anzeige",
         {{"ALULbl", U(a.AluText)},
          {"FlagLbl", U(a.FlagText)},
          {"MPCFlag", U(a.MpcFlagText)},
          {"MPC", U(a.MpcText)},
          {"MikroCodeEdit", U(a.SteuerwortText)},
          {"DisplayEdit", U(a.AnzeigeText)},
          {"Status1", U(a.Status1)}}},
        {"Knoepfe", {{"Mikroschritt", a.Aktiv.Mikroschritt}, {"Start", a.Aktiv.Start}}},
        {"RamEditiert", maschine.RamEditiert()},
        {"RAM", ram},
        {"Meldungen", texte},
        {"Mikroschritte", maschine.Mikroschritte()},
        {"Verlauf", maschine.Rueckgaengig()},
        {"Haltepunkte", maschine.Haltepunkte()},
        {"Statistik", StatistikAlsJson(a.Statistik)},
    };
}

std::string ZustandAlsText(const TMaschine& maschine, const std::vector<std::string>& meldungen) {
    const TMaschinenzustand& m = maschine.Zustand();
    const TAnsicht a = TAnsicht::Von(maschine);
    std::ostringstream aus;
    auto janein = [](bool b) { return b ? "ja" : "nein"; };
    aus << "Externer Bus: " << m.ExternerBus << "   Interner Bus: " << m.InternerBus
        << "   RAM-Adresse: " << m.RamAdresse << "   Aktuelle Zeile: " << m.Ram.AktuelleZeile() << '\n';
    aus << "ALU: " << (m.AluAuswahl >= 0 ? AluNamen[m.AluAuswahl] : std::string_view("keine")) << "   A: " << m.AluA
        << "   B: " << m.AluB << "   Ergebnis: " << m.AluErgebnis << "   Flag: " << m.Flag << "   MPC: " << m.MPC << '\n';
    aus << "Tore offen:";
    bool einesOffen = false;
    for (int t = 0; t < TorAnzahl; ++t) {
        if (!m.TorOffen(static_cast<Tor>(t))) continue;
        aus << ' ' << TorNamen[t];
        einesOffen = true;
    }
    aus << (einesOffen ? "" : " keine") << '\n';
    for (int r = 0; r < RegisterAnzahl; ++r) {
        const TSpeicherCP1& reg = m.Reg(static_cast<Register>(r));
        aus << "Register " << RegisterNamen[r] << ": " << reg.Beschriftung() << " (Inhalt " << reg.RegisterInhalt()
            << ", Eingang " << reg.Eingang() << ", geladen: " << janein(reg.Laden()) << ")\n";
    }
    aus << "Anzeige: ALU " << a.AluText << "   " << a.FlagText << "   MPC " << a.MpcFlagText << ' ' << a.MpcText
        << "   Mikroschrittcode " << U(a.SteuerwortText) << "   Display " << a.AnzeigeText << '\n';
    aus << "Statuszeile: " << U(a.Status1) << '\n';
    aus << "Knopf Mikroschritt: " << (a.Aktiv.Mikroschritt ? "aktiv" : "gesperrt")
        << "   Knopf Start: " << (a.Aktiv.Start ? "aktiv" : "gesperrt")
        << "   RAM editiert: " << janein(maschine.RamEditiert()) << '\n';
    aus << "Mikroschritte: " << maschine.Mikroschritte() << '\n';
    aus << "RAM:";
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a)
        aus << (a % 8 == 0 ? "\n  " + ZahlDreistellig(static_cast<unsigned>(a)) + ":" : std::string()) << ' '
            << U(m.Ram.Text(a));
    aus << '\n';
    for (const std::string& text : meldungen) aus << "Meldung: " << U(text) << '\n';
    return aus.str();
}

std::string Spurzeile(const TMaschine& maschine, Wort mpc, std::string_view steuerwort) {
    const TMaschinenzustand& m = maschine.Zustand();
    std::ostringstream aus;
    aus << "MPC " << ZahlDreistellig(mpc) << "  " << U(steuerwort);
    for (int r = 0; r < RegisterAnzahl; ++r)
        aus << "  " << RegisterNamen[r] << '=' << m.Reg(static_cast<Register>(r)).Ausgang();
    aus << "  EB=" << m.ExternerBus << "  IB=" << m.InternerBus;
    return aus.str();
}

nlohmann::ordered_json AufzeichnungAlsJson(const TAufzeichnung& a) {
    nlohmann::ordered_json flag = nullptr;
    if (a.FlagWert()) flag = *a.FlagWert();
    return {{"Befehl", a.Befehl()}, {"Flag", flag}, {"Schritt", a.Schritt()}, {"Worte", a.Worte()},
            {"Status0", U(a.Statustext())}};
}

std::string AufzeichnungAlsText(const TAufzeichnung& a) {
    std::string text = Cp1252ZuUtf8(a.Statustext());
    for (std::size_t s = 0; s < a.Worte().size(); ++s) text += "\n  " + std::to_string(s) + ": " + a.Worte()[s];
    return text;
}

}  // namespace ventaro::cli
