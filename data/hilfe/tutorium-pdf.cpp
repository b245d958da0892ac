// tutorium-pdf: prints the tutorial, a rich-text HTML file, as an A4 PDF
// with a footer and page numbers. The build runs it to make Hilfe/Solvej.pdf.
//
//   tutorium-pdf QUELLE.html AUSGABE.pdf
//
// Pictures are looked up relative to the source file. "@@seite:NAME@@" in the
// source becomes the number of the page that holds the anchor <a name="NAME">,
// for the table of contents. A picture that cannot be loaded, a page number
// without its anchor, or a source without text fails the run: a tutorial with
// holes must not be built silently.
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QMap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <cstdio>

namespace {

constexpr int Aufloesung = 300;  // dots per inch of the PDF's coordinate system

void Fehler(const QString& text) { std::fprintf(stderr, "tutorium-pdf: %s\n", qPrintable(text)); }

// Every picture the document names, in order of appearance.
QStringList Bildnamen(const QTextDocument& dokument) {
    QStringList namen;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next())
        for (auto teil = block.begin(); !teil.atEnd(); ++teil) {
            const QTextCharFormat format = teil.fragment().charFormat();
            if (format.isImageFormat()) namen << format.toImageFormat().name();
        }
    return namen;
}

bool BildLaedt(QTextDocument& dokument, const QString& name) {
    const QVariant daten = dokument.resource(QTextDocument::ImageResource, QUrl(name));
    if (daten.canConvert<QImage>() && !daten.value<QImage>().isNull()) return true;
    return !QImage::fromData(daten.toByteArray()).isNull();
}

// The page (counted from 1) of every named anchor, on pages of the given height.
QMap<QString, int> AnkerSeiten(const QTextDocument& dokument, qreal seitenhoehe) {
    QMap<QString, int> seiten;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next())
        for (auto teil = block.begin(); !teil.atEnd(); ++teil)
            for (const QString& name : teil.fragment().charFormat().anchorNames()) {
                const qreal y = dokument.documentLayout()->blockBoundingRect(block).top();
                seiten.insert(name, static_cast<int>(y / seitenhoehe) + 1);
            }
    return seiten;
}

void Fusszeile(QPainter& maler, const QRectF& bereich, int seite, int seiten) {
    maler.save();
    QFont schrift(QStringLiteral("Liberation Sans"));
    schrift.setPointSizeF(8.5);
    maler.setFont(schrift);
    maler.setPen(QPen(QColor(110, 110, 110), Aufloesung / 300.0 * 2));
    maler.drawLine(bereich.topLeft(), bereich.topRight());
    const QRectF text = bereich.adjusted(0, Aufloesung * 0.05, 0, 0);
    maler.drawText(text, Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8("Ventaro – Tutorium"));
    maler.drawText(text, Qt::AlignRight | Qt::AlignTop,
                   QStringLiteral("Seite %1 von %2").arg(seite).arg(seiten));
    maler.restore();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication anwendung(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: tutorium-pdf QUELLE.html AUSGABE.pdf\n");
        return 2;
    }
    const QString quellpfad = QString::fromLocal8Bit(argv[1]);
    const QString ausgabe = QString::fromLocal8Bit(argv[2]);

    QFile quelle(quellpfad);
    if (!quelle.open(QIODevice::ReadOnly)) {
        Fehler(QStringLiteral("%1 lässt sich nicht lesen: %2").arg(quellpfad, quelle.errorString()));
        return 1;
    }
    const QString html = QString::fromUtf8(quelle.readAll());

    QPdfWriter pdf(ausgabe);
    pdf.setResolution(Aufloesung);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 16, 20, 12), QPageLayout::Millimeter);
    pdf.setTitle(QString::fromUtf8("Ventaro – Tutorium"));
    pdf.setCreator(QStringLiteral("Ventaro tutorium-pdf"));

    QTextDocument dokument;
    dokument.documentLayout()->setPaintDevice(&pdf);
    QFont grundschrift(QStringLiteral("Liberation Sans"));
    grundschrift.setPointSizeF(10.5);
    dokument.setDefaultFont(grundschrift);
    dokument.setDocumentMargin(0);
    dokument.setBaseUrl(QUrl::fromLocalFile(QFileInfo(quellpfad).absolutePath() + QLatin1Char('/')));
    dokument.setHtml(html);

    if (dokument.toPlainText().trimmed().isEmpty()) {
        Fehler(QStringLiteral("%1 enthält keinen Text").arg(quellpfad));
        return 1;
    }
    QStringList fehlend;
    for (const QString& name : Bildnamen(dokument))
        if (!BildLaedt(dokument, name) && !fehlend.contains(name)) fehlend << name;
    if (!fehlend.isEmpty()) {
        for (const QString& name : fehlend) Fehler(QStringLiteral("Bild %1 fehlt oder ist kein Bild").arg(name));
        return 1;
    }

    // The text fills the page but for a strip at the bottom for the footer.
    const qreal breite = pdf.width();
    const qreal fuss = Aufloesung * 0.35;
    const qreal hoehe = pdf.height() - fuss;
    dokument.setPageSize(QSizeF(breite, hoehe));

    // Page numbers for the table of contents; they take no more room than the
    // placeholders, so the pages stay as they were laid out.
    static const QRegularExpression platzhalter(QStringLiteral("@@seite:([^@]+)@@"));
    if (html.contains(platzhalter)) {
        const QMap<QString, int> anker = AnkerSeiten(dokument, hoehe);
        QString mitSeiten = html;
        for (const QRegularExpressionMatch& treffer : platzhalter.globalMatch(html)) {
            const QString name = treffer.captured(1);
            if (!anker.contains(name)) {
                Fehler(QStringLiteral("kein Anker %1 für das Inhaltsverzeichnis").arg(name));
                return 1;
            }
            mitSeiten.replace(treffer.captured(0), QString::number(anker.value(name)));
        }
        dokument.setHtml(mitSeiten);
    }
    const int seiten = dokument.pageCount();

    QPainter maler;
    if (!maler.begin(&pdf)) {
        Fehler(QStringLiteral("%1 lässt sich nicht schreiben").arg(ausgabe));
        return 1;
    }
    QAbstractTextDocumentLayout::PaintContext kontext;
    kontext.palette.setColor(QPalette::Text, Qt::black);
    for (int seite = 0; seite < seiten; ++seite) {
        if (seite > 0) pdf.newPage();
        maler.save();
        maler.translate(0, -seite * hoehe);
        // A picture that begins the next page must not bleed a line into this one.
        kontext.clip = QRectF(0, seite * hoehe, breite, hoehe - 3);
        maler.setClipRect(kontext.clip);
        dokument.documentLayout()->draw(&maler, kontext);
        maler.restore();
        // The title page goes without a footer.
        if (seite > 0) Fusszeile(maler, QRectF(0, hoehe + fuss * 0.3, breite, fuss * 0.7), seite + 1, seiten);
    }
    if (!maler.end()) {
        Fehler(QStringLiteral("%1 lässt sich nicht schreiben").arg(ausgabe));
        return 1;
    }
    std::printf("%s: %d Seiten\n", qPrintable(ausgabe), seiten);
    return 0;
}
