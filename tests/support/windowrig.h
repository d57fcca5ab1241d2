// The main window as the widget tests drive it: shown and active, with its
// message box replaced by a log, its controls found by name and each plot's
// redraws counted; and what a widget paints, taken as an image.
#pragma once

#include "model/messenger.h"
#include "tests/support/qtstrings.h"
#include "ui/form1.h"
#include "ui/picturebox.h"
#include "windowdescription.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace wavywall::testing {

using namespace Qt::StringLiterals;

using PlotLines = std::vector<PictureBox::PlotLine>;

/// The main window's tab stops, in the order Tab visits them.
inline const QStringList tabOrder = [] {
    QStringList names;
    for (const std::u16string_view name : windows::Form1::tabOrder) {
        names.append(qstr(name));
    }
    return names;
}();

/// A messenger that hands each message to a function instead of showing a
/// modal box, so that widget tests never wait on a dialog.
class MessageCallback final : public Messenger {
public:
    using Function = std::function<void(const QString &)>;
    explicit MessageCallback(Function show = {})
        : m_show(std::move(show)) {}
    void setFunction(Function show) { m_show = std::move(show); }
    void MsgBox(std::u16string_view text) override {
        if (m_show) {
            m_show(qstr(text));
        }
    }

private:
    Function m_show;
};

struct WindowRig {
    QStringList messages;
    MessageCallback messenger{[this](const QString &text) { messages.append(text); }};
    Form1 form{&messenger};
    int flowRedraws = 0;
    int pressureRedraws = 0;

    WindowRig() {
        QObject::connect(flowBox(), &PictureBox::cleared, &form, [this] { ++flowRedraws; });
        QObject::connect(pressureBox(), &PictureBox::cleared, &form, [this] { ++pressureRedraws; });
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }

    template <typename T> T *find(const QString &name) const {
        T *child = form.findChild<T *>(name);
        if (!child) {
            qFatal("no control %s", qPrintable(name));
        }
        return child;
    }
    QLineEdit *box(const QString &name) const { return find<QLineEdit>(name); }
    QLineEdit *moo() const { return box(u"Text_Moo"_s); }
    QLineEdit *hbl() const { return box(u"Text_HbL"_s); }
    QScrollBar *bar(const QString &name) const { return find<QScrollBar>(name); }
    PictureBox *picture(const QString &name) const { return find<PictureBox>(name); }
    QPushButton *button() const { return find<QPushButton>(u"Command1"_s); }
    QAction *aboutCommand() const { return find<QAction>(u"Nm_About"_s); }
    PictureBox *flowBox() const { return picture(u"Picture_Akım"_s); }
    PictureBox *pressureBox() const { return picture(u"Picture_basınç"_s); }
    const PlotLines &flow() const { return flowBox()->displayList(); }
    const PlotLines &pressure() const { return pressureBox()->displayList(); }
    void calculate() { QTest::mouseClick(button(), Qt::LeftButton); }

    /// How often both plots were drawn anew, or -1 when they differ.
    int redraws() const { return flowRedraws == pressureRedraws ? flowRedraws : -1; }

    /// What the window shows of a control, with whatever lies over it.
    QImage shown(const QWidget &control) {
        const QRect area(control.mapTo(&form, QPoint(0, 0)), control.size());
        return form.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    }

    /// Tabs from the stop before the control to the control.
    void tabTo(const QString &name) {
        const qsizetype at = tabOrder.indexOf(name);
        find<QWidget>(tabOrder[(at + tabOrder.size() - 1) % tabOrder.size()])->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
};

/// The same lines, in the same order and colours, to the bit.
inline bool sameLines(const PlotLines &a, const PlotLines &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto &x, const auto &y) {
        return x.colour == y.colour && x.line.from == y.line.from && x.line.to == y.line.to;
    });
}

/// A widget painted at a device pixel ratio; what it leaves unpainted keeps
/// the image's magenta.
inline QImage rendered(QWidget &widget, double ratio) {
    const QSize pixels(static_cast<int>(std::ceil(widget.width() * ratio)),
                       static_cast<int>(std::ceil(widget.height() * ratio)));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    image.setDevicePixelRatio(ratio);
    widget.render(&image);
    return image;
}

} // namespace wavywall::testing
