#include "ui/stepscrollbar.h"

#include "ui/barkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>

namespace wavywall {

namespace {

// The bar is only a few thumbs long: a thumb of the usual minimum length
// would fill the whole groove and could not move.
class SmallThumbStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override {
        if (metric == PM_ScrollBarSliderMin) {
            return 8;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

StepScrollBar::StepScrollBar(int minimum, int maximum, QWidget *parent)
    : QScrollBar(Qt::Horizontal, parent) {
    auto *style = new SmallThumbStyle;
    style->setParent(this);
    setStyle(style);
    setRange(minimum, maximum);
    setValue(minimum);
    setSingleStep(1);
    setPageStep(1);
    // A thumb drag recalculates once, when the thumb is let go.
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

void StepScrollBar::timerEvent(QTimerEvent *event) {
    const bool repeating = repeatAction() != SliderNoAction;
    const bool buttonHeld = QGuiApplication::mouseButtons() & Qt::LeftButton;
    if (repeating && (!buttonHeld || QApplication::activeModalWidget())) {
        forgetPress();
        return;
    }
    QScrollBar::timerEvent(event);
}

// The release the bar never saw: ends the repeat and any thumb drag.
void StepScrollBar::forgetPress() {
    const QPointF outside(-1, -1);
    QMouseEvent release(QEvent::MouseButtonRelease, outside, mapToGlobal(outside), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QScrollBar::mouseReleaseEvent(&release);
    setRepeatAction(SliderNoAction);
}

void StepScrollBar::keyPressEvent(QKeyEvent *event) {
    // Qt's own handling would turn some keys around; what the bar does not
    // answer goes to its window.
    const auto action = barActionFor(event->key(), event->modifiers());
    if (!action) {
        event->ignore();
        return;
    }
    triggerAction(*action);
    event->accept();
}

} // namespace wavywall
