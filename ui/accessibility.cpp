#include "ui/accessibility.h"

#include "model/textnumber.h"
#include "windowdescription.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QScrollBar>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {

// The main window's bars hold their inputs in hundredths: position 102 is the
// Mach number 1.02. A reader hears the input, written as the text box writes
// it, and can set it the same way.
constexpr double positionsPerUnit = windows::positionsPerUnit;

class InputBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit InputBarAccessible(QScrollBar *bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return inputText(bar()->value());
        }
        return QAccessibleWidget::text(kind);
    }

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface *>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return input(bar()->value()); }
    void setCurrentValue(const QVariant &value) override {
        bar()->setValue(qRound(value.toDouble() * positionsPerUnit));
    }
    QVariant maximumValue() const override { return input(bar()->maximum()); }
    QVariant minimumValue() const override { return input(bar()->minimum()); }
    QVariant minimumStepSize() const override { return input(bar()->singleStep()); }

private:
    QScrollBar *bar() const { return static_cast<QScrollBar *>(widget()); }
    static double input(int position) { return position / positionsPerUnit; }
    static QString inputText(int position) {
        return QString::fromStdU16String(numberToText(input(position)));
    }
};

// The About window holds only labels; a reader that opens it hears them as
// the dialog's text, from top to bottom.
class AboutWindowAccessible final : public QAccessibleWidget {
public:
    explicit AboutWindowAccessible(QWidget *window)
        : QAccessibleWidget(window, QAccessible::Dialog) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Description) {
            return QAccessibleWidget::text(kind);
        }
        QStringList lines;
        const auto labels = widget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
        for (const QLabel *label : labels) {
            lines.append(label->text().trimmed());
        }
        return lines.join(u'\n');
    }
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object) {
    if (!object || !object->isWidgetType()) {
        return nullptr;
    }
    auto *widget = static_cast<QWidget *>(object);
    if (className == "wavywall::PictureBox"_L1) {
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    }
    if (className == "wavywall::StepScrollBar"_L1) {
        return new InputBarAccessible(static_cast<QScrollBar *>(widget));
    }
    if (className == "wavywall::Form_About"_L1) {
        return new AboutWindowAccessible(widget);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(interfaceFor);
}

} // namespace wavywall
