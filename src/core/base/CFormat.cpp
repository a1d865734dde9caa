#include "core/base/CFormat.h"

#include <locale.h>

#include <array>
#include <charconv>
#include <cstring>
#include <cmath>
#include <cstdint>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace phonotab {

namespace {

locale_t cLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

// Switches the calling thread to the "C" locale for the lifetime of the guard.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

void vappend(std::string& out, const char* fmt, va_list args) {
    CLocaleScope scope;
    char buf[256];
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(buf, sizeof buf, fmt, copy);
    va_end(copy);
    if (n < 0) return;
    if (static_cast<std::size_t>(n) < sizeof buf) {
        out.append(buf, static_cast<std::size_t>(n));
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out.data() + start, static_cast<std::size_t>(n) + 1, fmt, args);
    out.resize(start + static_cast<std::size_t>(n));
}

}  // namespace

std::string cformat(const char* fmt, ...) {
    std::string out;
    va_list args;
    va_start(args, fmt);
    vappend(out, fmt, args);
    va_end(args);
    return out;
}

void cformatAppend(std::string& out, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    vappend(out, fmt, args);
    va_end(args);
}

namespace {

// "%lg" of a number whose magnitude lies in [1e-4, 999999.5), the levels and
// times that fill result files, without the general conversion: six
// significant digits from one exact scaling by a power of ten. False (nothing
// appended) where the scaled value lies too near a rounding tie, or the
// number is outside that range, for the general path to decide.
bool appendLgSixDigits(std::string& out, double v) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const double a = std::fabs(v);
    if (!(a >= 1e-4 && a < 999999.5)) return false;
    // The decimal exponent: 10^x <= a < 10^(x+1), up to the rounding of the
    // comparisons below 1, which the digit count checks afterwards.
    int x = 0;
    if (a >= 1.0) {
        while (x < 5 && a >= kPow10[x + 1]) ++x;
    } else {
        x = -1;
        while (x > -4 && a * kPow10[-x] < 1.0) --x;
    }
    // One rounding: the power of ten is exact and the product below 10^6 is
    // off by far less than 1e-6, so away from a tie its nearest integer is
    // the nearest integer of the exact product.
    const double scaled = a * kPow10[5 - x];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (!(std::fabs(fraction - 0.5) > 1e-6)) return false;
    auto digits = static_cast<std::int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (digits == 1000000) {  // rounded up into the next decade
        digits = 100000;
        ++x;
    }
    if (digits < 100000 || digits > 999999 || x > 5) return false;
    // Three digits at a time from a table: two short divisions instead of a
    // chain of six.
    static constexpr auto kThreeDigits = [] {
        std::array<char, 3000> t{};
        for (int i = 0; i < 1000; ++i) {
            t[static_cast<std::size_t>(3 * i)] = static_cast<char>('0' + i / 100);
            t[static_cast<std::size_t>(3 * i + 1)] = static_cast<char>('0' + i / 10 % 10);
            t[static_cast<std::size_t>(3 * i + 2)] = static_cast<char>('0' + i % 10);
        }
        return t;
    }();
    const auto six = static_cast<std::uint32_t>(digits);
    char d[6];
    std::memcpy(d, &kThreeDigits[3 * (six / 1000)], 3);
    std::memcpy(d + 3, &kThreeDigits[3 * (six % 1000)], 3);
    int last = 5;  // the last digit printed: trailing zeros of the fraction go
    while (last > 0 && last > x && d[last] == '0') --last;
    char buf[16];
    char* p = buf;
    if (v < 0) *p++ = '-';
    if (x >= 0) {
        for (int i = 0; i <= x; ++i) *p++ = d[i];
        if (last > x) {
            *p++ = '.';
            for (int i = x + 1; i <= last; ++i) *p++ = d[i];
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = -1; i > x; --i) *p++ = '0';
        for (int i = 0; i <= last; ++i) *p++ = d[i];
    }
    out.append(buf, p);
    return true;
}

}  // namespace

void appendLg(std::string& out, double v) {
    if (appendLgSixDigits(out, v)) return;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    if (res.ec != std::errc()) {
        cformatAppend(out, "%lg", v);
        return;
    }
    out.append(buf, res.ptr);
}

void appendFixed(std::string& out, double v, int precision) {
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, precision);
    if (res.ec != std::errc()) {
        cformatAppend(out, "%.*f", precision, v);
        return;
    }
    out.append(buf, res.ptr);
}

std::string formatLg(double v) {
    std::string out;
    appendLg(out, v);
    return out;
}

bool scanLg(const char* text, double& out, const char** end) {
    CLocaleScope scope;
    char* stop = nullptr;
    const double v = std::strtod(text, &stop);
    if (stop == text) return false;
    out = v;
    if (end) *end = stop;
    return true;
}

}  // namespace phonotab
