// Numbers written and read with '.' whatever the locale of the process. The C
// library's conversions use the decimal point of the thread's locale, which a
// toolkit may have set from the environment (a comma under de_DE or tr_TR).
// While one of these lives, this thread uses the "C" locale's numbers; every
// other thread and the process's locale are left alone. The floating-point
// to_chars and from_chars would need no locale, but the WebAssembly
// toolchain's library lacks them (docs/design.md).
#pragma once

#include <cstdio>
#include <locale.h>
#include <string>

namespace wavywall {

class ClassicNumbers {
public:
    ClassicNumbers()
        : m_previous(uselocale(classic())) {}
    ~ClassicNumbers() { uselocale(m_previous); }
    ClassicNumbers(const ClassicNumbers &) = delete;
    ClassicNumbers &operator=(const ClassicNumbers &) = delete;

    /// One number in a printf format ("%.17g", "%.3f"), with '.'.
    static std::string format(const char *format, double value) {
        char buffer[64];
        int length = 0;
        {
            const ClassicNumbers classicNumbers;
            length = std::snprintf(buffer, sizeof buffer, format, value);
        }
        if (length < 0) {
            return {};
        }
        return {buffer, static_cast<std::size_t>(length) < sizeof buffer
                            ? static_cast<std::size_t>(length)
                            : sizeof buffer - 1};
    }

private:
    static locale_t classic() {
        static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t{});
        return c;
    }
    locale_t m_previous;
};

} // namespace wavywall
