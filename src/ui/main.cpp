#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include "core/Programmpfade.h"
#include "ui/AboutBox.h"
#include "ui/Dienste.h"
#include "ui/Form1.h"
#include "ui/McDlg.h"

int main(int argc, char** argv) {
    QApplication anwendung(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ventaro"));
    // Ties the windows to ventaro.desktop (icon and name in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("ventaro"));
    // Qt's own dialogs (the file dialogs) speak German like the rest.
    QTranslator qtTexte;
    if (qtTexte.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexte);
    const ventaro::TProgrammpfade pfade(QCoreApplication::applicationDirPath().toStdString());
    // "ventaro DATEI.obj" (the file manager's "Öffnen mit") opens that file.
    const QStringList argumente = QCoreApplication::arguments();
    const QString startdatei = argumente.size() > 1 ? QFileInfo(argumente.at(1)).absoluteFilePath() : QString();
    ventaro::ui::DesktopDienste dienste(startdatei.isEmpty() ? QString::fromStdString(pfade.Beispielordner())
                                                             : QFileInfo(startdatei).absolutePath());
    // The three windows in this order; the first is the main window.
    ventaro::ui::TForm1 form1(dienste);
    ventaro::ui::TmcDlg mcDlg(form1.Maschine().Tabelle, QString::fromStdString(pfade.Programmverzeichnis()), &form1);
    mcDlg.SetzeProgrammpfade(&pfade);
    ventaro::ui::TAboutBox aboutBox(&form1);
    form1.SetzeDialoge(&mcDlg, &aboutBox);
    form1.SetzeStartdatei(startdatei);
    // Centred on the screen at start.
    if (const QScreen* schirm = QGuiApplication::primaryScreen())
        form1.move(schirm->availableGeometry().center() - form1.rect().center());
    form1.show();
    form1.activateWindow();
    return anwendung.exec();
}
