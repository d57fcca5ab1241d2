// A clearly visible mark on the control that has the keyboard focus: a ring
// two pixels wide along the control's edge, in the theme's highlight colour
// where that stands out from the window around it and in its text colour
// where it does not. Styles mark focus unevenly: Fusion shows none on a
// scroll bar and washes a plot's whole drawing with a tint, which changes
// the plot's colours. The ring lies over the control's own edge, which on a
// plot box is its border, so a plot's drawing area keeps its exact colours.
#pragma once

#include <QFocusFrame>

namespace wavywall {

class FocusRing final : public QFocusFrame {
    Q_OBJECT

public:
    /// Gives the control a ring of its own, shown while the control has the
    /// focus and its window is active.
    static void attach(QWidget &control);

    /// How wide the ring is, in device-independent pixels.
    static constexpr int width = 2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    explicit FocusRing(QWidget &control);
    QColor colour() const;

    QWidget &m_control;
};

} // namespace wavywall
