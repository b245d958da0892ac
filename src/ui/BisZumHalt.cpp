#include "ui/BisZumHalt.h"

#include <algorithm>

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QToolBar>

#include "ui/Dienste.h"
#include "ui/Texte.h"

namespace ventaro::ui {

QIcon BisZumHaltSymbol() {
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter m(&bild);
    m.setRenderHint(QPainter::Antialiasing);
    m.setPen(QPen(Qt::black, 1));
    m.setBrush(QColor(40, 160, 60));
    m.drawPolygon(QPolygonF({QPointF(1.5, 2.5), QPointF(10.5, 8), QPointF(1.5, 13.5)}));
    m.setBrush(QColor(200, 40, 40));
    m.drawRect(QRectF(11.5, 2.5, 3, 11));
    return QIcon(bild);
}

BisZumHalt::BisZumHalt(Anschluss anschluss) : QObject(anschluss.fenster), a_(std::move(anschluss)) {
    takt_.setInterval(0);
    connect(&takt_, &QTimer::timeout, this, &BisZumHalt::Scheibe);
    // Only while running, so Escape keeps its meaning in the grid's editor.
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), a_.fenster);
    escape_->setContext(Qt::WindowShortcut);
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &BisZumHalt::Stopp);
}

void BisZumHalt::Starten() {
    // Like "Mikroschritt": nothing while a cell check keeps the machine off.
    if (Laeuft() || !a_.maschine.Zustand().Aktiv.Mikroschritt) return;
    lauf_.emplace(a_.maschine);
    a_.maschine.DauerlaufSchalter(true);
    escape_->setEnabled(true);
    uhr_.start();
    gezeichnetMs_ = 0;
    a_.zeichne();
    ZeigeFortschritt();
    takt_.start();
}

void BisZumHalt::Stopp() {
    if (Laeuft()) Beenden(Laufende::Stopp);
}

void BisZumHalt::Scheibe() {
    if (!Laeuft()) return;
    QElapsedTimer scheibe;
    scheibe.start();
    Umgebung* fenster = a_.maschine.TauscheUmgebung(&stille_);
    const std::optional<Laufende> ende = lauf_->Weiter(scheibe_);
    a_.maschine.TauscheUmgebung(fenster);
    if (ende) return Beenden(*ende);
    // About 15 ms a slice: long enough to be fast, short enough for "Stopp".
    const qint64 dauer = scheibe.elapsed();
    if (dauer < 10 && scheibe_ < (1u << 24)) scheibe_ *= 2;
    else if (dauer > 25 && scheibe_ > 64) scheibe_ /= 2;
    if (uhr_.elapsed() - gezeichnetMs_ >= ZeichenabstandMs) {
        gezeichnetMs_ = uhr_.elapsed();
        a_.zeichne();
        ZeigeFortschritt();
    }
}

void BisZumHalt::Beenden(Laufende grund) {
    takt_.stop();
    escape_->setEnabled(false);
    const TDauerlauf lauf = *lauf_;
    schritte_ = lauf.Schritte();
    lauf_.reset();
    a_.maschine.DauerlaufSchalter(false);
    a_.zeichne();
    ZeigeFortschritt();
    if (grund == Laufende::Fehlschlag) a_.dienste.Programmfehler(a_.fenster, Q(lauf.Meldung()));
    if (grund == Laufende::Grenze) a_.dienste.Warnung(a_.fenster, Q(GrenzeErreicht(lauf.Schritte())));
}

void BisZumHalt::ZeigeFortschritt() {
    if (lauf_) schritte_ = lauf_->Schritte();
    const double sekunden = std::max<qint64>(uhr_.elapsed(), 1) / 1000.0;
    statustext_ = QString::fromUtf8("%1: %2 Mikroschritte, %3 je Sekunde")
                      .arg(Laeuft() ? QString::fromUtf8("Bis zum Halt") : QString::fromUtf8("Angehalten"))
                      .arg(Gruppiert(schritte_))
                      .arg(Gruppiert(static_cast<std::uint64_t>(static_cast<double>(schritte_) / sekunden)));
    a_.statusfeld->setText(statustext_);
}

void BisZumHalt::FortschrittVergessen() {
    if (!Laeuft() && a_.statusfeld->text() == statustext_) a_.statusfeld->clear();
}

}  // namespace ventaro::ui
