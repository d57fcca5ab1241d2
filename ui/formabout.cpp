#include "ui/formabout.h"

#include "canvas/colour.h"
#include "canvas/picturebox.h"
#include "ui/accessibility.h"
#include "ui/contrast.h"
#include "ui/layouttable.h"
#include "ui/textfit.h"

#include <QLabel>
#include <QShortcut>

#include <optional>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {

struct AboutLine {
    const char16_t *name;
    const char16_t *text;
    TwipRect twips;
    double pointSize;
    std::optional<Colour> colour; // empty: the platform's text colour
};

constexpr Colour titleGreen = RGB(0, 128, 0);
constexpr Colour addressBlue = RGB(0, 0, 255);
constexpr TwipRect clientArea{0, 0, 3600, 2040};

// From top to bottom: the three green title lines, the credit line, the
// date, and the contact address in blue.
const AboutLine aboutLines[] = {
    {u"Label2", u"Program for Calculating", {600, 120, 2295, 255}, 9.75, titleGreen},
    {u"Label3", u"Linearized supersonic", {720, 360, 2175, 255}, 9.75, titleGreen},
    {u"Label1", u" potential flows", {960, 600, 1695, 255}, 9.75, titleGreen},
    {u"Label7", u"by the wavywall developers", {600, 960, 2775, 255}, 8.25, std::nullopt},
    {u"Label8", u"April 2006", {1200, 1200, 1095, 255}, 8.25, std::nullopt},
    {u"Label4",
     u"For comments and questions e-mail to",
     {120, 1440, 3375, 255},
     8.25,
     std::nullopt},
    {u"Label5", u"wavywall@example.org", {840, 1680, 1935, 255}, 8.25, addressBlue},
};

// Verdana where the system has it; elsewhere the font matcher picks its
// closest relative (DejaVu Sans on Debian).
QFont verdana(double pointSize) {
    QFont font(u"Verdana"_s);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void addLabel(QWidget &window, const AboutLine &line, double dotsPerInch) {
    auto *label = new QLabel(QString::fromUtf16(line.text), &window);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(verdana(line.pointSize));
    if (line.colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, toQColor(*line.colour));
        label->setPalette(palette);
    }
    place(*label, QString::fromUtf16(line.name), line.twips, dotsPerInch);
    fitText(*label);
}

// Escape, and Ctrl+W as for any document window, close the window from the
// keyboard: without a window manager it has no other way to close.
void closeByKeyboard(QWidget &window) {
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto *shortcut = new QShortcut(keys, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, &QWidget::close);
    }
}

} // namespace

Form_About::Form_About()
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    installAccessibility();
    setObjectName(u"Form_About"_s);
    setWindowTitle(u"About"_s);
    const QColor lightYellow = toQColor(colours::lightYellow);
    QPalette background = palette();
    background.setColor(QPalette::Window, lightYellow);
    // A dark theme's text colour is near-white: unreadable on the fixed
    // light yellow, so such a theme's lines get a dark colour instead.
    const QColor text = background.color(QPalette::WindowText);
    background.setColor(QPalette::WindowText, readableOn(lightYellow, text, textContrast));
    setPalette(background);
    setAutoFillBackground(true);
    const double dotsPerInch = logicalDpiX();
    for (const AboutLine &line : aboutLines) {
        addLabel(*this, line, dotsPerInch);
    }
    resize(toPixels(clientArea, dotsPerInch).size());
    closeByKeyboard(*this);
}

} // namespace wavywall
