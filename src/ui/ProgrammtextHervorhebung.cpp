#include "ui/ProgrammtextHervorhebung.h"

#include <QRegularExpression>

#include "programtext/Zeichenklassen.h"

namespace ventaro::ui {
namespace {

QTextCharFormat Format(const QColor& farbe, bool fett = false, bool kursiv = false) {
    QTextCharFormat format;
    format.setForeground(farbe);
    if (fett) format.setFontWeight(QFont::Bold);
    format.setFontItalic(kursiv);
    return format;
}

const QTextCharFormat kMnemonic = Format(QColor(0, 0, 170), true);
const QTextCharFormat kDirektive = Format(QColor(128, 0, 128), true);
const QTextCharFormat kMarke = Format(QColor(150, 75, 0), true);
const QTextCharFormat kZahl = Format(QColor(0, 120, 0));
const QTextCharFormat kText = Format(QColor(170, 0, 0));
const QTextCharFormat kKommentar = Format(QColor(120, 120, 120), false, true);

bool IstDirektive(const QString& wort) { return programmtext::IstDirektive(wort.toStdString()); }

}  // namespace

ProgrammtextHervorhebung::ProgrammtextHervorhebung(QTextDocument* dokument) : QSyntaxHighlighter(dokument) {}

void ProgrammtextHervorhebung::SetzeMnemonics(const QStringList& namen) {
    if (namen == mnemonics_) return;
    mnemonics_ = namen;
    rehighlight();
}

// Words are coloured by what they are; a quoted text and a comment run to
// their end, so ";" inside quotes starts no comment.
void ProgrammtextHervorhebung::highlightBlock(const QString& zeile) {
    // Labels may hold umlauts ("Zähler:"): letters by Unicode, not ASCII.
    static const QRegularExpression marke(QStringLiteral("^\\s*([^\\W\\d_]\\w*):"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    int pos = 0;
    if (const auto treffer = marke.match(zeile); treffer.hasMatch()) {
        setFormat(treffer.capturedStart(1), treffer.capturedLength(1) + 1, kMarke);
        pos = treffer.capturedEnd(0);
    }
    bool ersteWort = true;
    while (pos < zeile.size()) {
        const QChar c = zeile[pos];
        if (c == QLatin1Char(';')) {
            setFormat(pos, zeile.size() - pos, kKommentar);
            return;
        }
        if (c.isSpace()) {
            ++pos;
            continue;
        }
        int ende = pos;
        if (c == QLatin1Char('"')) {
            for (++ende; ende < zeile.size(); ++ende) {
                if (zeile[ende] != QLatin1Char('"')) continue;
                if (ende + 1 < zeile.size() && zeile[ende + 1] == QLatin1Char('"')) ++ende;
                else break;
            }
            setFormat(pos, std::min<int>(ende + 1, zeile.size()) - pos, kText);
            pos = ende + 1;
            continue;
        }
        while (ende < zeile.size() && !zeile[ende].isSpace() && zeile[ende] != QLatin1Char(';')) ++ende;
        const QString wort = zeile.mid(pos, ende - pos);
        const QString gross = wort.toUpper();
        if (ersteWort && IstDirektive(gross)) setFormat(pos, ende - pos, kDirektive);
        else if (ersteWort && mnemonics_.contains(gross)) setFormat(pos, ende - pos, kMnemonic);
        else if (wort.front().isDigit()) setFormat(pos, ende - pos, kZahl);
        else if (!ersteWort) setFormat(pos, ende - pos, kMarke);
        ersteWort = false;
        pos = ende;
    }
}

}  // namespace ventaro::ui
