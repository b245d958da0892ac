#pragma once
// A gate toggle: up shows a closed door under a red lamp, down an open door
// under a green lamp. It takes no focus, so clicking a gate leaves an open
// cell edit in the RAM grid alone.

#include <QAbstractButton>
#include <QPixmap>

namespace ventaro::ui {

// The 20 x 20 picture of a gate.
QPixmap TorBild(bool offen);

class TorKnopf : public QAbstractButton {
    Q_OBJECT
public:
    explicit TorKnopf(QWidget* eltern);

protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace ventaro::ui
