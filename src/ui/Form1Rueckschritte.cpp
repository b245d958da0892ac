// Stepping back in the window: "Mikroschritt zurück" and "Befehl zurück" in
// the menu "Bearbeiten" and on the tool bar.
#include <QAction>
#include <QMenu>

#include "ui/Aufzeichnungsleiste.h"
#include "ui/BisZumHalt.h"
#include "ui/Form1.h"
#include "ui/Symbole.h"

namespace ventaro::ui {

void TForm1::BaueRueckschritte(QMenu* bearbeiten) {
    // Alt with the arrow keys: the cell editor of the grid uses neither.
    auto aktion = [this, bearbeiten](const char* name, const QString& text, const QIcon& symbol,
                                     const QKeySequence& taste, void (TForm1::*handler)()) {
        QAction* a = bearbeiten->addAction(symbol, text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(taste);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    mikroschrittZurueck_ = aktion("MikroschrittZurueck1", QStringLiteral("Mikroschritt zurück"),
                                  symbol::MikroschrittZurueck(), QKeySequence(Qt::ALT | Qt::Key_Left),
                                  &TForm1::MikroschrittZurueck1Click);
    befehlZurueck_ = aktion("BefehlZurueck1", QStringLiteral("Befehl zurück"), symbol::BefehlZurueck(),
                            QKeySequence(Qt::ALT | Qt::Key_Up), &TForm1::BefehlZurueck1Click);
}

void TForm1::ZeigeRueckschritte() {
    const TAnsicht& a = ansicht_.Stand();
    mikroschrittZurueck_->setEnabled(a.Zurueck);
    befehlZurueck_->setEnabled(a.Zurueck);
    const QString anzahl = QString::number(a.ZurueckMikroschritte);
    for (QAction* a : {mikroschrittZurueck_, befehlZurueck_})
        a->setToolTip(QStringLiteral("%1 (%2): %3 Mikroschritte können zurückgenommen werden")
                          .arg(a->text(), a->shortcut().toString(QKeySequence::NativeText), anzahl));
}

void TForm1::MikroschrittZurueck1Click() {
    if (!mikroschrittZurueck_->isEnabled()) return;
    TAufzeichnung& aufzeichnung = aufzeichnungsleiste_->Aufzeichnung();
    // While recording, the last recorded step goes back with its clicks,
    // and what came before the recording stays.
    Ereignis([&aufzeichnung] { aufzeichnung.Zurueck(); });
    bisZumHalt_->FortschrittVergessen();
}

void TForm1::BefehlZurueck1Click() {
    if (!befehlZurueck_->isEnabled()) return;
    Ereignis([this] { maschine_.BefehlZurueck(); });
    bisZumHalt_->FortschrittVergessen();
}

}  // namespace ventaro::ui
