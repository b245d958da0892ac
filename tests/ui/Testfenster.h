#pragma once
// The three windows as the program builds them, over a temporary directory
// with or without mikrocode.dat, and the lookups the tests use.
#include <QAction>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <fstream>
#include <memory>

#include "TestDienste.h"
#include "ui/AboutBox.h"
#include "ui/Form1.h"
#include "ui/McDlg.h"
#include "ui/RamGitter.h"

namespace ventaro::ui::test {

// Fetch: PT and RamRead, then MPCLoad. Opcode 1 loads its operand cell into
// Akku; opcode 2 has a bad ALU character and fails every time.
inline void SchreibeMikrocode(const QString& pfad) {
    std::vector<std::string> zeilen = {"3"};
    auto befehl = [&](const char* mnemonic, std::vector<std::string> worte) {
        zeilen.push_back(mnemonic);
        worte.resize(10, "000000000000000000");
        zeilen.insert(zeilen.end(), worte.begin(), worte.end());
    };
    for (int abschnitt = 0; abschnitt < 2; ++abschnitt) {
        befehl("HLT", {"000010000000100000", "000010000001100000"});
        befehl("LDA", {"000000000000100000", "000000000010000000"});
        befehl("BAD", {"00000000000000x000"});
    }
    std::ofstream datei(pfad.toStdString(), std::ios::binary);
    for (const auto& z : zeilen) datei << z << "\r\n";
}

class Testfenster : public QObject {
protected:
    QTemporaryDir verzeichnis_;
    std::unique_ptr<TestDienste> dienste_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<TmcDlg> mcDlg_;
    std::unique_ptr<TAboutBox> aboutBox_;

    TMaschine& M() { return form_->Maschine(); }
    template <typename T>
    T* Kind(const char* name, QWidget* fenster = nullptr) {
        T* kind = (fenster ? fenster : form_.get())->findChild<T*>(QString::fromLatin1(name));
        if (!kind) qFatal("missing control %s", name);
        return kind;
    }
    QAction* Menue(const char* name) { return Kind<QAction>(name); }
    QAction* Werkzeug(const QString& tipp) {
        for (QAction* a : Kind<QToolBar>("ToolBar2")->actions())
            if (a->toolTip() == tipp) return a;
        qFatal("missing tool button");
    }
    RamGitter* Gitter() { return Kind<RamGitter>("RAMGrid"); }

    // Builds the windows and runs the start-up, which opens startdatei.
    void Starte(bool mitMikrocode, const QString& startdatei = {}) {
        dienste_ = std::make_unique<TestDienste>();
        form_ = std::make_unique<TForm1>(*dienste_);
        const QString dir = verzeichnis_.path() + (mitMikrocode ? "/mit/" : "/ohne/");
        QDir().mkpath(dir);
        dienste_->programmverzeichnis = dir;
        if (mitMikrocode) SchreibeMikrocode(dir + "mikrocode.dat");
        mcDlg_ = std::make_unique<TmcDlg>(M().Tabelle(), dir, form_.get());
        aboutBox_ = std::make_unique<TAboutBox>(form_.get());
        form_->SetzeDialoge(mcDlg_.get(), aboutBox_.get());
        form_->SetzeStartdatei(startdatei);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->FormActivate();
    }

    void Beende() {
        M().TaktAnhalten();
        M().FuerTests().datei.RamEditiert = false;
        aboutBox_.reset();
        mcDlg_.reset();
        form_.reset();
    }
};

}  // namespace ventaro::ui::test
