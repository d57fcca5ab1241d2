#include "ui/barkeys.h"

namespace wavywall {

namespace {

// A held Shift, Ctrl or Alt asks for no other movement on a bar whose steps
// are already the smallest and largest at once, and the program has no
// command on these combinations; the keypad sends its arrows with a modifier
// of its own. The Meta key stays the desktop's.
bool stepsAnyway(Qt::KeyboardModifiers modifiers) {
    constexpr Qt::KeyboardModifiers ignored =
        Qt::KeypadModifier | Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    return (modifiers & ~ignored) == Qt::NoModifier;
}

} // namespace

std::optional<QAbstractSlider::SliderAction> barActionFor(int key,
                                                          Qt::KeyboardModifiers modifiers) {
    if (!stepsAnyway(modifiers)) {
        return std::nullopt;
    }
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

} // namespace wavywall
