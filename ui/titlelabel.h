// The title of a plot: an opaque label lying over the plot's drawing area.
// A recalculation leaves it as painted (PictureBox::plotRegion); when it is
// painted, its text, which never changes, is laid out already and only the
// glyphs are drawn.
#pragma once

#include <QLabel>
#include <QStaticText>

namespace wavywall {

class TitleLabel final : public QLabel {
public:
    TitleLabel(const QString &text, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStaticText m_laidOut;
};

} // namespace wavywall
