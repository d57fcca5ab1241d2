// The About window: what the program calculates, who wrote it, and where
// to write with comments. Labels only, on the plots' light yellow.
#pragma once

#include <QWidget>

namespace wavywall {

class Form_About : public QWidget {
    Q_OBJECT

public:
    /// A top-level window with a close button and no minimise or maximise
    /// buttons; it has no owner.
    Form_About();
};

} // namespace wavywall
