// A small harness for the core's plain tests, which build wherever the core
// does (with no Qt, and as WebAssembly under node): named cases, checks that
// report where they failed and go on, and a closing count.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace wavywall::check {

struct Case {
    const char *name;
    void (*run)();
};

/// Counts a failed check of the running case and reports it.
void fail(const char *file, int line, const std::string &what);

/// The UTF-8 bytes of a UTF-16 text, for a failure report.
std::string utf8(std::u16string_view text);

/// Runs every case and prints one line per case and a closing count;
/// returns the process's exit status.
template <std::size_t n> int runAll(const Case (&cases)[n]);

int runCases(const Case *cases, std::size_t count);

template <std::size_t n> int runAll(const Case (&cases)[n]) {
    return runCases(cases, n);
}

} // namespace wavywall::check

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::wavywall::check::fail(__FILE__, __LINE__, #condition);                               \
        }                                                                                          \
    } while (false)

/// A check of one table row: a failure names the row as well.
#define CHECK_ROW(condition, row)                                                                  \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::wavywall::check::fail(__FILE__, __LINE__,                                            \
                                    std::string(#condition) + " [" + std::string(row) + "]");      \
        }                                                                                          \
    } while (false)
