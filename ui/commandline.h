// The program's command line: the two inputs, which the window reads as if
// typed before HESAPLA, and the files to write for them without a window.
// `wavywall --moo 1.44 --hbl 0.06 --save-pressure p.csv --save-flow f.svg`
// writes both files and ends; it needs no display.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace wavywall {

struct CommandLine {
    enum class Action { showWindow, saveFiles, print, fail };
    Action action = Action::showWindow;
    /// The help, the version or what was wrong, for print and fail.
    QString text;
    std::optional<QString> moo;
    std::optional<QString> hbl;
    QString saveFlow;
    QString savePressure;
};

/// Exit statuses besides success: the inputs gave a message (1); an option
/// or a file could not be used (2).
inline constexpr int exitMessage = 1;
inline constexpr int exitUnusable = 2;

/// Reads the arguments, the program's name first.
CommandLine readCommandLine(const QStringList &arguments);

/// Recalculates from the inputs as HESAPLA does and writes the requested
/// files; a message the window would show, or a file that cannot be written,
/// goes to standard error. Needs a QGuiApplication (for the PNG's text).
/// Returns the exit status.
int saveFiles(const CommandLine &commandLine);

} // namespace wavywall
