#include "ui/stepscrollbar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>

#include <optional>

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

std::optional<QAbstractSlider::SliderAction> actionFor(int key) {
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_Left:
    case Qt::Key_Up:
        return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_PageDown:
        return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_PageUp:
        return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_End:
        return QAbstractSlider::SliderToMaximum;
    case Qt::Key_Home:
        return QAbstractSlider::SliderToMinimum;
    default:
        return std::nullopt;
    }
}

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
    const auto action =
        event->modifiers() == Qt::NoModifier ? actionFor(event->key()) : std::nullopt;
    if (!action) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    triggerAction(*action);
    event->accept();
}

} // namespace wavywall
