#include "ui/titlelabel.h"

#include "canvas/colour.h"
#include "ui/contrast.h"
#include "ui/qtcolour.h"

#include <QPainter>

#include <algorithm>

namespace wavywall {

TitleLabel::TitleLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , m_laidOut(text) {
    m_laidOut.setTextFormat(Qt::PlainText);
    m_laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
    // The plot's own light yellow behind the text, whatever the theme: a dark
    // theme's label background stood as a dark box on the plot. The theme's
    // text colour stays where it reads on the yellow (docs/design.md).
    QPalette shown = palette();
    const QColor lightYellow = toQColor(colours::lightYellow);
    shown.setColor(QPalette::Window, lightYellow);
    shown.setColor(QPalette::WindowText,
                   readableOn(lightYellow, shown.color(QPalette::WindowText), textContrast));
    setPalette(shown);
}

// The line is as long as the label is high and a tenth as thick, at least a
// pixel, as a plot's line is.
void TitleLabel::setSwatch(QColor colour) {
    m_swatch = colour;
    const int length = height() + height() / 4;
    setContentsMargins(length, 0, 0, 0);
}

// Opaque background in the label's own colour, the text at its upper left,
// as the plain label paints it.
void TitleLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(backgroundRole()));
    if (m_swatch.isValid()) {
        const int thickness = std::max(1, height() / 10);
        painter.fillRect(0, (height() - thickness) / 2, height(), thickness, m_swatch);
    }
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawStaticText(contentsRect().topLeft(), m_laidOut);
}

} // namespace wavywall
