#pragma once
// The ALU list: a choice is reported once, when it is final, so that the
// highlighted item and the ALU's operation never disagree: a click reports
// its item, a drag the item it ends on, a key the item it moves to.

#include <QListWidget>

namespace ventaro::ui {

class AluListe : public QListWidget {
    Q_OBJECT
public:
    explicit AluListe(QWidget* eltern);

signals:
    void gewaehlt(int zeile);

protected:
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;

private:
    bool maustasteUnten_ = false;
};

}  // namespace ventaro::ui
