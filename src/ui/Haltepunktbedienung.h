#pragma once
// Breakpoints on the RAM grid: a click on a row's address cell, or the
// row's context menu ("Haltepunkt setzen" / "Haltepunkt entfernen"),
// switches the breakpoint of that address.

#include <QObject>
#include <functional>

#include "machine/Maschine.h"

namespace ventaro::ui {

class RamGitter;

class Haltepunktbedienung : public QObject {
    Q_OBJECT
public:
    Haltepunktbedienung(RamGitter* gitter, TMaschine& maschine, std::function<void()> zeichne);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void Umschalten(int adresse);
    void Kontextmenue(int adresse, const QPoint& ort);

    RamGitter* gitter_;
    TMaschine& maschine_;
    std::function<void()> zeichne_;
};

}  // namespace ventaro::ui
