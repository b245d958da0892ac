#include "ui/SpeicherCP1Ansicht.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/Farben.h"
#include "ui/Fase.h"
#include "ui/Schriften.h"
#include "ui/Texte.h"

namespace ventaro::ui {
SpeicherCP1Ansicht::SpeicherCP1Ansicht(const TSpeicherCP1& zelle, QWidget* eltern) : QWidget(eltern), zelle_(zelle) {
    setFixedSize(89, 49);
    setMouseTracking(true);
}

QString SpeicherCP1Ansicht::Beschriftung() const { return Q(zelle_.Beschriftung()); }

void SpeicherCP1Ansicht::Auffrischen() {
    if (aufgefrischt_ && zelle_.RegisterInhalt() == inhalt_ && zelle_.Look() == look_) return;
    aufgefrischt_ = true;
    inhalt_ = zelle_.RegisterInhalt();
    look_ = zelle_.Look();
    const QString vorlesen = Q(zelle_.RegisterName()) + QLatin1Char(' ') + Beschriftung() +
                             (zelle_.Laden() ? U(", lädt") : U(", hält"));
    if (accessibleName() != vorlesen) setAccessibleName(vorlesen);
    update();
}

void SpeicherCP1Ansicht::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    const Aussehen look = zelle_.Look();
    maler.fillRect(rect(), look == Aussehen::Geladen ? QColor(Qt::white) : farbe::Knopfflaeche);
    maler.setPen(Qt::black);
    maler.drawRect(rect().adjusted(0, 0, -1, -1));  // the single-line border
    const QRect aussen = rect().adjusted(1, 1, -1, -1);  // inside the border
    Fase(maler, aussen, look != Aussehen::Geladen);
    if (look != Aussehen::Erzeugt) Fase(maler, aussen.adjusted(1, 1, -1, -1), look == Aussehen::Freigegeben);

    maler.setFont(Arial(13));
    maler.setPen(Qt::black);
    maler.drawText(rect(), Qt::AlignCenter, Beschriftung());
    maler.setPen(farbe::Lila);
    maler.drawText(QRect(2, 2, width() - 4, 16), Qt::AlignLeft | Qt::AlignTop, Q(zelle_.RegisterName()));
}

void SpeicherCP1Ansicht::mousePressEvent(QMouseEvent* ereignis) {
    if (ereignis->button() == Qt::RightButton) emit rechtsGedrueckt();
}

void SpeicherCP1Ansicht::mouseReleaseEvent(QMouseEvent* ereignis) {
    if (ereignis->button() == Qt::LeftButton && rect().contains(ereignis->position().toPoint())) emit geklickt();
}

}  // namespace ventaro::ui
