#pragma once
// Colours of the program text: mnemonics of the loaded microcode, directives,
// labels, numbers, cell texts and comments.

#include <QStringList>
#include <QSyntaxHighlighter>

namespace ventaro::ui {

class ProgrammtextHervorhebung : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit ProgrammtextHervorhebung(QTextDocument* dokument);
    // The names (upper case) that count as mnemonics; rehighlights on change.
    void SetzeMnemonics(const QStringList& namen);

protected:
    void highlightBlock(const QString& zeile) override;

private:
    QStringList mnemonics_;  // some thirty: a list is quick enough
};

}  // namespace ventaro::ui
