#include "ui/formabout.h"

#include "canvas/colour.h"
#include "ui/accessibility.h"
#include "ui/contrast.h"
#include "ui/layouttable.h"
#include "ui/qtcolour.h"
#include "ui/smallwindow.h"
#include "ui/textfit.h"

#include <QLabel>

namespace wavywall {

namespace {

using about = windows::Form_About;

// The described face where the system has it; elsewhere the font matcher
// picks its closest relative (DejaVu Sans for Verdana on Debian).
QFont aboutFont(double pointSize) {
    QFont font(toQString(about::font));
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// A line without a colour of its own keeps the window's text colour.
void addLabel(QWidget &window, const about::Line &line, double dotsPerInch) {
    auto *label = new QLabel(toQString(line.text), &window);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The lines' own sizes grow with the layout.
    label->setFont(aboutFont(line.points * desktopFontScale()));
    if (!line.colour.empty()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(toQString(line.colour)));
        label->setPalette(palette);
    }
    place(*label, line.name, line.twips, dotsPerInch);
    fitText(*label);
}

} // namespace

Form_About::Form_About()
    : QWidget(nullptr, smallWindowFlags) {
    installAccessibility();
    setObjectName(toQString(about::name));
    setWindowTitle(toQString(about::caption));
    const QColor lightYellow = toQColor(colours::lightYellow);
    QPalette background = palette();
    background.setColor(QPalette::Window, lightYellow);
    // A dark theme's text colour is near-white: unreadable on the fixed
    // light yellow, so such a theme's lines get a dark colour instead.
    const QColor text = background.color(QPalette::WindowText);
    background.setColor(QPalette::WindowText, readableOn(lightYellow, text, textContrast));
    setPalette(background);
    setAutoFillBackground(true);
    const double dotsPerInch = layoutDotsPerInch(*this);
    // From top to bottom: the title lines, the credit, the date, the address.
    for (const about::Line &line : about::lines) {
        addLabel(*this, line, dotsPerInch);
    }
    resize(toPixels(about::clientArea, dotsPerInch).size());
    closeByKeyboard(*this);
}

} // namespace wavywall
