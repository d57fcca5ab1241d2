#include "ui/picturebox.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace wavywall {

namespace {
// Room for a whole picture's lines in one paint, as the display list has.
constexpr qsizetype expectedLines = 1024;

// The canvas's pen is one pixel wide. At a whole device pixel ratio that is a
// whole number of device pixels; at a fractional one (125 %) a pen of 1.25
// device pixels falls on one or two rows by where a segment lies, and shows
// blobs where segments meet, and a wider aliased pen is no more even. There
// the pen is one device pixel, the same everywhere along a curve.
QPen plotPen(const QColor &colour, qreal deviceScale) {
    QPen pen(colour, 1, Qt::SolidLine, Qt::FlatCap);
    if (deviceScale != std::round(deviceScale)) {
        pen.setCosmetic(true);
    }
    return pen;
}

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_runBuffer.reserve(expectedLines);
}

void PictureBox::Cls() {
    m_list.Cls();
    requestRepaint();
    Q_EMIT cleared();
}

void PictureBox::Scale(double x1, double y1, double x2, double y2) {
    m_list.Scale(x1, y1, x2, y2);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Colour colour) {
    m_list.Line(x1, y1, x2, y2, colour);
    requestRepaint();
}

void PictureBox::Overlay::Cls() {
    if (!list.lines().empty()) {
        m_box.requestRepaint();
    }
    list.Cls();
}

void PictureBox::Overlay::Scale(double x1, double y1, double x2, double y2) {
    list.Scale(x1, y1, x2, y2);
}

void PictureBox::Overlay::Line(float x1, float y1, float x2, float y2, Colour colour) {
    list.Line(x1, y1, x2, y2, colour);
    m_box.requestRepaint();
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
    for (const DisplayList *list : paintedLists()) {
        paintPlot(painter, list->lines());
    }
}

std::vector<const DisplayList *> PictureBox::paintedLists() const {
    return {&m_list, &m_overlay.list, &m_exactOverlay.list};
}

std::vector<PictureBox::PlotLine> PictureBox::shownLines() const {
    std::vector<PlotLine> lines;
    for (const DisplayList *list : paintedLists()) {
        lines.insert(lines.end(), list->lines().begin(), list->lines().end());
    }
    return lines;
}

// Consecutive lines of one colour go to the painter as one batch; the order of
// the batches is the drawing order, so overdraw is as the plot drew it.
void PictureBox::paintPlot(QPainter &painter, const std::vector<PlotLine> &lines) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF inner = contentsRect();
    const auto toWidget = [inner](UnitPoint p) {
        return QPointF(inner.left() + p.u * inner.width(), inner.top() + p.v * inner.height());
    };
    auto run = lines.begin();
    while (run != lines.end()) {
        const Colour colour = run->colour;
        m_runBuffer.clear();
        auto next = run;
        for (; next != lines.end() && next->colour == colour; ++next) {
            m_runBuffer.append(QLineF(toWidget(next->line.from), toWidget(next->line.to)));
        }
        painter.setPen(plotPen(toQColor(colour), painter.deviceTransform().m11()));
        painter.drawLines(m_runBuffer);
        run = next;
    }
}

} // namespace wavywall
