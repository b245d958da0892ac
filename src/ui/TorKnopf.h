#pragma once
// A gate toggle: up shows a closed door under a red lamp, down an open door
// under a green lamp. It takes no focus, so clicking a gate leaves an open
// cell edit in the RAM grid alone.

#include <QAbstractButton>
#include <QPixmap>
#include <QPushButton>

namespace ventaro::ui {

// The 20 x 20 picture of a gate, at the screen's pixel density.
QPixmap TorBild(bool offen, qreal dichte = 1.0);

class TorKnopf : public QAbstractButton {
    Q_OBJECT
public:
    explicit TorKnopf(QWidget* eltern);

protected:
    void paintEvent(QPaintEvent*) override;
};

// The Read and Write gates: toggles with their caption as text.
class TextTorKnopf : public QPushButton {
    Q_OBJECT
public:
    TextTorKnopf(const QString& text, QWidget* eltern);
};

}  // namespace ventaro::ui
