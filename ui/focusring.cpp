#include "ui/focusring.h"

#include "ui/contrast.h"

#include <QEvent>
#include <QPainter>

namespace wavywall {

// A focus frame is left out of what screen readers are told about the
// control, which is why the ring is one; it follows its control itself
// instead of through QFocusFrame's widget, which would place it outside the
// control, over the neighbour that a text box shares an edge with.
FocusRing::FocusRing(QWidget &control)
    : QFocusFrame(&control)
    , m_control(control) {
    setObjectName(control.objectName() + QStringLiteral("_focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    control.installEventFilter(this);
}

void FocusRing::attach(QWidget &control) {
    new FocusRing(control);
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &m_control) {
        switch (event->type()) {
        case QEvent::FocusIn:
            setGeometry(m_control.rect());
            raise();
            show();
            break;
        case QEvent::FocusOut:
            hide();
            break;
        case QEvent::Resize:
            setGeometry(m_control.rect());
            break;
        default:
            break;
        }
    }
    return QFocusFrame::eventFilter(watched, event);
}

// The ring is seen against the window around the control and replaces the
// control's own edge, whose bevel shades lie on either side of the window's
// colour: a highlight that only just reaches the contrast graphics need
// against the window can vanish against a shade, so it must read as well as
// text does.
QColor FocusRing::colour() const {
    const QPalette &around =
        m_control.parentWidget() ? m_control.parentWidget()->palette() : m_control.palette();
    return readableOn(around.color(QPalette::Window), around.color(QPalette::Highlight),
                      textContrast);
}

void FocusRing::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QRect outer = rect();
    const QColor ring = colour();
    painter.fillRect(outer.left(), outer.top(), outer.width(), width, ring);
    painter.fillRect(outer.left(), outer.bottom() - width + 1, outer.width(), width, ring);
    painter.fillRect(outer.left(), outer.top(), width, outer.height(), ring);
    painter.fillRect(outer.right() - width + 1, outer.top(), width, outer.height(), ring);
}

} // namespace wavywall
