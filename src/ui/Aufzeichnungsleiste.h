#pragma once
// The recording bar below the main window's datapath: while a microprogram
// is recorded by hand it shows the opcode, the step and the recorded words,
// with "Schritt aufnehmen", "Aufzeichnung beenden" and "Verwerfen". It is not
// modal: the datapath stays operable beside it. Status panel 0 names the
// recording after every event.

#include <QFrame>
#include <functional>

#include "machine/Aufzeichnung.h"

class QDockWidget;
class QLabel;
class QMainWindow;
class QPushButton;

namespace ventaro::ui {

class Dienste;
class TmcDlg;

class Aufzeichnungsleiste : public QFrame {
    Q_OBJECT
public:
    // ereignis runs a handler as the window does: a failure becomes a
    // message box, and the window is drawn afterwards.
    Aufzeichnungsleiste(QMainWindow* fenster, TMaschine& maschine, Dienste& dienste, QLabel* panel0,
                        std::function<bool(const std::function<void()>&)> ereignis);

    // The editor's "Aufzeichnen" starts a recording; its OK target is where
    // the ending saves.
    void SetzeEditor(TmcDlg* editor);

    TAufzeichnung& Aufzeichnung() { return aufzeichnung_; }
    // Asks first for opcode 0 (the fetch) and, for a flag-dependent opcode,
    // which flag value is recorded.
    void Starte(int befehl, bool flagabhaengig);
    void SchrittAufnehmenClick();
    void BeendenClick();
    void VerwerfenClick();

    // Shows or hides the bar and writes its texts; after every event.
    void Zeichne();

private:
    void Andocken(QMainWindow* fenster);
    bool Frage(const QString& text);
    void Zeigen(bool an);

    QMainWindow* fenster_;
    Dienste& dienste_;
    QLabel* panel0_;
    std::function<bool(const std::function<void()>&)> ereignis_;
    TAufzeichnung& aufzeichnung_;  // the machine's
    TmcDlg* editor_ = nullptr;
    QDockWidget* dock_;
    QLabel* titel_;
    QLabel* worte_;
    QString statustext_;  // what the bar last wrote into status panel 0
    int zuwachs_ = 0;     // how much the window grew when the bar appeared
};

}  // namespace ventaro::ui
