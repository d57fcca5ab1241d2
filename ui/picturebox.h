// A plot box on screen: a sunken frame whose inner area is a Canvas. Its
// display list keeps the visible lines drawn since the last Cls in unit
// coordinates; the core's painter (canvas/rasteriser.h) paints that list
// into the box's image at the screen's full resolution, as it paints the web
// page's plots, and a paint event shows the image: the pixels the painter
// changed after a recalculation (but those under the title, which is not
// repainted), the whole of it after anything else. After a recalculation the
// painter may paint straight into the window's backing store instead, where
// the box was shown last. Two more lists, the overlays, are painted over the
// plot: the second-order layer, then the exact simple wave's. Each is empty
// unless a layer draws into it.
#pragma once

#include "canvas/canvas.h"
#include "canvas/displaylist.h"
#include "canvas/rasteriser.h"
#include "ui/qtcolour.h"

#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <array>
#include <vector>

namespace wavywall {

class PictureBox : public QFrame, public Canvas {
    Q_OBJECT

public:
    using PlotLine = DisplayList::PlotLine;

    explicit PictureBox(QWidget *parent = nullptr);

    void Cls() override;
    void Scale(double x1, double y1, double x2, double y2) override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    void Polyline(std::span<const float> x, std::span<const float> y, Colour colour) override;

    /// What is on the canvas now: the visible parts of the lines drawn since
    /// the last Cls, in drawing order.
    const std::vector<PlotLine> &displayList() const { return m_list.lines(); }

    /// The layer painted over the plot, a canvas of its own.
    Canvas &overlay() { return m_overlay; }
    const std::vector<PlotLine> &overlayList() const { return m_overlay.list.lines(); }
    /// The exact simple wave's layer, painted over the other.
    Canvas &exactOverlay() { return m_exactOverlay; }
    const std::vector<PlotLine> &exactOverlayList() const { return m_exactOverlay.list.lines(); }

    /// What the box shows: the plot's lines, then each layer's, in the order
    /// they are painted. Every picture of the plot is made from it.
    std::vector<PlotLine> shownLines() const;

    /// What a new plot repaints: the drawing area but for the opaque title
    /// over it.
    QRegion plotRegion() const;

Q_SIGNALS:
    /// The canvas was cleared: a plot is about to be drawn anew.
    void cleared();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Keeps the overlay's lines and asks its box for a repaint.
    class Overlay final : public Canvas {
    public:
        explicit Overlay(PictureBox &box)
            : m_box(box) {}
        void Cls() override;
        void Scale(double x1, double y1, double x2, double y2) override;
        void Line(float x1, float y1, float x2, float y2, Colour colour) override;
        void Polyline(std::span<const float> x, std::span<const float> y, Colour colour) override;
        DisplayList list;

    private:
        PictureBox &m_box;
    };

    // The plot's list first, then the layers', in painting order.
    std::array<const DisplayList *, 3> paintedLists() const;
    void requestRepaint();
    bool paintStraight(const QRegion &region);
    QRect deviceArea(qreal ratio) const;
    void show(QPainter &painter, const QRegion &region, QPointF at, QRect source) const;

    DisplayList m_list;
    Overlay m_overlay{*this};
    Overlay m_exactOverlay{*this};
    QImage m_image;
    Rasteriser m_painter;
    // The pixels a paint straight into the target keeps.
    std::vector<QRect> m_keptRects;
    std::vector<std::uint32_t> m_keptPixels;
    // Where the image went last, to tell a repaint over it from a new target.
    const void *m_shownOn = nullptr;
    bool m_repaintRequested = false;
    QRegion m_requestedRegion;
};

} // namespace wavywall
