#include "ui/Symbole.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "ui/Farben.h"
#include "ui/Schriften.h"

namespace ventaro::ui::symbol {
namespace {

// Drawn once per pixel density, so the icons stay sharp in an enlarged window.
QIcon Zeichne(int groesse, const std::function<void(QPainter&)>& malen) {
    QIcon icon;
    for (const qreal dichte : {1.0, 1.25, 1.5, 2.0}) {
        QPixmap bild(qRound(groesse * dichte), qRound(groesse * dichte));
        bild.setDevicePixelRatio(dichte);
        bild.fill(Qt::transparent);
        QPainter maler(&bild);
        maler.setRenderHint(QPainter::Antialiasing);
        maler.setPen(QPen(Qt::black, 1));
        malen(maler);
        maler.end();
        icon.addPixmap(bild);
    }
    return icon;
}

void DisketteMalen(QPainter& m, QPointF o) {
    m.setBrush(QColor(40, 60, 160));
    m.drawRect(QRectF(o.x() + 0.5, o.y() + 0.5, 11, 11));
    m.setBrush(Qt::white);
    m.drawRect(QRectF(o.x() + 2.5, o.y() + 0.5, 7, 4));    // the label
    m.setBrush(QColor(200, 200, 200));
    m.drawRect(QRectF(o.x() + 3.5, o.y() + 7.5, 5, 4));    // the shutter
}

}  // namespace

QIcon Ordner() {
    return Zeichne(16, [](QPainter& m) {
        m.setBrush(QColor(230, 190, 60));
        m.drawRect(QRectF(0.5, 4.5, 12, 9));
        m.drawRect(QRectF(0.5, 3.5, 5, 1));
        m.setBrush(QColor(250, 220, 110));
        m.drawPolygon(QPolygonF({QPointF(2.5, 7.5), QPointF(15.5, 7.5), QPointF(12.5, 13.5), QPointF(0.5, 13.5)}));
    });
}

QIcon Diskette() {
    return Zeichne(16, [](QPainter& m) { DisketteMalen(m, {2, 2}); });
}

QIcon DisketteMitBlatt() {
    return Zeichne(16, [](QPainter& m) {
        m.setBrush(Qt::white);
        m.drawRect(QRectF(7.5, 0.5, 8, 10));
        m.drawLine(QPointF(9, 3.5), QPointF(14, 3.5));
        m.drawLine(QPointF(9, 5.5), QPointF(14, 5.5));
        DisketteMalen(m, {0, 4});
    });
}

QIcon Ausgang() {
    return Zeichne(16, [](QPainter& m) {
        m.setBrush(QColor(80, 80, 80));
        m.drawRect(QRectF(2.5, 1.5, 8, 13));
        m.setBrush(farbe::Tuer);
        m.drawPolygon(QPolygonF({QPointF(2.5, 1.5), QPointF(7.5, 3.5), QPointF(7.5, 15.5), QPointF(2.5, 14.5)}));
        m.setPen(QPen(QColor(0, 140, 0), 2));
        m.drawLine(QPointF(10, 8), QPointF(15, 8));
        m.drawLine(QPointF(13, 5.5), QPointF(15, 8));
        m.drawLine(QPointF(13, 10.5), QPointF(15, 8));
    });
}

QIcon HandAufTaste() {
    return Zeichne(16, [](QPainter& m) {
        m.setBrush(QColor(200, 200, 200));
        m.drawRect(QRectF(1.5, 10.5, 13, 4));                 // the key
        m.setBrush(QColor(250, 210, 170));
        m.drawRoundedRect(QRectF(5.5, 0.5, 3, 9), 1.5, 1.5);  // the finger
        m.drawRoundedRect(QRectF(5.5, 5.5, 8, 5), 2, 2);      // the hand
    });
}

QIcon Tabelle() {
    return Zeichne(16, [](QPainter& m) {
        m.setBrush(Qt::white);
        m.drawRect(QRectF(0.5, 1.5, 15, 13));
        m.fillRect(QRectF(1, 2, 14, 3), QColor(40, 60, 160));
        for (double y : {8.5, 11.5}) m.drawLine(QPointF(0.5, y), QPointF(15.5, y));
        for (double x : {5.5, 10.5}) m.drawLine(QPointF(x, 5), QPointF(x, 14.5));
    });
}

QIcon Fragezeichen() {
    return Zeichne(16, [](QPainter& m) {
        m.setBrush(QColor(255, 255, 180));
        m.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        m.setFont(Arial(13));
        m.setPen(QColor(0, 0, 160));
        m.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon Buch() {
    return Zeichne(16, [](QPainter& m) {
        m.setBrush(Qt::white);
        m.drawPolygon(QPolygonF({QPointF(8, 3.5), QPointF(1.5, 1.5), QPointF(1.5, 13.5), QPointF(8, 15.5)}));
        m.drawPolygon(QPolygonF({QPointF(8, 3.5), QPointF(14.5, 1.5), QPointF(14.5, 13.5), QPointF(8, 15.5)}));
        m.setPen(QColor(120, 120, 120));
        for (double y : {5.5, 8.0, 10.5}) {
            m.drawLine(QPointF(3, y - 1), QPointF(6.5, y));
            m.drawLine(QPointF(9.5, y), QPointF(13, y - 1));
        }
    });
}

namespace {

// A bent arrow pointing back to the left, as "undo" usually looks.
void PfeilZurueck(QPainter& m, double y, const QColor& farbe) {
    QPainterPath bogen;
    bogen.moveTo(4, y);
    bogen.cubicTo(10, y, 14, y + 2, 13.5, y + 7);
    m.setPen(QPen(farbe, 2));
    m.setBrush(Qt::NoBrush);
    m.drawPath(bogen);
    m.setPen(Qt::NoPen);
    m.setBrush(farbe);
    m.drawPolygon(QPolygonF({QPointF(0.5, y), QPointF(5, y - 4), QPointF(5, y + 4)}));
}

}  // namespace

QIcon MikroschrittZurueck() {
    return Zeichne(16, [](QPainter& m) { PfeilZurueck(m, 5, QColor(0, 110, 0)); });
}

QIcon BefehlZurueck() {
    return Zeichne(16, [](QPainter& m) {
        // Two arrows: a whole instruction of microsteps back.
        PfeilZurueck(m, 3.5, QColor(40, 60, 160));
        m.setPen(QPen(QColor(40, 60, 160), 2));
        m.drawLine(QPointF(1, 13.5), QPointF(9, 13.5));
    });
}

QIcon Programm() {
    return Zeichne(32, [](QPainter& m) {
        m.setBrush(farbe::Silber);
        m.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);
        m.setPen(Qt::NoPen);
        m.setBrush(Qt::white);
        m.drawRect(QRectF(4, 8, 24, 4));
        m.drawRect(QRectF(14, 8, 4, 18));
        m.setBrush(farbe::LampeGruen);
        m.drawEllipse(QRectF(20, 16, 8, 8));
        m.setBrush(farbe::Lila);
        m.drawRect(QRectF(4, 18, 9, 8));
    });
}

}  // namespace ventaro::ui::symbol
