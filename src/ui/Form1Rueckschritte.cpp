// Stepping back in the window: "Mikroschritt zurück" and "Befehl zurück" in
// the menu "Bearbeiten" and on the tool bar; the keys are Alt with the arrow
// keys, which the grid's cell editor does not use.
#include <QAction>
#include <QMenu>

#include "ui/Aufzeichnungsleiste.h"
#include "ui/BisZumHalt.h"
#include "ui/Form1.h"
#include "ui/Symbole.h"

namespace ventaro::ui {

void TForm1::ZeigeRueckschritte() {
    const TAnsicht& a = ansicht_.Stand();
    Befehl("MikroschrittZurueck1")->setEnabled(a.Zurueck);
    Befehl("BefehlZurueck1")->setEnabled(a.Zurueck);
    const QString anzahl = QString::number(a.ZurueckMikroschritte);
    for (QAction* a : {Befehl("MikroschrittZurueck1"), Befehl("BefehlZurueck1")})
        a->setToolTip(QStringLiteral("%1 (%2): %3 Mikroschritte können zurückgenommen werden")
                          .arg(a->text(), a->shortcut().toString(QKeySequence::NativeText), anzahl));
}

void TForm1::MikroschrittZurueck1Click() {
    if (!Befehl("MikroschrittZurueck1")->isEnabled()) return;
    TAufzeichnung& aufzeichnung = aufzeichnungsleiste_->Aufzeichnung();
    // While recording, the last recorded step goes back with its clicks,
    // and what came before the recording stays.
    Ereignis([&aufzeichnung] { aufzeichnung.Zurueck(); });
    bisZumHalt_->FortschrittVergessen();
}

void TForm1::BefehlZurueck1Click() {
    if (!Befehl("BefehlZurueck1")->isEnabled()) return;
    Ereignis([this] { maschine_.BefehlZurueck(); });
    bisZumHalt_->FortschrittVergessen();
}

}  // namespace ventaro::ui
