#include "ui/stepscrollbar.h"

#include "ui/barkeys.h"
#include "ui/contrast.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionSlider>

namespace wavywall {

namespace {

// The bar is only a few thumbs long: a thumb of the usual minimum length
// would fill the whole groove and could not move. The style's own thumb
// differs from its track by a shade (1.2:1 in Qt's light theme, 1.1:1 in
// Breeze Dark); here the track keeps the theme's button colour, a shade
// darker, and the thumb goes from the button colour towards the button text
// until it stands out from the track by the contrast a control's parts need.
class StepBarStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override {
        if (metric == PM_ScrollBarSliderMin) {
            return 8;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override {
        const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
        if (control != CC_ScrollBar || !bar) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionSlider arrows = *bar;
        arrows.subControls &= SC_ScrollBarAddLine | SC_ScrollBarSubLine;
        QProxyStyle::drawComplexControl(control, &arrows, painter, widget);
        const QPalette &palette = bar->palette;
        const QColor track = palette.color(QPalette::Button).darker(105);
        const QColor thumb = blendUntilContrast(track, palette.color(QPalette::Button),
                                                palette.color(QPalette::ButtonText), partContrast);
        painter->fillRect(subControlRect(control, bar, SC_ScrollBarGroove, widget), track);
        painter->fillRect(subControlRect(control, bar, SC_ScrollBarSlider, widget), thumb);
    }
};

} // namespace

StepScrollBar::StepScrollBar(int minimum, int maximum, QWidget *parent)
    : QScrollBar(Qt::Horizontal, parent) {
    auto *style = new StepBarStyle;
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
