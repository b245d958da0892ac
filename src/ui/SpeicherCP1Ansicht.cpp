#include "ui/SpeicherCP1Ansicht.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/Farben.h"
#include "ui/Schriften.h"
#include "ui/Texte.h"

namespace ventaro::ui {
namespace {

// A bevel of one pixel: light above and left when raised, dark when lowered.
void Fase(QPainter& maler, const QRect& r, bool erhaben) {
    maler.setPen(erhaben ? Qt::white : farbe::Schatten);
    maler.drawLine(r.topLeft(), r.topRight());
    maler.drawLine(r.topLeft(), r.bottomLeft());
    maler.setPen(erhaben ? farbe::Schatten : Qt::white);
    maler.drawLine(r.bottomLeft(), r.bottomRight());
    maler.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace

SpeicherCP1Ansicht::SpeicherCP1Ansicht(const TSpeicherCP1& zelle, QWidget* eltern) : QWidget(eltern), zelle_(zelle) {
    setFixedSize(89, 49);
    setMouseTracking(true);
}

QString SpeicherCP1Ansicht::Beschriftung() const { return Q(zelle_.Beschriftung()); }

void SpeicherCP1Ansicht::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    const Aussehen look = zelle_.Look();
    maler.fillRect(rect(), look == Aussehen::Geladen ? QColor(Qt::white) : farbe::Knopfflaeche);
    maler.setPen(Qt::black);
    maler.drawRect(rect().adjusted(0, 0, -1, -1));  // the single-line border
    const QRect aussen = rect().adjusted(1, 1, -2, -2);
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
