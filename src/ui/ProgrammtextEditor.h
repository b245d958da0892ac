#pragma once
// The program text's edit field: monospaced, with the line numbers in a
// margin on the left and the lines that hold errors marked.

#include <QPlainTextEdit>
#include <set>

namespace ventaro::ui {

class ProgrammtextEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ProgrammtextEditor(QWidget* eltern = nullptr);

    // Lines counted from 1; an empty set removes the marks.
    void MarkiereZeilen(const std::set<int>& zeilen);
    const std::set<int>& MarkierteZeilen() const { return markiert_; }
    void GeheZuZeile(int zeile);
    int Randbreite() const;
    void RandZeichnen(QPaintEvent* ereignis);

protected:
    void resizeEvent(QResizeEvent* ereignis) override;

private:
    QWidget* rand_;
    std::set<int> markiert_;
};

}  // namespace ventaro::ui
