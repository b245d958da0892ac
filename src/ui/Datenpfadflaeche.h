#pragma once
// The window's client area: the silver background with the datapath's wires,
// junctions and corner squares drawn beneath all controls.

#include <QWidget>

namespace ventaro::ui {

class Datenpfadflaeche : public QWidget {
    Q_OBJECT
public:
    explicit Datenpfadflaeche(QWidget* eltern);

    // Whether a wire, junction or square lies under the point.
    static bool AufLeitung(const QPoint& punkt);

signals:
    // The pointer moves over the bare background.
    void ueberHintergrund();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;
};

}  // namespace ventaro::ui
