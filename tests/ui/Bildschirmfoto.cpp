// Starts the real program in an X server, waits past its start-up, saves a
// picture of the screen, and checks that the window drew its datapath:
// silver client area, white wires, red lamps and display digits.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace {

// The lamp of an open gate, as the window draws it.
const QColor kLampeGruen(0, 190, 0);

int Zaehle(const QImage& bild, const QColor& farbe) {
    int anzahl = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (bild.pixelColor(x, y) == farbe) ++anzahl;
    return anzahl;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication anwendung(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: bildschirmfoto PROGRAMM AUSGABE.png\n");
        return 2;
    }
    QProcess programm;
    programm.start(QString::fromLocal8Bit(argv[1]), {});
    if (!programm.waitForStarted(5000)) return 1;
    // Start-up pauses two seconds before its first microstep, which opens PT
    // and lights its green lamp: the screen is taken once that lamp shows.
    QImage bild;
    for (int versuch = 0; versuch < 120; ++versuch) {
        QThread::msleep(250);
        bild = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
        if (Zaehle(bild, kLampeGruen) > 0) break;
    }
    programm.kill();
    programm.waitForFinished(5000);
    if (!bild.save(QString::fromLocal8Bit(argv[2]))) return 1;

    const int silber = Zaehle(bild, QColor(192, 192, 192));
    const int rot = Zaehle(bild, QColor(255, 0, 0));
    const int weiss = Zaehle(bild, Qt::white);
    std::printf("silber %d, rot %d, weiss %d\n", silber, rot, weiss);
    // The client area is 795 x 541; about half of it is bare background, the
    // red control line alone covers 1179 pixels.
    const bool gezeichnet = silber > 150000 && rot > 1179 && weiss > 10000;
    std::printf("%s\n", gezeichnet ? "1 passed, 0 failed" : "0 passed, 1 failed");
    return gezeichnet ? 0 : 1;
}
