#include "canvas/picturebox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace wavywall {

namespace {
// A recalculation draws 911 lines; room for them up front keeps drawing free
// of reallocation.
constexpr std::size_t expectedLines = 1024;
} // namespace

QColor toQColor(Colour colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_displayList.reserve(expectedLines);
    m_runBuffer.reserve(static_cast<qsizetype>(expectedLines));
}

void PictureBox::Cls() {
    m_displayList.clear();
    update();
    Q_EMIT cleared();
}

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
    m_scale = UserScale::fromCorners(x1, y1, x2, y2);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Colour colour) {
    const UnitLine unit{m_scale.toUnit(x1, y1), m_scale.toUnit(x2, y2)};
    if (const auto visible = clipToUnitSquare(unit)) {
        m_displayList.push_back({*visible, colour});
        update();
    }
}

QPointF PictureBox::toWidget(UnitPoint p) const {
    const QRect inner = contentsRect();
    return {inner.left() + p.u * inner.width(), inner.top() + p.v * inner.height()};
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.fillRect(contentsRect(), toQColor(colours::lightYellow));
    paintPlot(painter);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// Consecutive lines of one colour go to the painter as one batch; the order of
// the batches is the drawing order, so overdraw is as the plot drew it.
void PictureBox::paintPlot(QPainter &painter) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    auto run = m_displayList.begin();
    while (run != m_displayList.end()) {
        const Colour colour = run->colour;
        m_runBuffer.clear();
        auto next = run;
        for (; next != m_displayList.end() && next->colour == colour; ++next) {
            m_runBuffer.append(QLineF(toWidget(next->line.from), toWidget(next->line.to)));
        }
        painter.setPen(QPen(toQColor(colour), 1, Qt::SolidLine, Qt::FlatCap));
        painter.drawLines(m_runBuffer);
        run = next;
    }
}

} // namespace wavywall
