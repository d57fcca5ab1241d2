// The title of a plot: a label lying over the plot's drawing area, so that
// every recalculation repaints it along with the plot. Its text never
// changes, so it keeps the text laid out once and only draws the glyphs.
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
