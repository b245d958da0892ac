#include "ui/Haltepunktbedienung.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

#include "ui/RamGitter.h"

namespace ventaro::ui {

Haltepunktbedienung::Haltepunktbedienung(RamGitter* gitter, TMaschine& maschine, std::function<void()> zeichne)
    : QObject(gitter), gitter_(gitter), maschine_(maschine), zeichne_(std::move(zeichne)) {
    gitter_->viewport()->installEventFilter(this);
}

bool Haltepunktbedienung::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::MouseButtonPress) {
        const auto* maus = static_cast<QMouseEvent*>(ereignis);
        const QModelIndex index = gitter_->indexAt(maus->position().toPoint());
        // The address column is fixed: a click there selects nothing else.
        if (maus->button() == Qt::LeftButton && index.isValid() && index.column() == 0) {
            Umschalten(index.row());
            return true;
        }
    }
    if (ereignis->type() == QEvent::ContextMenu) {
        const auto* menue = static_cast<QContextMenuEvent*>(ereignis);
        const QModelIndex index = gitter_->indexAt(menue->pos());
        if (index.isValid()) {
            Kontextmenue(index.row(), menue->globalPos());
            return true;
        }
    }
    return QObject::eventFilter(objekt, ereignis);
}

void Haltepunktbedienung::Umschalten(int adresse) {
    maschine_.SetzeHaltepunkt(adresse, !maschine_.Haltepunkt(adresse));
    zeichne_();
}

void Haltepunktbedienung::Kontextmenue(int adresse, const QPoint& ort) {
    QMenu menue(gitter_);
    const bool gesetzt = maschine_.Haltepunkt(adresse);
    QAction* eintrag = menue.addAction(gesetzt ? QStringLiteral("Haltepunkt entfernen") : QStringLiteral("Haltepunkt setzen"));
    eintrag->setObjectName(QStringLiteral("HaltepunktUmschalten"));
    connect(eintrag, &QAction::triggered, this, [this, adresse] { Umschalten(adresse); });
    menue.exec(ort);
}

}  // namespace ventaro::ui
