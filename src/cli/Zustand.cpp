#include "cli/Zustand.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "core/Zeichensatz.h"

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

// "ohne Befehl" first where it occurred, then the opcodes that ran.
template <typename Zeile>
void JedeStatistikzeile(const TStatistik& s, Zeile zeile) {
    const TStatistik::Zeile& ohne = s.Stand.ohneBefehl;
    if (ohne.Anzahl > 0 || ohne.Mikroschritte > 0) zeile(TStatistik::OhneBefehl, ohne);
    for (int op = 0; op < TStatistik::OpAnzahl; ++op)
        if (s.JeOp[op].Anzahl > 0) zeile(op, s.JeOp[op]);
}

json StatistikAlsJson(const TMaschine& m) {
    json jeBefehl = json::array();
    JedeStatistikzeile(m.Statistik, [&](int op, const TStatistik::Zeile& z) {
        jeBefehl.push_back(
            {{"Op", op}, {"Mnemonic", U(m.StatistikName(op))}, {"Anzahl", z.Anzahl}, {"Mikroschritte", z.Mikroschritte}});
    });
    return {{"Befehle", m.Statistik.Stand.Befehle},
            {"Mikroschritte", m.Statistik.Stand.Mikroschritte},
            {"JeBefehl", jeBefehl}};
}

// Two places after a decimal comma.
std::string Dezimal(double wert) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", wert);
    std::string ergebnis = text;
    std::replace(ergebnis.begin(), ergebnis.end(), '.', ',');
    return ergebnis;
}

}  // namespace

std::string StatistikAlsText(const TMaschine& m) {
    std::ostringstream aus;
    char zeile[160];
    std::snprintf(zeile, sizeof zeile, "%-4s %-12s %12s %14s %10s\n", "Op", "Mnemonic", "Anzahl", "Mikroschritte",
                  "je Befehl");
    aus << zeile;
    JedeStatistikzeile(m.Statistik, [&](int op, const TStatistik::Zeile& z) {
        const std::string je = op == TStatistik::OhneBefehl || z.Anzahl == 0
                                   ? std::string()
                                   : Dezimal(static_cast<double>(z.Mikroschritte) / static_cast<double>(z.Anzahl));
        char opText[8] = "-";
        if (op != TStatistik::OhneBefehl) std::snprintf(opText, sizeof opText, "%02d", op);
        std::snprintf(zeile, sizeof zeile, "%-4s %-12s %12llu %14llu %10s\n", opText,
                      U(m.StatistikName(op)).c_str(), static_cast<unsigned long long>(z.Anzahl),
                      static_cast<unsigned long long>(z.Mikroschritte), je.c_str());
        aus << zeile;
    });
    aus << "Befehle: " << m.Statistik.Stand.Befehle << "   Mikroschritte: " << m.Statistik.Stand.Mikroschritte
        << "   Mikroschritte je Befehl: " << Dezimal(m.Statistik.JeBefehl()) << '\n';
    return aus.str();
}

json ZustandAlsJson(const TMaschine& m, const std::vector<std::string>& meldungen) {
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
         {{"ALULbl", U(m.ALULbl())},
          {"FlagLbl", U(m.FlagLbl())},
          {"MPCFlag", U(m.MPCFlagText())},
          {"MPC", U(m.MPCText())},
          {"MikroCodeEdit", U(m.MikroCodeEditText())},
          {"DisplayEdit", U(m.DisplayEditText())},
          {"Status1", U(m.Status1())}}},
        {"Knoepfe", {{"Mikroschritt", m.KnoepfeAktiv().Mikroschritt}, {"Start", m.KnoepfeAktiv().Start}}},
        {"RamEditiert", m.RamEditiert},
        {"RAM", ram},
        {"Meldungen", texte},
        {"Mikroschritte", m.Mikroschritte()},
        {"Verlauf", m.Rueckgaengig()},
        {"Haltepunkte", m.Haltepunkte()},
        {"Statistik", StatistikAlsJson(m)},
    };
}

std::string ZustandAlsText(const TMaschine& m, const std::vector<std::string>& meldungen) {
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
    aus << "Anzeige: ALU " << m.ALULbl() << "   " << m.FlagLbl() << "   MPC " << m.MPCFlagText() << ' '
        << m.MPCText() << "   Mikroschrittcode " << U(m.MikroCodeEditText()) << "   Display "
        << m.DisplayEditText() << '\n';
    aus << "Statuszeile: " << U(m.Status1()) << '\n';
    aus << "Knopf Mikroschritt: " << (m.KnoepfeAktiv().Mikroschritt ? "aktiv" : "gesperrt")
        << "   Knopf Start: " << (m.KnoepfeAktiv().Start ? "aktiv" : "gesperrt")
        << "   RAM editiert: " << janein(m.RamEditiert) << '\n';
    aus << "Mikroschritte: " << m.Mikroschritte() << '\n';
    aus << "RAM:";
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a)
        aus << (a % 8 == 0 ? "\n  " + ZahlDreistellig(static_cast<unsigned>(a)) + ":" : std::string()) << ' '
            << U(m.Ram.Text(a));
    aus << '\n';
    for (const std::string& text : meldungen) aus << "Meldung: " << U(text) << '\n';
    return aus.str();
}

std::string Spurzeile(const TMaschine& m, Wort mpc, std::string_view steuerwort) {
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
