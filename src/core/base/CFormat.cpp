#include "core/base/CFormat.h"

#include <locale.h>

#include <charconv>
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

void appendLg(std::string& out, double v) {
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
