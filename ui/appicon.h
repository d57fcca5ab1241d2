// The program's icon for its windows, the task bar and its message boxes:
// the same picture as the launcher's icon, compiled into the program.
#pragma once

#include <QIcon>

namespace wavywall {

/// The icon drawn at the usual window-icon sizes from the scalable picture in
/// the program's resources. Needs a running QGuiApplication.
QIcon appIcon();

} // namespace wavywall
