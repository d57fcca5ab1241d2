#include "ui/titlelabel.h"

#include <QPainter>

namespace wavywall {

TitleLabel::TitleLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , m_laidOut(text) {
    m_laidOut.setTextFormat(Qt::PlainText);
    m_laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
}

// Opaque background in the label's own colour, the text at its upper left,
// as the plain label paints it.
void TitleLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(backgroundRole()));
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawStaticText(contentsRect().topLeft(), m_laidOut);
}

} // namespace wavywall
