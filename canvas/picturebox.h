// A plot box on screen: a sunken frame whose inner area is a Canvas. It keeps
// the lines drawn since the last Cls as a display list in unit coordinates
// and paints them on every paint event, so a covered and uncovered window shows
// its plot again, and so the plot is drawn at the screen's full resolution.
#pragma once

#include "canvas/canvas.h"
#include "canvas/userscale.h"

#include <QFrame>
#include <QLineF>
#include <QList>

#include <vector>

namespace wavywall {

class PictureBox : public QFrame, public Canvas {
    Q_OBJECT

public:
    struct PlotLine {
        UnitLine line;
        Colour colour;
    };

    explicit PictureBox(QWidget *parent = nullptr);

    void Cls() override;
    void Scale(double x1, double y1, double x2, double y2) override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;

    /// What is on the canvas now: the visible parts of the lines drawn since
    /// the last Cls, in drawing order.
    const std::vector<PlotLine> &displayList() const { return m_displayList; }

Q_SIGNALS:
    /// The canvas was cleared: a plot is about to be drawn anew.
    void cleared();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintPlot(QPainter &painter) const;
    QPointF toWidget(UnitPoint p) const;

    UserScale m_scale;
    std::vector<PlotLine> m_displayList;
    mutable QList<QLineF> m_runBuffer;
};

/// The colour of the 0x00BBGGRR encoding as Qt knows it.
QColor toQColor(Colour colour);

} // namespace wavywall
