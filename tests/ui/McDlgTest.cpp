// The microcode editor, clicked as a user does, over a microcode file in a
// temporary directory.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "TestDienste.h"
#include "core/Programmpfade.h"
#include "ui/McDlg.h"

using namespace ventaro;
using namespace ventaro::ui;

namespace {

const std::string kNull(18, '0');

// Opcode 0 is flag-independent, opcode 1 differs in step 9, opcode 2 holds a
// short word and foreign characters.
void SchreibeMikrocode(const std::string& pfad) {
    std::ofstream datei(pfad, std::ios::binary);
    datei << "3\r\n";
    for (int flag = 0; flag < 2; ++flag) {
        for (int c = 0; c < 3; ++c) {
            datei << (c == 0 ? "HLT" : c == 1 ? "SPF" : "ODD") << "\r\n";
            for (int s = 0; s < 10; ++s) {
                std::string wort = kNull;
                if (c == 0 && s == 0) wort = "000010000000100000";
                if (c == 1 && s == 9 && flag == 1) wort = "100000000000000000";
                if (c == 2 && s == 0) wort = "1x1";
                datei << wort << "\r\n";
            }
        }
    }
}

}  // namespace

class McDlgTest : public QObject {
    Q_OBJECT

    QTemporaryDir verzeichnis_;
    std::string pfad_;
    std::unique_ptr<TMikrocodeTabelle> tabelle_;
    std::unique_ptr<test::TestDienste> dienste_;
    std::unique_ptr<TmcDlg> dlg_;

    template <typename T>
    T* Kind(const char* name) {
        T* kind = dlg_->findChild<T*>(QString::fromLatin1(name));
        if (!kind) qFatal("missing control %s", name);
        return kind;
    }
    QTableWidget* Gitter(int flag) { return Kind<QTableWidget>(flag == 0 ? "flag0grid" : "flag1grid"); }
    QString Zelle(int flag, int signal, int schritt) { return Gitter(flag)->item(signal, schritt + 1)->text(); }
    void Klick(int flag, int signal, int schritt) {
        QTableWidget* g = Gitter(flag);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(signal, schritt + 1)).center());
    }
    void Knopf(const char* name) { QTest::mouseClick(Kind<QPushButton>(name), Qt::LeftButton); }
    void Code(int c) { Kind<QSpinBox>("CodeEdit")->setValue(c); }
    bool Abhaengig() { return Kind<QCheckBox>("FlagCheckBox")->isChecked(); }

private slots:
    void init() {
        pfad_ = verzeichnis_.path().toStdString() + "/mikrocode.dat";
        SchreibeMikrocode(pfad_);
        tabelle_ = std::make_unique<TMikrocodeTabelle>();
        dienste_ = std::make_unique<test::TestDienste>();
        dlg_ = std::make_unique<TmcDlg>(*tabelle_, verzeichnis_.path() + "/");
        dlg_->SetzeDienste(dienste_.get(), {});
        dlg_->show();
        dlg_->FormActivate();
    }
    void cleanup() { dlg_.reset(); }

    void opensWithHeadersTitleAndTheFlagBox() {
        QCOMPARE(dlg_->windowTitle(), QStringLiteral("Mikrocode editieren [mikrocode.dat]"));
        QCOMPARE(Gitter(0)->item(0, 0)->text(), QStringLiteral("Element"));
        QCOMPARE(Gitter(1)->item(0, 10)->text(), QStringLiteral("9"));
        QCOMPARE(Gitter(0)->item(11, 0)->text(), QStringLiteral("MPCClear"));
        QCOMPARE(Zelle(0, 5, 0), QStringLiteral("X"));
        QCOMPARE(Zelle(0, 13, 0), QStringLiteral("X"));
        QVERIFY(Zelle(0, 1, 0).isEmpty());
        QVERIFY(!Abhaengig());
        Code(1);
        QVERIFY(Abhaengig());
        QCOMPARE(Kind<QLineEdit>("MnemonicEdit")->text(), QStringLiteral("SPF"));
        QCOMPARE(Zelle(1, 1, 9), QStringLiteral("X"));
        QVERIFY(Zelle(0, 1, 9).isEmpty());
    }

    void clicksFollowTheFlagBox() {
        Klick(0, 3, 4);
        QCOMPARE(Zelle(0, 3, 4), QStringLiteral("X"));
        QCOMPARE(Zelle(1, 3, 4), QStringLiteral("X"));  // mirrored while unticked
        Klick(1, 7, 2);
        QVERIFY(Zelle(1, 7, 2).isEmpty());  // the flag-1 grid does not react
        QTest::mouseClick(Kind<QCheckBox>("FlagCheckBox"), Qt::LeftButton);
        QVERIFY(Zelle(1, 5, 0).isEmpty());  // ticking empties flag 1
        Klick(1, 7, 2);
        QCOMPARE(Zelle(1, 7, 2), QStringLiteral("X"));
        QVERIFY(Zelle(0, 7, 2).isEmpty());
        QTest::mouseClick(Kind<QCheckBox>("FlagCheckBox"), Qt::LeftButton);
        QVERIFY(Zelle(1, 7, 2).isEmpty());  // unticking copies flag 0
        QCOMPARE(Zelle(1, 3, 4), QStringLiteral("X"));
    }

    void aQuickSecondClickTogglesTheMarkAgain() {
        QTableWidget* g = Gitter(0);
        const QPoint ort = g->viewport()->mapTo(dlg_.get(), g->visualItemRect(g->item(3, 5)).center());
        // Through the window, as the desktop delivers a double-click.
        QTest::mouseDClick(dlg_->windowHandle(), Qt::LeftButton, {}, ort);
        QVERIFY(Zelle(0, 3, 4).isEmpty());
        QTest::mouseClick(dlg_->windowHandle(), Qt::LeftButton, {}, ort);
        QCOMPARE(Zelle(0, 3, 4), QStringLiteral("X"));
    }

    void enterActsOnTheFocusedControl_data() {
        QTest::addColumn<QString>("element");
        QTest::addColumn<bool>("offen");
        QTest::addColumn<int>("ergebnis");
        QTest::newRow("Abbrechen") << "CancelBtn" << false << int(QDialog::Rejected);
        QTest::newRow("Mikroschritte loeschen") << "MCClearBtn" << true << -1;
        QTest::newRow("Aenderung uebernehmen") << "MCSpeichernBtn" << true << -1;
        QTest::newRow("Mnemonic") << "MnemonicEdit" << false << int(QDialog::Accepted);
        QTest::newRow("Gitter") << "flag0grid" << false << int(QDialog::Accepted);
    }
    void enterActsOnTheFocusedControl() {
        QFETCH(QString, element);
        QFETCH(bool, offen);
        QFETCH(int, ergebnis);
        auto datei = [this] {
            std::ifstream ein(pfad_, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(ein), {});
        };
        Klick(0, 1, 3);
        Knopf("MCSpeichernBtn");  // committed: OK would save it
        const std::string vorher = datei();
        Klick(0, 2, 3);  // not committed
        dlg_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
        auto* w = Kind<QWidget>(qPrintable(element));
        w->setFocus();
        dlg_->setResult(-1);
        QTest::keyClick(w, Qt::Key_Return);
        QCOMPARE(dlg_->isVisible(), offen);
        QCOMPARE(dlg_->result(), ergebnis);
        QCOMPARE(datei() != vorher, ergebnis == QDialog::Accepted);
        if (element == "MCClearBtn") QVERIFY(Zelle(0, 5, 0).isEmpty());
        const bool uebernommen = element == "MCSpeichernBtn";
        QCOMPARE(tabelle_->Steuerworte0[3], std::string(uebernommen ? "110000000000000000" : "100000000000000000"));
    }

    void changingTheCodeDiscardsUncommittedEdits() {
        Klick(0, 1, 1);
        Code(1);
        Code(0);
        QVERIFY(Zelle(0, 1, 1).isEmpty());
        QCOMPARE(tabelle_->Steuerworte0[1], kNull);
    }

    void commitStoresEighteenCharactersAndTheMnemonic() {
        Code(2);
        QCOMPARE(Zelle(0, 1, 0), QStringLiteral("X"));
        QVERIFY(Zelle(0, 2, 0).isEmpty());  // "x" is no mark
        QVERIFY(Zelle(0, 4, 0).isEmpty());  // beyond the short word
        Kind<QLineEdit>("MnemonicEdit")->setText(QString::fromUtf8("ÄND"));
        Knopf("MCSpeichernBtn");
        QCOMPARE(tabelle_->Steuerworte0[20], std::string("101000000000000000"));
        QCOMPARE(tabelle_->Mnemonics[2], std::string("\xC4ND"));
        // Nothing reached the file yet.
        dlg_->FormActivate();
        QCOMPARE(tabelle_->Steuerworte0[20], std::string("1x1"));
    }

    void clearEmptiesBothGridsOnly() {
        Code(1);
        Knopf("MCClearBtn");
        QVERIFY(Zelle(1, 1, 9).isEmpty());
        QVERIFY(Abhaengig());
        QCOMPARE(tabelle_->Steuerworte1[19], std::string("100000000000000000"));
        Knopf("MCSpeichernBtn");
        for (int s = 0; s < 10; ++s) {
            QCOMPARE(tabelle_->Steuerworte0[10 + s], kNull);
            QCOMPARE(tabelle_->Steuerworte1[10 + s], kNull);
        }
    }

    void okSavesCommittedChangesOnly() {
        Klick(0, 1, 3);
        Knopf("MCSpeichernBtn");
        Klick(0, 2, 3);  // not committed
        Kind<QLineEdit>("MnemonicEdit")->setText("NEU");  // not committed either
        Knopf("OKBtn");
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        TMikrocodeTabelle gelesen;
        gelesen.SetzePfad(pfad_);
        gelesen.AllesLaden();
        QCOMPARE(gelesen.Steuerworte0[3], std::string("100000000000000000"));
        QCOMPARE(gelesen.Steuerworte1[3], std::string("100000000000000000"));
        QCOMPARE(gelesen.Mnemonics[0], std::string("HLT"));
    }

    void okWithAnUnwritableFileReportsAndStillCloses() {
        tabelle_->SetzePfad(verzeichnis_.path().toStdString() + "/fehlt/mikrocode.dat");
        Knopf("OKBtn");
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        QCOMPARE(dienste_->programmfehler.size(), 1);
        QVERIFY(dienste_->programmfehler[0].contains("kann nicht erstellt werden"));
    }

    void reopeningKeepsTheCodeAndReloadsTheFile() {
        Code(1);
        Klick(0, 4, 4);
        Knopf("MCSpeichernBtn");
        Knopf("CancelBtn");
        dlg_->FormActivate();
        QCOMPARE(Kind<QSpinBox>("CodeEdit")->value(), 1);
        QVERIFY(Zelle(0, 4, 4).isEmpty());
        QCOMPARE(tabelle_->Steuerworte0[14], kNull);
    }

    // With the paths of an installation: the per-user copy is read first;
    // OK writes it (creating its folder) when the program directory cannot
    // be written, and the title names the file OK writes.
    void perUserCopyIsReadFirstAndWrittenWhereTheSharedFolderIsLocked_data() {
        QTest::addColumn<bool>("ordnerBeschreibbar");
        QTest::addColumn<bool>("eigeneKopie");
        QTest::addColumn<QString>("gelesen");  // mnemonic of opcode 0 shown
        QTest::addColumn<bool>("schreibtEigene");
        QTest::newRow("beschreibbar, keine Kopie") << true << false << "HLT" << false;
        QTest::newRow("gesperrt, keine Kopie") << false << false << "HLT" << true;
        QTest::newRow("beschreibbar, eigene Kopie") << true << true << "EIG" << true;
    }
    void perUserCopyIsReadFirstAndWrittenWhereTheSharedFolderIsLocked() {
        QFETCH(bool, ordnerBeschreibbar);
        QFETCH(bool, eigeneKopie);
        QFETCH(QString, gelesen);
        QFETCH(bool, schreibtEigene);
        const QString daten = verzeichnis_.path() + "/daten";
        const std::string eigene = daten.toStdString() + "/ventaro/mikrocode.dat";
        std::filesystem::remove_all(daten.toStdString());
        const QByteArray vorher = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", daten.toUtf8());
        if (eigeneKopie) {
            std::filesystem::create_directories(daten.toStdString() + "/ventaro");
            SchreibeMikrocode(eigene);
            TMikrocodeTabelle kopie;
            kopie.SetzePfad(eigene);
            kopie.AllesLaden();
            kopie.Mnemonics[0] = "EIG";
            kopie.AllesSpeichern();
        }
        const TProgrammpfade pfade(verzeichnis_.path().toStdString(), TProgrammpfade::Installiert,
                                   [&](const std::string&) { return ordnerBeschreibbar; });
        dlg_->SetzeProgrammpfade(&pfade);
        dlg_->FormActivate();
        QCOMPARE(Kind<QLineEdit>("MnemonicEdit")->text(), gelesen);
        const QString ziel = schreibtEigene ? QString::fromStdString(eigene) : QStringLiteral("mikrocode.dat");
        QCOMPARE(dlg_->windowTitle(), "Mikrocode editieren [" + ziel + "]");
        Kind<QLineEdit>("MnemonicEdit")->setText("NEU");
        Knopf("MCSpeichernBtn");
        Knopf("OKBtn");
        TMikrocodeTabelle geschrieben, geteilt;
        geschrieben.SetzePfad(schreibtEigene ? eigene : pfad_);
        geschrieben.AllesLaden();
        geteilt.SetzePfad(pfad_);
        geteilt.AllesLaden();
        QCOMPARE(geschrieben.Mnemonics[0], std::string("NEU"));
        QCOMPARE(geteilt.Mnemonics[0], std::string(schreibtEigene ? "HLT" : "NEU"));
        QVERIFY(dienste_->programmfehler.isEmpty());
        if (vorher.isNull()) qunsetenv("XDG_DATA_HOME");
        else qputenv("XDG_DATA_HOME", vorher);
    }

    void aMissingFileIsReportedAndTheGridsStay() {
        Klick(0, 6, 6);
        std::filesystem::remove(pfad_);
        dlg_->FormActivate();
        QCOMPARE(dienste_->programmfehler.size(), 1);
        QVERIFY(dienste_->programmfehler[0].contains("kann nicht ge\u00f6ffnet werden"));
        QCOMPARE(Zelle(0, 6, 6), QStringLiteral("X"));
    }
};

QTEST_MAIN(McDlgTest)
#include "McDlgTest.moc"
