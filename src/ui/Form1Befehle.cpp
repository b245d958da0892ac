// The window's commands: one table of actions, from which the menus and the
// tool bar are built. A menu item and its tool button are the same action,
// with one handler, one key and one enabled state.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "ui/BisZumHalt.h"
#include "ui/Datenpfadflaeche.h"
#include "ui/Form1.h"
#include "ui/Symbole.h"
#include "ui/Texte.h"

namespace ventaro::ui {
namespace {

struct Befehlseintrag {
    const char* name;  // the action's object name
    const char* text;  // in the menu
    void (TForm1::*handler)();
    QKeySequence taste;
    QIcon (*symbol)() = nullptr;  // on the tool bar, if it has a button there
    const char* tipp = nullptr;   // the tool button's tooltip
    bool symbolImMenue = false;
};

// The usual shortcuts: none is a key the grid's cell editor or the datapath
// uses (Alt with the arrow keys neither).
const Befehlseintrag kBefehle[] = {
    {"ffnen1", "Öffnen", &TForm1::ffnen1Click, QKeySequence(Qt::CTRL | Qt::Key_O), symbol::Ordner, "RAM-Datei öffnen"},
    {"Speichern1", "Speichern", &TForm1::Speichern1Click, QKeySequence(Qt::CTRL | Qt::Key_S), symbol::Diskette,
     "RAM-Datei speichern"},
    {"Speichernunter1", "Speichern unter...", &TForm1::Speichernunter1Click,
     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), symbol::DisketteMitBlatt, "RAM-Datei speichern unter..."},
    {"Programmtextoeffnen1", "Programmtext öffnen...", &TForm1::Programmtextoeffnen1Click, {}},
    {"AlsProgrammtextspeichern1", "Als Programmtext speichern...", &TForm1::AlsProgrammtextspeichern1Click, {}},
    // On the tool bar "Programm beenden" ends the program; in the menu
    // "Bearbeiten" the same words only stop the clock.
    {"Beenden1", "Beenden", &TForm1::Beenden1Click, {}, symbol::Ausgang, "Programm beenden"},
    {"Programmstarten1", "Programm starten", &TForm1::Programmstarten1Click, {}},
    {"Programmbeenden1", "Programm beenden", &TForm1::Programmbeenden1Click, {}},
    {"BiszumHalt1", "Bis zum Halt ausführen", &TForm1::BiszumHalt1Click, {}, BisZumHaltSymbol,
     "Bis zum Halt ausführen"},
    {"Reset1", "Reset", &TForm1::ResetBtnClick, {}, symbol::HandAufTaste, "Mikroprozessoer zurücksetzen"},
    {"MikroschrittZurueck1", "Mikroschritt zurück", &TForm1::MikroschrittZurueck1Click,
     QKeySequence(Qt::ALT | Qt::Key_Left), symbol::MikroschrittZurueck, "Mikroschritt zurück", true},
    {"BefehlZurueck1", "Befehl zurück", &TForm1::BefehlZurueck1Click, QKeySequence(Qt::ALT | Qt::Key_Up),
     symbol::BefehlZurueck, "Befehl zurück", true},
    {"Mikrocodebearbeiten1", "Mikrocode bearbeiten", &TForm1::Mikrocodebearbeiten1Click, {}, symbol::Tabelle,
     "Mikrocode bearbeiten"},
    {"Programmtext1", "Programmtext", &TForm1::Programmtext1Click, {}},
    {"Statistik1", "Statistik", &TForm1::Statistik1Click, {}},
    {"HilfezumModellrechner1", "Hilfe zum Modellrechner", &TForm1::HilfezumModellrechner1Click,
     QKeySequence(Qt::Key_F1), symbol::Fragezeichen, "Hilfe"},
    {"Tutorium1", "Tutorium", &TForm1::Tutorium1Click, {}, symbol::Buch, "Tutorium"},
    {"Info1", "Info...", &TForm1::Info1Click, {}},
};

// Menus and tool bar by the actions' names; "-" is a separator.
struct Menueplan {
    const char* name;
    const char* titel;  // with the access key
    std::vector<const char*> eintraege;
};
const Menueplan kMenues[] = {
    {"Datei1", "&Datei",
     {"ffnen1", "Speichern1", "Speichernunter1", "-", "Programmtextoeffnen1", "AlsProgrammtextspeichern1", "-",
      "Beenden1"}},
    {"Bearbeiten1", "&Bearbeiten",
     {"Programmstarten1", "Programmbeenden1", "BiszumHalt1", "Reset1", "MikroschrittZurueck1", "BefehlZurueck1", "-",
      "Mikrocodebearbeiten1", "Programmtext1", "Statistik1", "-"}},
    {"Hilfe1", "&Hilfe", {"HilfezumModellrechner1", "Tutorium1", "-", "Info1"}},
};
const char* const kWerkzeugleiste[] = {"ffnen1",       "Speichern1", "Speichernunter1",      "Beenden1",
                                       "-",            "Reset1",     "MikroschrittZurueck1", "BefehlZurueck1",
                                       "Mikrocodebearbeiten1",       "-",                    "BiszumHalt1",
                                       "-",            "HilfezumModellrechner1",             "Tutorium1"};

}  // namespace

void TForm1::BiszumHalt1Click() { bisZumHalt_->Starten(); }

QAction* TForm1::Befehl(const char* name) const { return befehle_.at(name); }

void TForm1::BaueBefehle() {
    for (const Befehlseintrag& e : kBefehle) {
        QAction* aktion = new QAction(U(e.text), this);
        aktion->setObjectName(QString::fromLatin1(e.name));
        aktion->setShortcut(e.taste);
        if (e.symbol) {
            aktion->setIcon(e.symbol());
            aktion->setIconVisibleInMenu(e.symbolImMenue);
            aktion->setToolTip(U(e.tipp));
        }
        connect(aktion, &QAction::triggered, this, e.handler);
        befehle_[e.name] = aktion;
    }
}

void TForm1::BaueMenues() {
    std::vector<QMenu*> menues;
    for (const Menueplan& plan : kMenues) {
        QMenu* menue = menuBar()->addMenu(U(plan.titel));
        menue->setObjectName(QString::fromLatin1(plan.name));
        menue->setAccessibleName(QString(menue->title()).remove(QLatin1Char('&')));
        for (const char* name : plan.eintraege) {
            if (std::string_view(name) == "-") menue->addSeparator();
            else menue->addAction(Befehl(name));
        }
        // A menu closing over a tool button must not light it up.
        connect(menue, &QMenu::aboutToHide, this, &TForm1::WerkzeugknoepfeLoslassen);
        menues.push_back(menue);
    }
    BaueGroessenmenue(menues[1]->addMenu(U("Fenstergröße")));
}

void TForm1::BaueWerkzeugleiste() {
    toolBar_ = new QToolBar(flaeche_);
    toolBar_->setObjectName(QStringLiteral("ToolBar2"));
    toolBar_->setAccessibleName(QStringLiteral("Werkzeugleiste"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setGeometry(0, 0, Breite, 30);
    for (const char* name : kWerkzeugleiste) {
        if (std::string_view(name) == "-") toolBar_->addSeparator();
        else toolBar_->addAction(Befehl(name));
    }
    for (QToolButton* werkzeug : toolBar_->findChildren<QToolButton*>()) werkzeug->installEventFilter(this);
}

}  // namespace ventaro::ui
