#include "ui/RamGitter.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "ui/Farben.h"
#include "ui/Schriften.h"
#include "ui/Texte.h"

namespace ventaro::ui {
namespace {

constexpr int kZeilenabstand = 24 + 1;

bool IstEnter(const QEvent* ereignis) {
    if (ereignis->type() != QEvent::KeyPress) return false;
    const int taste = static_cast<const QKeyEvent*>(ereignis)->key();
    return taste == Qt::Key_Return || taste == Qt::Key_Enter;
}

// Hands the editor's text over on every change and once more on closing.
class ZellenDelegat : public QStyledItemDelegate {
public:
    ZellenDelegat(RamGitter* gitter) : QStyledItemDelegate(gitter), gitter_(gitter) {}

    QWidget* createEditor(QWidget* eltern, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* editor = new QLineEdit(eltern);
        editor->setFrame(false);
        const int zeile = index.row() + 1;
        emit gitter_->editorGeoeffnet(zeile);
        QObject::connect(editor, &QLineEdit::textEdited, gitter_,
                         [this, zeile](const QString& text) { emit gitter_->textUebergeben(zeile, text, false); });
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* modell, const QModelIndex& index) const override {
        QStyledItemDelegate::setModelData(editor, modell, index);
        emit gitter_->textUebergeben(index.row() + 1, static_cast<QLineEdit*>(editor)->text(), true);
    }

    // Enter inside the cell editor belongs to the grid, not to the editor.
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (IstEnter(ereignis)) {
            emit gitter_->enterGedrueckt();
            return true;
        }
        return QStyledItemDelegate::eventFilter(objekt, ereignis);
    }

private:
    RamGitter* gitter_;
};

}  // namespace

RamGitter::RamGitter(QWidget* eltern) : QTableWidget(TRamSpeicher::Zellenzahl, 2, eltern) {
    setItemDelegateForColumn(1, new ZellenDelegat(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Rows of 24 pixels and the line below each: they repeat every 25.
    verticalHeader()->setMinimumSectionSize(kZeilenabstand);
    verticalHeader()->setDefaultSectionSize(kZeilenabstand);
    horizontalHeader()->setFixedHeight(kZeilenabstand);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setColumnWidth(0, 40);
    setColumnWidth(1, 64);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    // Tab leaves the grid for the next control, which runs the check of all
    // cells; Enter moves from row to row.
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(Arial(13));
    for (int r = 0; r < rowCount(); ++r) {
        auto* adresse = new QTableWidgetItem();
        adresse->setFlags(Qt::NoItemFlags);  // the fixed column: neither selected nor edited
        adresse->setBackground(farbe::Knopfflaeche);
        adresse->setForeground(Qt::black);
        setItem(r, 0, adresse);
        setItem(r, 1, new QTableWidgetItem());
    }
    Kopfzeilen(false);
    setCurrentCell(0, 1);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int zeile, int spalte, int, int) {
        if (zeigt_ || zeile < 0) return;
        if (spalte != 1) setCurrentCell(zeile, 1);
        emit zeileGewaehlt(zeile + 1);
    });
}

void RamGitter::Kopfzeilen(bool gefuellt) {
    setHorizontalHeaderLabels(gefuellt ? QStringList{QStringLiteral("Adr."), QStringLiteral("Inhalt")}
                                       : QStringList{QString(), QString()});
}

void RamGitter::Zeige(const TMaschine& maschine, const TAnsicht& ansicht) {
    zeigt_ = true;
    if (maschine.RasterGefuellt() && item(0, 0)->text().isEmpty()) {
        // Start-up writes the headers and addresses.
        Kopfzeilen(true);
        for (int r = 0; r < rowCount(); ++r) item(r, 0)->setText(Q(ZahlDreistellig(static_cast<unsigned>(r))));
    }
    // The cell being edited keeps the user's text, cursor and selection; its
    // item still holds the text the editor started with.
    const int bearbeitet = EditorOffen() ? currentRow() : -1;
    for (int r = 0; r < rowCount(); ++r) {
        if (r == bearbeitet) continue;
        const QString text = Q(ansicht.Zustand.Ram.Text(r));
        if (item(r, 1)->text() != text) item(r, 1)->setText(text);
        // A breakpoint shows its address on red.
        const QBrush adressfarbe =
            ansicht.Haltepunkte.test(static_cast<std::size_t>(r)) ? QBrush(farbe::Rot) : QBrush(farbe::Knopfflaeche);
        if (item(r, 0)->background() != adressfarbe) item(r, 0)->setBackground(adressfarbe);
    }
    const int zeile = ansicht.Zustand.Ram.AktuelleZeile() - 1;
    if (currentRow() != zeile) {
        if (EditorOffen()) EditorSchliessen();
        setCurrentCell(zeile, 1, QItemSelectionModel::ClearAndSelect);
    }
    zeigt_ = false;
}

QString RamGitter::ZellText(int zeile) const { return item(zeile - 1, 1)->text(); }

void RamGitter::EditorSchliessen() {
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void RamGitter::EditorOeffnen() { edit(currentIndex()); }

void RamGitter::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hinweis) {
    const QModelIndex index = currentIndex();
    const bool weiter = hinweis == QAbstractItemDelegate::EditNextItem;
    const bool zurueck = hinweis == QAbstractItemDelegate::EditPreviousItem;
    QTableWidget::closeEditor(editor, weiter || zurueck ? QAbstractItemDelegate::NoHint : hinweis);
    if (hinweis == QAbstractItemDelegate::RevertModelCache && index.isValid())
        emit bearbeitungVerworfen(index.row() + 1, item(index.row(), 1)->text());
    if (weiter || zurueck) focusNextPrevChild(weiter);  // Tab in the editor leaves the grid too
}

void RamGitter::keyPressEvent(QKeyEvent* ereignis) {
    if (IstEnter(ereignis)) {
        emit enterGedrueckt();
        return;
    }
    const bool zeichen = !ereignis->text().isEmpty() && ereignis->text().at(0).isPrint() &&
                         !(ereignis->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (zeichen && !EditorOffen()) {
        // A click on the selected cell opens its editor only after the
        // double-click time; a key typed meanwhile would be refused and go
        // to the keyboard search, which moves to the next row starting with
        // that character. The trigger CurrentChanged cancels that delay.
        edit(currentIndex(), QAbstractItemView::CurrentChanged, nullptr);
        if (edit(currentIndex(), QAbstractItemView::AnyKeyPressed, ereignis)) return;
    }
    QTableWidget::keyPressEvent(ereignis);
}

// Typing edits the selected cell; it never searches for another row.
void RamGitter::keyboardSearch(const QString&) {}

}  // namespace ventaro::ui
