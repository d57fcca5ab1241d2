// The title of a plot: a label lying over the plot's drawing area, so that
// every recalculation repaints it along with the plot. Its text and look are
// fixed once the window is built, so it is painted once into a picture that
// each repaint copies, instead of laying out its text anew every time.
#pragma once

#include <QLabel>
#include <QPixmap>

class QPainter;

namespace wavywall {

class TitleLabel final : public QLabel {
public:
    TitleLabel(const QString &text, QWidget *parent);

    /// True once the title has a picture of itself to copy.
    bool pictured() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool pictureFits(const QPainter &painter) const;
    void takePicture();

    QPixmap m_picture;
    QString m_picturedText;
    qreal m_wantedRatio = 1;
    bool m_takingPicture = false;
    bool m_pictureRequested = false;
};

} // namespace wavywall
