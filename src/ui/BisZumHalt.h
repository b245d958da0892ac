#pragma once
// "Bis zum Halt ausführen": runs microsteps at full speed in slices from a
// zero-interval timer, so the window stays responsive, and redraws the
// machine at most 25 times a second with the count and rate in status
// panel 0. "Stopp" and Escape end it at once.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

#include "machine/Dauerlauf.h"
#include "machine/Maschine.h"
#include "machine/Umgebung.h"

class QAction;
class QLabel;
class QMenu;
class QShortcut;
class QToolBar;
class QIcon;
class QWidget;

namespace ventaro::ui {

class Dienste;

class BisZumHalt : public QObject {
    Q_OBJECT
public:
    struct Anschluss {
        TMaschine& maschine;
        Dienste& dienste;
        QWidget* fenster;
        QLabel* statusfeld;
        std::function<void()> zeichne;
    };
    explicit BisZumHalt(Anschluss anschluss);

    // The item of the menu and the tool button.
    void Starten();
    void Stopp();
    bool Laeuft() const { return lauf_.has_value(); }
    // The count of the latest run leaves status panel 0 once a step is
    // taken back: it no longer tells how the machine got here.
    void FortschrittVergessen();
    // At most 25 redraws a second.
    static constexpr int ZeichenabstandMs = 40;

private:
    void Scheibe();
    void Beenden(Laufende grund);
    void ZeigeFortschritt();

    Anschluss a_;
    QTimer takt_;
    QShortcut* escape_ = nullptr;
    std::optional<TDauerlauf> lauf_;
    QElapsedTimer uhr_;
    qint64 gezeichnetMs_ = 0;
    std::uint64_t schritte_ = 0;  // of the latest run, shown after it ended
    QString statustext_;
    std::uint64_t scheibe_ = 1000;  // microsteps per slice, adapted to about 15 ms
    Umgebung stille_;  // no events between the microsteps of a slice
};

// The tool button's icon: a play triangle running into a bar.
QIcon BisZumHaltSymbol();

}  // namespace ventaro::ui
