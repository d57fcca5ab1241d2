#include "ui/textfit.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace wavywall {

namespace {

constexpr double smallestPointSize = 6.5;
constexpr double step = 0.25;

// A line edit keeps these margins, in pixels, between its frame's contents
// and its line of text, and a one-pixel cursor after the text.
constexpr int lineEditHorizontalMargin = 2;
constexpr int lineEditVerticalMargin = 1;
constexpr int cursorWidth = 1;

// Controls centre or top-align their line by its height in whole pixels.
bool fits(const QFont &font, const QString &text, QSizeF room) {
    return QFontMetricsF(font).horizontalAdvance(text) <= room.width() &&
           QFontMetrics(font).height() <= room.height();
}

template <typename Control> void fitOwnText(Control &control) {
    const QFont fitted = fittingFont(control.font(), control.text(), textRoom(control));
    if (fitted != control.font()) {
        control.setFont(fitted);
    }
}

} // namespace

QSizeF textRoom(const QLabel &label) {
    return label.contentsRect().size();
}

QSizeF textRoom(const QLineEdit &box) {
    QStyleOptionFrame frame;
    frame.initFrom(&box);
    frame.rect = box.rect();
    frame.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &box);
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    const QRect contents =
        box.style()->subElementRect(QStyle::SE_LineEditContents, &frame, &box) - box.textMargins();
    return {contents.width() - 2.0 * lineEditHorizontalMargin - cursorWidth,
            contents.height() - 2.0 * lineEditVerticalMargin};
}

QSizeF textRoom(const QPushButton &button) {
    QStyleOptionButton face;
    face.initFrom(&button);
    face.rect = button.rect();
    face.text = button.text();
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &face, &button).size();
}

QFont fittingFont(const QFont &font, const QString &text, QSizeF room) {
    if (fits(font, text, room) || font.pointSizeF() <= 0) {
        return font;
    }
    // Text grows about in proportion to its size: start from that guess,
    // then step the little that hinting may still need, down and up.
    const QFontMetricsF natural(font);
    const double shrink =
        std::min(room.width() / natural.horizontalAdvance(text), room.height() / natural.height());
    QFont fitted = font;
    const double guess = std::floor(font.pointSizeF() * shrink / step) * step;
    fitted.setPointSizeF(std::max(guess, smallestPointSize));
    while (!fits(fitted, text, room) && fitted.pointSizeF() - step >= smallestPointSize) {
        fitted.setPointSizeF(fitted.pointSizeF() - step);
    }
    QFont larger = fitted;
    larger.setPointSizeF(fitted.pointSizeF() + step);
    while (larger.pointSizeF() < font.pointSizeF() && fits(larger, text, room)) {
        fitted = larger;
        larger.setPointSizeF(fitted.pointSizeF() + step);
    }
    return fitted;
}

void fitText(QLabel &label) {
    fitOwnText(label);
}

void fitText(QLineEdit &box) {
    fitOwnText(box);
}

void keepTextWhole(QLineEdit &box) {
    const QFont laidOut = box.font();
    const auto refit = [&box, laidOut] {
        const QFont fitted = fittingFont(laidOut, box.text(), textRoom(box));
        if (fitted != box.font()) {
            box.setFont(fitted);
        }
    };
    refit();
    QObject::connect(&box, &QLineEdit::textChanged, &box, refit);
}

void fitText(QPushButton &button) {
    fitOwnText(button);
}

} // namespace wavywall
