#include "ui/Statistikfenster.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "ui/Texte.h"

namespace ventaro::ui {

// The microsteps per opcode as bars, one per row of the table.
class Balkendiagramm : public QWidget {
public:
    struct Balken {
        QString name;
        std::uint64_t wert;
    };
    explicit Balkendiagramm(QWidget* eltern) : QWidget(eltern) { setMinimumHeight(160); }
    void Setze(std::vector<Balken> balken) {
        balken_ = std::move(balken);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter m(this);
        m.fillRect(rect(), Qt::white);
        if (balken_.empty()) return;
        std::uint64_t hoechster = 1;
        for (const Balken& b : balken_) hoechster = std::max(hoechster, b.wert);
        const int unten = height() - 20, oben = 16;
        const double breite = static_cast<double>(width() - 8) / static_cast<double>(balken_.size());
        m.setFont(QFont(font().family(), 8));
        for (std::size_t i = 0; i < balken_.size(); ++i) {
            const double hoehe = static_cast<double>(unten - oben) * static_cast<double>(balken_[i].wert) /
                                 static_cast<double>(hoechster);
            const QRectF saeule(4 + breite * static_cast<double>(i) + 2, unten - hoehe, breite - 4, hoehe);
            m.setPen(Qt::black);
            m.setBrush(QColor(60, 110, 200));
            m.drawRect(saeule);
            const QRectF beschriftung(4 + breite * static_cast<double>(i), unten + 2, breite, 16);
            m.drawText(beschriftung, Qt::AlignHCenter | Qt::AlignTop, balken_[i].name);
            m.drawText(QRectF(saeule.left() - 8, saeule.top() - 15, saeule.width() + 16, 14), Qt::AlignCenter,
                       Gruppiert(balken_[i].wert));
        }
    }

private:
    std::vector<Balken> balken_;
};

namespace {

QTableWidgetItem* Zelle(const QString& text, bool zahl) {
    auto* zelle = new QTableWidgetItem(text);
    zelle->setFlags(Qt::ItemIsEnabled);
    if (zahl) zelle->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return zelle;
}

}  // namespace

Statistikfenster::Statistikfenster(const TMaschine& maschine, QWidget* eltern)
    : QWidget(eltern, Qt::Window), maschine_(maschine) {
    setObjectName(QStringLiteral("Statistik"));
    setWindowTitle(QStringLiteral("Statistik"));
    tabelle_ = new QTableWidget(0, 5, this);
    tabelle_->setObjectName(QStringLiteral("StatistikTabelle"));
    tabelle_->setHorizontalHeaderLabels({QStringLiteral("Op"), QStringLiteral("Mnemonic"), QStringLiteral("Anzahl"),
                                         QStringLiteral("Mikroschritte"), QStringLiteral("Mikroschritte je Befehl")});
    tabelle_->verticalHeader()->hide();
    tabelle_->verticalHeader()->setDefaultSectionSize(20);
    tabelle_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabelle_->setSelectionMode(QAbstractItemView::NoSelection);
    summen_ = new QLabel(this);
    summen_->setObjectName(QStringLiteral("StatistikSummen"));
    diagramm_ = new Balkendiagramm(this);
    auto* spalte = new QVBoxLayout(this);
    spalte->addWidget(tabelle_, 3);
    spalte->addWidget(summen_);
    spalte->addWidget(diagramm_, 2);
    resize(460, 560);
    takt_.setInterval(40);  // at most 25 times a second
    connect(&takt_, &QTimer::timeout, this, &Statistikfenster::Aktualisieren);
}

void Statistikfenster::showEvent(QShowEvent* ereignis) {
    QWidget::showEvent(ereignis);
    gezeigt_.reset();
    Aktualisieren();
    takt_.start();
}

void Statistikfenster::hideEvent(QHideEvent* ereignis) {
    takt_.stop();
    QWidget::hideEvent(ereignis);
}

void Statistikfenster::Aktualisieren() {
    // Every step changes the totals, so equal totals mean equal rows.
    if (gezeigt_ == maschine_.Zustand().Statistik.Stand) return;
    gezeigt_ = maschine_.Zustand().Statistik.Stand;
    const TStatistikansicht s = TStatistikansicht::Von(maschine_);
    tabelle_->setRowCount(static_cast<int>(s.Zeilen.size()));
    std::vector<Balkendiagramm::Balken> balken;
    for (int r = 0; r < static_cast<int>(s.Zeilen.size()); ++r) {
        const Statistikzeile& z = s.Zeilen[r];
        const QString name = Q(z.Mnemonic);
        tabelle_->setItem(r, 0, Zelle(Q(z.OpText), true));
        tabelle_->setItem(r, 1, Zelle(name, false));
        tabelle_->setItem(r, 2, Zelle(Gruppiert(z.Anzahl), true));
        tabelle_->setItem(r, 3, Zelle(Gruppiert(z.Mikroschritte), true));
        tabelle_->setItem(r, 4, Zelle(Q(z.JeBefehl), true));
        const bool ohne = z.Op == TStatistik::OhneBefehl;
        balken.push_back({ohne ? QStringLiteral("-") : (name.isEmpty() ? QString::number(z.Op) : name), z.Mikroschritte});
    }
    summen_->setText(QString::fromUtf8("Befehle: %1    Mikroschritte: %2    Mikroschritte je Befehl: %3")
                         .arg(Gruppiert(s.Befehle), Gruppiert(s.Mikroschritte), Q(s.JeBefehl)));
    diagramm_->Setze(std::move(balken));
}

}  // namespace ventaro::ui
