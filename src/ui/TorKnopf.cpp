#include "ui/TorKnopf.h"

#include <QPainter>
#include <QPolygon>

#include "ui/Farben.h"
#include "ui/Fase.h"

namespace ventaro::ui {

QPixmap TorBild(bool offen, qreal dichte) {
    QPixmap bild(qRound(20 * dichte), qRound(20 * dichte));
    bild.setDevicePixelRatio(dichte);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    // The lamp above the door.
    maler.setPen(QPen(Qt::black, 0.8));
    maler.setBrush(offen ? farbe::LampeGruen : farbe::LampeRot);
    maler.drawEllipse(QRectF(7, 0.5, 6, 6));
    // The door frame.
    maler.setBrush(Qt::NoBrush);
    maler.setPen(QPen(Qt::black, 1));
    maler.drawRect(QRectF(4.5, 7.5, 11, 12));
    if (offen) {
        // The opening is dark, the door stands swung out to the right.
        maler.fillRect(QRectF(5, 8, 10, 11), QColor(40, 40, 40));
        const QPolygonF fluegel({QPointF(15, 8), QPointF(19, 6.5), QPointF(19, 20), QPointF(15, 19)});
        maler.setBrush(farbe::Tuer);
        maler.drawPolygon(fluegel);
    } else {
        maler.fillRect(QRectF(5, 8, 10, 11), farbe::Tuer);
        maler.setBrush(Qt::yellow);
        maler.drawEllipse(QRectF(12, 13, 2, 2));  // the handle
    }
    return bild;
}

TorKnopf::TorKnopf(QWidget* eltern) : QAbstractButton(eltern) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(41, 41);
    setMouseTracking(true);
}

TextTorKnopf::TextTorKnopf(const QString& text, QWidget* eltern) : QPushButton(text, eltern) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(QStringLiteral("QPushButton { background: %1; border: 2px outset white; }"
                                 "QPushButton:checked { background: white; border: 2px inset %2; }")
                      .arg(farbe::Knopfflaeche.name(), farbe::Schatten.name()));
}

void TorKnopf::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    const bool unten = isChecked() || isDown();
    maler.fillRect(rect(), farbe::Knopfflaeche);
    Fase(maler, rect(), !unten);
    const int versatz = unten ? 1 : 0;  // a pressed button's picture sinks in
    maler.drawPixmap(10 + versatz, 10 + versatz, TorBild(isChecked(), devicePixelRatioF()));
}

}  // namespace ventaro::ui
