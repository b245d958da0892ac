#pragma once
// The RAM grid: a fixed header row and address column, and the editable
// column of cell texts. It reports the user's selections, the cell editor's
// hand-overs and the Enter key; the machine decides what they do.

#include <QTableWidget>

#include "machine/Ansicht.h"
#include "machine/Maschine.h"

namespace ventaro::ui {

class RamGitter : public QTableWidget {
    Q_OBJECT
public:
    explicit RamGitter(QWidget* eltern);

    // Shows the machine's cells and current row without reporting anything.
    void Zeige(const TMaschine& maschine, const TAnsicht& ansicht);
    void Spalte1Verbreitern() { setColumnWidth(1, 80); }
    bool EditorOffen() const { return state() == QAbstractItemView::EditingState; }
    void EditorSchliessen();
    void EditorOeffnen();
    QString ZellText(int zeile) const;  // rows count from 1

signals:
    void zeileGewaehlt(int zeile);
    void editorGeoeffnet(int zeile);
    // Escape closed the editor: the cell goes back to anfangstext, the text
    // it had when the editor opened.
    void bearbeitungVerworfen(int zeile, const QString& anfangstext);
    // endgueltig: the hand-over when the editor closes.
    void textUebergeben(int zeile, const QString& text, bool endgueltig);
    void enterGedrueckt();

protected:
    void keyPressEvent(QKeyEvent* ereignis) override;
    void keyboardSearch(const QString& suche) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hinweis) override;

private:
    void Kopfzeilen(bool gefuellt);
    bool zeigt_ = false;
};

}  // namespace ventaro::ui
