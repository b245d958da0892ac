// The main window's commands for program texts: open one into the RAM, save
// the RAM as one, and the editor window.
#include "core/Fehler.h"
#include "programtext/AlsProgrammtext.h"
#include "programtext/ProgrammtextDatei.h"
#include "programtext/Uebersetzer.h"
#include "ui/Form1.h"
#include "ui/Fensterort.h"
#include "ui/ProgrammtextFenster.h"
#include "ui/Texte.h"

namespace ventaro::ui {
namespace {

RamInhalt Zellen(const TMaschine& maschine) {
    RamInhalt zellen;
    for (int a = 0; a < TRamSpeicher::Zellenzahl; ++a) zellen[a] = maschine.Zustand().Ram.Text(a);
    return zellen;
}

}  // namespace

// Like "Öffnen"; a text with errors lists them all in one box and changes
// nothing.
void TForm1::Programmtextoeffnen1Click() {
    const QString pfad = dienste_.ProgrammtextZumOeffnen(this);
    if (!pfad.isEmpty()) ProgrammtextOeffnen(pfad);
}

void TForm1::ProgrammtextOeffnen(const QString& pfad) {
    Ereignis([this, &pfad] {
        const std::vector<programmtext::Fehlerzeile> zeilen = maschine_.ProgrammtextOeffnen(pfad.toStdString());
        if (zeilen.empty()) {
            programmtextDatei_ = pfad;
            return;
        }
        QStringList fehler;
        for (const programmtext::Fehlerzeile& f : zeilen) fehler << Q(f.text);
        dienste_.Fehlerbox(this, fehler.join(QLatin1Char('\r')));
    });
    ZeigeTitel();
}

void TForm1::AlsProgrammtextspeichern1Click() {
    const QString pfad = dienste_.ProgrammtextZumSpeichern(this);
    if (pfad.isEmpty()) return;
    Ereignis([this, &pfad] {
        programmtext::SchreibeProgrammtext(
            pfad.toStdString(),
            programmtext::AlsProgrammtext(Zellen(maschine_), programmtext::TBefehlsnamen(maschine_.Tabelle())));
    });
}

void TForm1::Programmtext1Click() {
    if (!programmtextFenster_) {
        ProgrammtextFenster::Anbindung anbindung{
            [this] { return programmtext::TBefehlsnamen(maschine_.Tabelle()); },
            [this] { return Zellen(maschine_); },
            [this](RamInhalt zellen) {
                Ereignis([this, &zellen] { maschine_.ProgrammtextUebernehmen(std::move(zellen)); });
            },
        };
        programmtextFenster_ = new ProgrammtextFenster(dienste_, std::move(anbindung), this);
        NebenDasFenster(programmtextFenster_, this);
    }
    programmtextFenster_->show();
    programmtextFenster_->raise();
    programmtextFenster_->activateWindow();
}

}  // namespace ventaro::ui
