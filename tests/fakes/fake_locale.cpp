#include "fakes/fake_locale.h"

#include <cctype>

namespace remvana {

namespace {
int sign(int v) {
    return (v > 0) - (v < 0);
}
} // namespace

int FakeLocale::compareIgnoreCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return sign(ca - cb);
    }
    return sign(static_cast<int>(a.size()) - static_cast<int>(b.size()));
}

int FakeLocale::compare(const std::string& a, const std::string& b) {
    if (const int folded = compareIgnoreCase(a, b); folded != 0) return folded;
    // Equal but for case: lower case sorts first, as in the Windows word sort.
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool la = std::islower(static_cast<unsigned char>(a[i])) != 0;
        const bool lb = std::islower(static_cast<unsigned char>(b[i])) != 0;
        if (la != lb) return la ? -1 : 1;
    }
    return 0;
}

} // namespace remvana
