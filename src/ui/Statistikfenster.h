#pragma once
// The window "Statistik": per opcode the instructions and microsteps that
// ran, their mean, the totals, and a bar chart of the microsteps per
// opcode. Non-modal; it follows the machine at most 25 times a second.

#include <QTimer>
#include <QWidget>

#include "machine/Ansicht.h"
#include "machine/Maschine.h"

class QLabel;
class QTableWidget;

namespace ventaro::ui {

class Balkendiagramm;

class Statistikfenster : public QWidget {
    Q_OBJECT
public:
    Statistikfenster(const TMaschine& maschine, QWidget* eltern);

    // Draws the machine's statistics now, if they changed.
    void Aktualisieren();

protected:
    void showEvent(QShowEvent* ereignis) override;
    void hideEvent(QHideEvent* ereignis) override;

private:
    const TMaschine& maschine_;
    QTableWidget* tabelle_;
    QLabel* summen_;
    Balkendiagramm* diagramm_;
    QTimer takt_;
    std::optional<TStatistik::Lauf> gezeigt_;
};

}  // namespace ventaro::ui
