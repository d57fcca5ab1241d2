// The title of a plot: an opaque label lying over the plot's drawing area.
// A recalculation leaves it as painted (PictureBox::plotRegion); when it is
// painted, its text, which never changes, is laid out already and only the
// glyphs are drawn.
// A legend entry is such a label with a short line in its curve's colour
// before the text: the text keeps the readable colour of the titles, and the
// line says which curve it names.
#pragma once

#include <QColor>
#include <QLabel>
#include <QStaticText>

namespace wavywall {

class TitleLabel final : public QLabel {
public:
    TitleLabel(const QString &text, QWidget *parent);

    /// Draws a line of the given colour before the text, in room the label
    /// keeps free at its left.
    void setSwatch(QColor colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStaticText m_laidOut;
    QColor m_swatch;
};

} // namespace wavywall
