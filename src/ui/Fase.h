#pragma once
// A bevel of one pixel: light above and left when raised, dark when lowered.

#include <QPainter>
#include <QRect>

#include "ui/Farben.h"

namespace ventaro::ui {

inline void Fase(QPainter& maler, const QRect& r, bool erhaben) {
    maler.setPen(erhaben ? QColor(Qt::white) : farbe::Schatten);
    maler.drawLine(r.topLeft(), r.topRight());
    maler.drawLine(r.topLeft(), r.bottomLeft());
    maler.setPen(erhaben ? farbe::Schatten : QColor(Qt::white));
    maler.drawLine(r.bottomLeft(), r.bottomRight());
    maler.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace ventaro::ui
