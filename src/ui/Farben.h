#pragma once
// The colours of the window.

#include <QColor>

namespace ventaro::ui::farbe {

inline const QColor Silber(192, 192, 192);
inline const QColor Lila(128, 0, 128);
inline const QColor Rot(255, 0, 0);
// The classic button face: darker than the white of a latched register, so
// the latch state shows from the back of a classroom.
inline const QColor Knopfflaeche(212, 208, 200);
inline const QColor Schatten(128, 128, 128);
inline const QColor Rollbalkengrau(200, 200, 200);
inline const QColor LampeRot(220, 0, 0);
inline const QColor LampeGruen(0, 190, 0);
inline const QColor Tuer(150, 100, 50);

}  // namespace ventaro::ui::farbe
