#pragma once
// Places a window in the middle of its screen, also where no window manager
// would place it.

#include <QScreen>
#include <QWidget>

namespace ventaro::ui {

inline void AufBildschirmmitte(QWidget* fenster) {
    const QScreen* schirm = fenster->screen();
    if (!schirm) return;
    QRect ort = fenster->frameGeometry();
    ort.moveCenter(schirm->availableGeometry().center());
    fenster->move(ort.topLeft());
}

}  // namespace ventaro::ui
