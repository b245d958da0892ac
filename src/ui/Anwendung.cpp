#include "ui/Anwendung.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QTranslator>

#include "ui/Farben.h"

namespace ventaro::ui {

void AnwendungEinrichten() {
    QPalette palette = QApplication::palette();
    for (QPalette::ColorRole rolle : {QPalette::Button, QPalette::Window})
        palette.setColor(rolle, farbe::Knopfflaeche);
    QApplication::setPalette(palette);

    static QTranslator qtTexte;
    if (qtTexte.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexte);
}

}  // namespace ventaro::ui
