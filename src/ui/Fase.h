#pragma once
// A bevel of one pixel: light above and left when raised, dark when lowered.

#include <QPainter>
#include <QRect>

#include "ui/Farben.h"

namespace ventaro::ui {

// On the outermost pixels of r, corners included.
inline void Fase(QPainter& maler, const QRect& r, bool erhaben) {
    const QColor hell = erhaben ? QColor(Qt::white) : farbe::Schatten;
    const QColor dunkel = erhaben ? farbe::Schatten : QColor(Qt::white);
    maler.fillRect(QRect(r.left(), r.top(), r.width(), 1), hell);
    maler.fillRect(QRect(r.left(), r.top(), 1, r.height()), hell);
    maler.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dunkel);
    maler.fillRect(QRect(r.right(), r.top(), 1, r.height()), dunkel);
}

}  // namespace ventaro::ui
