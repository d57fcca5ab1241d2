// The validity window: where linear theory holds for the last recalculation,
// with the numbers behind the verdict (the core's validity lines). Modeless
// and single, like the About window; it follows every recalculation while
// open. Its text takes the theme's colours and font, so it reads under dark
// themes and large fonts like the main window's controls.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QLabel;

namespace wavywall {

class Form_Validity : public QWidget {
    Q_OBJECT

public:
    /// A top-level window with a close button and no owner.
    Form_Validity();

    /// Shows the lines of a recalculation, one a line.
    void showLines(const std::vector<std::u16string> &lines);

private:
    QLabel *m_text = nullptr;
};

} // namespace wavywall
