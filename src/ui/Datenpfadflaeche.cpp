#include "ui/Datenpfadflaeche.h"

#include <QMouseEvent>
#include <QPainter>
#include <array>

#include "ui/Farben.h"

namespace ventaro::ui {
namespace {

// Bars of 9 pixels with a black outline: buses, drops and register links.
constexpr std::array<QRect, 14> kLeitungen = {{
    {24, 72, 713, 9},    // top bus line
    {24, 80, 9, 385},    // internal bus, left side
    {24, 464, 97, 9},    // internal bus, bottom
    {120, 312, 9, 161},  // ALU to Erg to ErgT
    {88, 72, 9, 129},    // internal bus to ALU input B
    {152, 80, 9, 121},   // internal bus through Akku to ALU input A
    {152, 176, 345, 9},  // Akku output, AT, PC, PT
    {280, 80, 9, 265},   // external bus column
    {280, 248, 217, 9},  // IR, IT
    {488, 176, 9, 81},   // address column
    {496, 212, 41, 9},   // address into RAM
    {592, 72, 9, 65},    // Read drop
    {632, 72, 9, 65},    // Write drop
    {728, 80, 9, 121},   // display drop
}};

// The ALU control line, red and without outline.
constexpr std::array<QRect, 3> kSteuerleitung = {{{192, 288, 33, 9}, {216, 296, 9, 65}, {224, 352, 33, 9}}};

// Junction circles of 17 x 17.
constexpr std::array<QPoint, 9> kKnoten = {
    {{84, 68}, {148, 68}, {148, 172}, {276, 172}, {276, 68}, {276, 244}, {484, 208}, {588, 68}, {628, 68}}};

constexpr std::array<QRect, 6> kEcken = {{{25, 79, 8, 8}, {25, 464, 8, 9}, {114, 465, 8, 8},
                                          {486, 249, 8, 8}, {486, 177, 8, 8}, {729, 76, 8, 8}}};

// Inside the wires: every pixel whose eight neighbours are all on a wire. The
// corner squares clear the outlines only there, so where two bars meet the
// seam goes and the outer outline of the bend stays whole.
const QRegion& Leitungsinneres() {
    static const QRegion inneres = [] {
        QRegion leitungen;
        for (const QRect& r : kLeitungen) leitungen += r;
        QRegion innen = leitungen;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) innen &= leitungen.translated(dx, dy);
        return innen;
    }();
    return inneres;
}

}  // namespace

Datenpfadflaeche::Datenpfadflaeche(QWidget* eltern) : QWidget(eltern) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, farbe::Silber);
    setPalette(palette);
    setMouseTracking(true);
}

bool Datenpfadflaeche::AufLeitung(const QPoint& p) {
    for (const QRect& r : kLeitungen)
        if (r.contains(p)) return true;
    for (const QRect& r : kSteuerleitung)
        if (r.contains(p)) return true;
    for (const QPoint& k : kKnoten)
        if (QRect(k, QSize(17, 17)).contains(p)) return true;
    return false;
}

void Datenpfadflaeche::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    // Outline and inside as filled rectangles: at any window size their
    // edges fall on the same pixels as the squares' below.
    for (const QRect& r : kLeitungen) {
        maler.fillRect(r, Qt::black);
        maler.fillRect(r.adjusted(1, 1, -1, -1), Qt::white);
    }
    for (const QRect& r : kSteuerleitung) maler.fillRect(r, farbe::Rot);
    // Junctions of 17 x 17 pixels with a black outline, not a grey blur.
    maler.setPen(Qt::black);
    maler.setBrush(Qt::white);
    for (const QPoint& k : kKnoten) maler.drawEllipse(QRect(k, QSize(16, 16)));
    // White squares hide the outlines where two bars meet, so bends look whole.
    for (const QRect& ecke : kEcken)
        for (const QRect& r : QRegion(ecke) & Leitungsinneres()) maler.fillRect(r, Qt::white);
}

void Datenpfadflaeche::mouseMoveEvent(QMouseEvent* ereignis) {
    // Moves over a child arrive here only when the child ignores them; the
    // wires and labels leave the hint as it is.
    const QPoint p = ereignis->position().toPoint();
    if (childAt(p) == nullptr && !AufLeitung(p)) emit ueberHintergrund();
}

}  // namespace ventaro::ui
