#include "web/Seitenmaschine.h"

#include "core/Bauteile.h"
#include "core/Fehler.h"
#include "core/Zeichensatz.h"

namespace ventaro::web {

Seitenmaschine::Seitenmaschine(std::string fenstertitel, const std::string& mikrocodePfad)
    : fenstertitel_(std::move(fenstertitel)), maschine_(this), ansicht_(fenstertitel_) {
    maschine_.Tabelle().SetzePfad(mikrocodePfad);
}

std::vector<Meldung> Seitenmaschine::Meldungen() {
    std::vector<Meldung> meldungen;
    meldungen.swap(meldungen_);
    return meldungen;
}

void Seitenmaschine::Warte(int ms) {
    // The machine has let its events run and drawn; what it shows now is
    // what the page shows while it waits.
    pause_ = ms;
    zwischenansicht_ = TAnsicht::Von(maschine_, fenstertitel_);
}

void Seitenmaschine::Fehlermeldung(const std::string& text) { meldungen_.push_back({"Fehler", text}); }

void Seitenmaschine::Fehlschlag(const std::exception& fehler) {
    const auto* eigener = dynamic_cast<const Fehler*>(&fehler);
    meldungen_.push_back({"Ventaro", Meldungstext(eigener ? eigener->Text() : std::string(fehler.what()))});
}

bool Seitenmaschine::LaufBeginnen() {
    // Like "Mikroschritt": nothing while a cell check keeps the machine off.
    if (lauf_ || !maschine_.Zustand().Aktiv.Mikroschritt) return false;
    lauf_.emplace(maschine_);
    laufSchritte_ = 0;
    maschine_.DauerlaufSchalter(true);
    return true;
}

std::optional<Laufende> Seitenmaschine::LaufWeiter(std::uint64_t n) {
    if (!lauf_) return Laufende::Stopp;
    const std::optional<Laufende> ende = lauf_->Weiter(n);
    laufSchritte_ = lauf_->Schritte();
    if (ende) LaufBeenden(*ende);
    return ende;
}

void Seitenmaschine::LaufStoppen() {
    if (lauf_) LaufBeenden(Laufende::Stopp);
}

void Seitenmaschine::LaufBeenden(Laufende grund) {
    const TDauerlauf lauf = *lauf_;
    lauf_.reset();
    laufSchritte_ = lauf.Schritte();
    maschine_.DauerlaufSchalter(false);
    if (grund == Laufende::Fehlschlag) meldungen_.push_back({"Ventaro", lauf.Meldung()});
    if (grund == Laufende::Grenze) meldungen_.push_back({"Warnung", GrenzeErreicht(lauf.Schritte())});
}

bool Seitenmaschine::TabelleLaden() {
    return Ereignis([this] { maschine_.Tabelle().AllesLaden(); });
}

void Seitenmaschine::BefehlUebernehmen(int befehl, const std::string& mnemonicUtf8,
                                       const std::vector<std::string>& worte0, const std::vector<std::string>& worte1) {
    if (befehl < 0 || befehl >= TMikrocodeTabelle::MaxBefehle) return;
    TMikrocodeTabelle& tabelle = maschine_.Tabelle();
    // Only marks reach the table: a word is "1" where the page's grid is marked.
    auto uebernimm = [befehl](const std::vector<std::string>& worte, auto& ziel) {
        for (int s = 0; s < TMikrocodeTabelle::SchritteProBefehl; ++s) {
            const std::string wort = s < static_cast<int>(worte.size()) ? worte[s] : std::string();
            ziel[Index(befehl, s)] = SteuerwortAus([&](int k) { return SignalGesetzt(wort, k); });
        }
    };
    uebernimm(worte0, tabelle.Steuerworte0);
    uebernimm(worte1, tabelle.Steuerworte1);
    bool ersetzt = false;
    tabelle.Mnemonics[befehl] = Utf8ZuCp1252(mnemonicUtf8, &ersetzt);
    if (ersetzt) meldungen_.push_back({"Warnung", meldung::ZeichenErsetzt(tabelle.Mnemonics[befehl])});
}

void Seitenmaschine::TabelleSpeichern() {
    // As the desktop's OK: the machine takes the table whatever the saving does.
    Ereignis([this] { maschine_.Tabelle().AllesSpeichern(); });
    maschine_.MikrocodeKopieren();
}

}  // namespace ventaro::web
