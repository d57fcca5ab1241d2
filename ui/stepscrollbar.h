// The horizontal scroll bar of the main window: every step is one
// hundredth of its input, the keys move it as they read (Right and Down
// towards the maximum, Left and Up towards the minimum), and its thumb is
// small enough to be dragged along the short bar.
#pragma once

#include <QScrollBar>

namespace wavywall {

class StepScrollBar : public QScrollBar {
    Q_OBJECT

public:
    StepScrollBar(int minimum, int maximum, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace wavywall
