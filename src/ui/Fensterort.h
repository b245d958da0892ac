#pragma once
// Places a window in the middle of its screen, or a second window beside the
// main window, also where no window manager would place it.

#include <QScreen>
#include <algorithm>
#include <QWidget>

namespace ventaro::ui {

inline void AufBildschirmmitte(QWidget* fenster) {
    const QScreen* schirm = fenster->screen();
    if (!schirm) return;
    QRect ort = fenster->frameGeometry();
    ort.moveCenter(schirm->availableGeometry().center());
    fenster->move(ort.topLeft());
}

// Where a window of the frame size rahmen goes beside the main window's
// frame haupt on the screen area schirm: right of it if there is room, else
// left of it, else on the side with more room, kept on the screen; its top
// level with the main window's.
inline QPoint Nebenort(const QRect& haupt, const QSize& rahmen, const QRect& schirm) {
    constexpr int abstand = 8;
    const int rechts = haupt.right() + 1 + abstand;
    const int links = haupt.left() - abstand - rahmen.width();
    const bool rechtsPasst = rechts + rahmen.width() - 1 <= schirm.right();
    const bool linksPasst = links >= schirm.left();
    const bool rechtsMehr = schirm.right() - haupt.right() >= haupt.left() - schirm.left();
    int x = rechtsPasst || (!linksPasst && rechtsMehr) ? rechts : links;
    x = std::clamp(x, schirm.left(), std::max(schirm.left(), schirm.right() + 1 - rahmen.width()));
    const int y = std::clamp(haupt.top(), schirm.top(), std::max(schirm.top(), schirm.bottom() + 1 - rahmen.height()));
    return {x, y};
}

// Places fenster beside haupt before it is first shown; afterwards it keeps
// the place the user gave it.
inline void NebenDasFenster(QWidget* fenster, const QWidget* haupt) {
    const QScreen* schirm = haupt->screen();
    if (!schirm) return;
    fenster->move(Nebenort(haupt->frameGeometry(), fenster->frameGeometry().size(), schirm->availableGeometry()));
}

}  // namespace ventaro::ui
