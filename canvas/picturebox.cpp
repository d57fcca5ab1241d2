#include "canvas/picturebox.h"

#include <QPaintEvent>
#include <QPainter>

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
    requestRepaint();
    Q_EMIT cleared();
}

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
    m_scale = UserScale::fromCorners(x1, y1, x2, y2);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Colour colour) {
    const UnitLine unit{m_scale.toUnit(x1, y1), m_scale.toUnit(x2, y2)};
    if (const auto visible = clipToUnitSquare(unit)) {
        m_displayList.push_back({*visible, colour});
        requestRepaint();
    }
}

// Only the drawing area changes; the frame around it stays as painted. One
// request covers every line drawn until the repaint comes.
void PictureBox::requestRepaint() {
    if (!m_repaintRequested) {
        m_repaintRequested = true;
        update(contentsRect());
    }
}

void PictureBox::paintEvent(QPaintEvent *event) {
    m_repaintRequested = false;
    if (!contentsRect().contains(event->rect())) {
        // The box paints opaquely: at a fractional or doubled pixel ratio the
        // bevel's lines cover less than the frame's width, so the ring is
        // filled first.
        QPainter(this).fillRect(rect(), palette().window());
        QFrame::paintEvent(event);
    }
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.fillRect(contentsRect(), toQColor(colours::lightYellow));
    paintPlot(painter);
}

// Consecutive lines of one colour go to the painter as one batch; the order of
// the batches is the drawing order, so overdraw is as the plot drew it.
void PictureBox::paintPlot(QPainter &painter) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF inner = contentsRect();
    const auto toWidget = [inner](UnitPoint p) {
        return QPointF(inner.left() + p.u * inner.width(), inner.top() + p.v * inner.height());
    };
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
