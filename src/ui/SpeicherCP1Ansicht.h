#pragma once
// Draws one register cell: its content as caption, its name in purple in the
// corner, and its latch as the bevels and the background.

#include <QWidget>

#include "core/SpeicherCP1.h"

namespace ventaro::ui {

class SpeicherCP1Ansicht : public QWidget {
    Q_OBJECT
public:
    SpeicherCP1Ansicht(const TSpeicherCP1& zelle, QWidget* eltern);

    QString Beschriftung() const;
    // Repaints only when the content or the look changed since the last
    // call, and tells assistive technology what it shows: "Akku 042, lädt".
    void Auffrischen();

signals:
    void geklickt();          // left button released on the cell
    void rechtsGedrueckt();   // right button pressed on the cell

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;

private:
    const TSpeicherCP1& zelle_;
    bool aufgefrischt_ = false;
    Wort inhalt_ = 0;
    Aussehen look_ = Aussehen::Erzeugt;
};

}  // namespace ventaro::ui
