#include "machine/Verlauf.h"

namespace ventaro {
namespace {

template <typename Feld>
void JedeZahl(Feld feld) {
    // The order of the eight machine values in a picture.
    feld(0, &TMaschinenzustand::ExternerBus);
    feld(1, &TMaschinenzustand::InternerBus);
    feld(2, &TMaschinenzustand::RamAdresse);
    feld(3, &TMaschinenzustand::AluA);
    feld(4, &TMaschinenzustand::AluB);
    feld(5, &TMaschinenzustand::AluErgebnis);
    feld(6, &TMaschinenzustand::Flag);
    feld(7, &TMaschinenzustand::MPC);
}

}  // namespace

std::uint32_t TVerlauf::TextNummer(const std::string& text) {
    if (!texte_.empty() && texte_[letzteNummer_] == text) return letzteNummer_;
    const auto [ort, neu] = textnummern_.try_emplace(text, static_cast<std::uint32_t>(texte_.size()));
    if (neu) texte_.push_back(text);
    letzteNummer_ = ort->second;
    return letzteNummer_;
}

namespace {
constexpr std::int16_t kKeineZeile = -2;
}

void TVerlauf::Beginne(const TMaschinenzustand& z, bool mikroschritt, bool alleStatistikzeilen) {
    if (anzahl_ == Tiefe) AeltestenVergessen();
    // The whole ring at once: its pages are taken only as they are written.
    if (ring_.capacity() < Tiefe) ring_.reserve(Tiefe);
    if (ring_.size() < Tiefe && anfang_ + anzahl_ == ring_.size()) ring_.emplace_back();
    ++anzahl_;
    Eintrag& e = Letzter();
    Bild& b = e.vorher;
    JedeZahl([&](int i, Wort TMaschinenzustand::*feld) { b.werte[i] = z.*feld; });
    b.aluAuswahl = static_cast<std::int8_t>(z.AluAuswahl);
    b.tore = z.Tore;
    b.zeile = static_cast<std::uint8_t>(z.Ram.AktuelleZeile());
    b.aktiv = z.Aktiv;
    for (int r = 0; r < RegisterAnzahl; ++r) b.register_[r] = z.Registerzellen[r].Sichern();
    b.anzeige[0] = z.Anzeige.alu;
    b.anzeige[1] = z.Anzeige.flag;
    b.anzeige[2] = z.Anzeige.mpc;
    b.anzeige[3] = z.Anzeige.display;
    b.mitMikroCode = z.Anzeige.mikroCode.has_value();
    b.mikroCode = z.Anzeige.mikroCode.value_or(Steuerwort());
    b.statusart = z.Anzeige.statusart;
    b.statustext = TextNummer(z.Anzeige.statustext);
    b.schritte = z.Schritte;
    b.pcRechtsklicks = z.PCRechtsklicks;
    b.statistik = z.Statistik.Stand;
    b.statistikOp = kKeineZeile;
    e.alleZeilen.reset();  // a slot used before may hold an old Reset's rows
    if (alleStatistikzeilen)
        e.alleZeilen = std::make_unique<std::array<TStatistik::Zeile, TStatistik::OpAnzahl>>(z.Statistik.JeOp);
    e.nummer = naechsteNummer_++;
    b.mikroschritt = mikroschritt;
    b.beginntBefehl = mikroschritt && z.MPC == 1;
    if (mikroschritt) ++mikroschritte_;
}

void TVerlauf::MerkeZelle(int adresse, const std::string& alterText) {
    if (anzahl_ == 0) return;
    zellen_.push_back({Letzter().nummer, static_cast<std::uint8_t>(adresse), alterText});
}

void TVerlauf::MerkeStatistikzeile(int op, const TStatistik::Zeile& alt) {
    if (anzahl_ == 0) return;
    Bild& b = Letzter().vorher;
    if (b.statistikOp != kKeineZeile) return;  // the oldest value wins
    b.statistikOp = static_cast<std::int16_t>(op);
    b.statistikZeile = alt;
}

bool TVerlauf::Zuruecknehmen(TMaschinenzustand& z) {
    if (anzahl_ == 0) return false;
    const Eintrag& e = Letzter();
    const Bild& b = e.vorher;
    JedeZahl([&](int i, Wort TMaschinenzustand::*feld) { z.*feld = b.werte[i]; });
    z.AluAuswahl = b.aluAuswahl;
    z.Tore = b.tore;
    z.Ram.SetzeAktuelleZeile(b.zeile);
    z.Aktiv = b.aktiv;
    for (int r = 0; r < RegisterAnzahl; ++r) z.Registerzellen[r].Wiederherstellen(b.register_[r]);
    z.Anzeige.alu = b.anzeige[0];
    z.Anzeige.flag = b.anzeige[1];
    z.Anzeige.mpc = b.anzeige[2];
    z.Anzeige.display = b.anzeige[3];
    z.Anzeige.mikroCode = b.mitMikroCode ? std::optional<Steuerwort>(b.mikroCode) : std::nullopt;
    z.Anzeige.statusart = b.statusart;
    z.Anzeige.statustext = texte_[b.statustext];
    z.Schritte = b.schritte;
    z.PCRechtsklicks = b.pcRechtsklicks;
    z.Statistik.Stand = b.statistik;
    if (b.statistikOp != kKeineZeile) z.Statistik.JeOp[b.statistikOp] = b.statistikZeile;
    if (e.alleZeilen) z.Statistik.JeOp = *e.alleZeilen;
    // The cells the action wrote, latest first, so the oldest text wins.
    bool zellenGeaendert = false;
    for (; !zellen_.empty() && zellen_.back().eintrag == e.nummer; zellen_.pop_back()) {
        const Zelle& zelle = zellen_.back();
        zellenGeaendert |= z.Ram.Text(zelle.adresse) != zelle.alterText;
        z.Ram.SetzeText(zelle.adresse, zelle.alterText);
    }
    if (e.vorher.mikroschritt) --mikroschritte_;
    --anzahl_;
    return zellenGeaendert;
}

void TVerlauf::AeltestenVergessen() {
    const Eintrag& e = ring_[anfang_];
    while (!zellen_.empty() && zellen_.front().eintrag == e.nummer) zellen_.pop_front();
    if (e.vorher.mikroschritt) --mikroschritte_;
    anfang_ = (anfang_ + 1) % Tiefe;
    --anzahl_;
}

void TVerlauf::Loeschen() {
    ring_.clear();
    anfang_ = anzahl_ = 0;
    zellen_.clear();
    mikroschritte_ = 0;
    texte_.clear();
    textnummern_.clear();
    letzteNummer_ = 0;
}

}  // namespace ventaro
