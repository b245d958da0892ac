// Prints the MIME type Qt's database (the one Qt's file dialogs use) gives
// each file named, one per line.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication anwendung(argc, argv);
    const QMimeDatabase datenbank;
    for (int i = 1; i < argc; ++i)
        std::printf("%s\n", qPrintable(datenbank.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
    return 0;
}
