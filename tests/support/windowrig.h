// The main window as the widget tests drive it: shown, with its message box
// replaced by a log, and its controls found by name.
#pragma once

#include "ui/picturebox.h"
#include "model/messenger.h"
#include "tests/support/qtstrings.h"
#include "ui/form1.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <functional>
#include <vector>

namespace wavywall::testing {

using namespace Qt::StringLiterals;

using PlotLines = std::vector<PictureBox::PlotLine>;

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

    WindowRig() { form.show(); }

    template <typename T> T *find(const QString &name) const {
        T *child = form.findChild<T *>(name);
        if (!child) {
            qFatal("no control %s", qPrintable(name));
        }
        return child;
    }
    QLineEdit *box(const QString &name) const { return find<QLineEdit>(name); }
    QScrollBar *bar(const QString &name) const { return find<QScrollBar>(name); }
    PictureBox *picture(const QString &name) const { return find<PictureBox>(name); }
    QPushButton *button() const { return find<QPushButton>(u"Command1"_s); }
    PictureBox *flowBox() const { return picture(u"Picture_Akım"_s); }
    PictureBox *pressureBox() const { return picture(u"Picture_basınç"_s); }
    const PlotLines &flow() const { return flowBox()->displayList(); }
    const PlotLines &pressure() const { return pressureBox()->displayList(); }
    void calculate() { QTest::mouseClick(button(), Qt::LeftButton); }
};

/// The same lines, in the same order and colours, to the bit.
inline bool sameLines(const PlotLines &a, const PlotLines &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto &x, const auto &y) {
        return x.colour == y.colour && x.line.from == y.line.from && x.line.to == y.line.to;
    });
}

} // namespace wavywall::testing
