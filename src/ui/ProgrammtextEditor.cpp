#include "ui/ProgrammtextEditor.h"

#include <QPainter>
#include <QTextBlock>

#include "ui/Schriften.h"

namespace ventaro::ui {
namespace {

const QColor kFehlerzeile(255, 215, 215);
const QColor kRandFarbe(232, 232, 232);
const QColor kNummer(110, 110, 110);
const QColor kFehlernummer(200, 0, 0);

class Zeilennummern : public QWidget {
public:
    explicit Zeilennummern(ProgrammtextEditor* editor) : QWidget(editor), editor_(editor) {}
    QSize sizeHint() const override { return {editor_->Randbreite(), 0}; }

protected:
    void paintEvent(QPaintEvent* ereignis) override { editor_->RandZeichnen(ereignis); }

private:
    ProgrammtextEditor* editor_;
};

}  // namespace

ProgrammtextEditor::ProgrammtextEditor(QWidget* eltern) : QPlainTextEdit(eltern), rand_(new Zeilennummern(this)) {
    setFont(CourierNew(14, false));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(Randbreite(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& bereich, int dy) {
        if (dy != 0) rand_->scroll(0, dy);
        else rand_->update(0, bereich.y(), rand_->width(), bereich.height());
    });
    setViewportMargins(Randbreite(), 0, 0, 0);
}

int ProgrammtextEditor::Randbreite() const {
    const int ziffern = QString::number(std::max(1, blockCount())).size();
    return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(3, ziffern);
}

void ProgrammtextEditor::resizeEvent(QResizeEvent* ereignis) {
    QPlainTextEdit::resizeEvent(ereignis);
    const QRect innen = contentsRect();
    rand_->setGeometry(innen.left(), innen.top(), Randbreite(), innen.height());
}

void ProgrammtextEditor::RandZeichnen(QPaintEvent* ereignis) {
    QPainter maler(rand_);
    maler.fillRect(ereignis->rect(), kRandFarbe);
    QTextBlock block = firstVisibleBlock();
    int oben = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && oben <= ereignis->rect().bottom()) {
        const int hoehe = qRound(blockBoundingRect(block).height());
        const int zeile = block.blockNumber() + 1;
        if (block.isVisible()) {
            maler.setPen(markiert_.count(zeile) ? kFehlernummer : kNummer);
            maler.drawText(0, oben, rand_->width() - 5, hoehe, Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(zeile));
        }
        oben += hoehe;
        block = block.next();
    }
}

void ProgrammtextEditor::MarkiereZeilen(const std::set<int>& zeilen) {
    markiert_ = zeilen;
    QList<QTextEdit::ExtraSelection> auswahl;
    for (int zeile : zeilen) {
        const QTextBlock block = document()->findBlockByNumber(zeile - 1);
        if (!block.isValid()) continue;
        QTextEdit::ExtraSelection markierung;
        markierung.format.setBackground(kFehlerzeile);
        markierung.format.setProperty(QTextFormat::FullWidthSelection, true);
        markierung.cursor = QTextCursor(block);
        auswahl << markierung;
    }
    setExtraSelections(auswahl);
    rand_->update();
}

void ProgrammtextEditor::GeheZuZeile(int zeile) {
    const QTextBlock block = document()->findBlockByNumber(zeile - 1);
    if (!block.isValid()) return;
    setTextCursor(QTextCursor(block));
    centerCursor();
    setFocus();
}

}  // namespace ventaro::ui
