#include "tests/core/check.h"

namespace wavywall::check {

namespace {
int failedChecks = 0;
} // namespace

void fail(const char *file, int line, const std::string &what) {
    ++failedChecks;
    std::printf("  FAIL %s:%d: %s\n", file, line, what.c_str());
}

std::string utf8(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

int runCases(const Case *cases, std::size_t count) {
    int passed = 0;
    int failed = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int before = failedChecks;
        cases[i].run();
        const bool ok = failedChecks == before;
        std::printf("%s %s\n", ok ? "PASS" : "FAIL", cases[i].name);
        (ok ? passed : failed) += 1;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace wavywall::check
