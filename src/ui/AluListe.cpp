#include "ui/AluListe.h"

#include <QMouseEvent>

namespace ventaro::ui {

AluListe::AluListe(QWidget* eltern) : QListWidget(eltern) {
    connect(this, &QListWidget::currentRowChanged, this, [this](int zeile) {
        // While a mouse button is down the highlight may still move.
        if (!maustasteUnten_ && zeile >= 0) emit gewaehlt(zeile);
    });
}

void AluListe::mousePressEvent(QMouseEvent* ereignis) {
    maustasteUnten_ = true;
    QListWidget::mousePressEvent(ereignis);
}

void AluListe::mouseReleaseEvent(QMouseEvent* ereignis) {
    QListWidget::mouseReleaseEvent(ereignis);
    if (!maustasteUnten_) return;
    maustasteUnten_ = false;
    // Also the item already chosen: choosing it again evaluates it again.
    if (currentRow() >= 0) emit gewaehlt(currentRow());
}

}  // namespace ventaro::ui
