// Which keys move the input bars, and which way. The bars lie horizontally
// with their minimum at the left, so every form of Right and Down (keypad
// arrows, and with Shift, Ctrl or Alt held) steps towards the maximum and every
// form of Left and Up towards the minimum, one hundredth of the input at a
// time. Qt's own horizontal scroll bar turns some of these forms around; the
// bars answer them all here instead.
#pragma once

#include <QAbstractSlider>

#include <optional>

namespace wavywall {

/// What the key does to a bar, or nothing when the bar leaves the key to
/// its window (Tab, letters, the Meta key's desktop shortcuts).
std::optional<QAbstractSlider::SliderAction> barActionFor(int key, Qt::KeyboardModifiers modifiers);

} // namespace wavywall
