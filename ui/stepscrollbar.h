// The horizontal scroll bar of the main window: every step is one
// hundredth of its input, the keys move it as they read (Right and Down
// towards the maximum, Left and Up towards the minimum), and its thumb is
// small enough to be dragged along the short bar. A held arrow repeats only
// while the button is really held: a message box that opens during a step
// takes the button's release, and the bar must not go on stepping (and
// opening message boxes) by itself behind it.
#pragma once

#include <QScrollBar>

namespace wavywall {

class StepScrollBar : public QScrollBar {
    Q_OBJECT

public:
    StepScrollBar(int minimum, int maximum, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void forgetPress();
};

} // namespace wavywall
