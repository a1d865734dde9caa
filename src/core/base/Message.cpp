#include "core/base/Message.h"

#include <cstring>

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

std::string argAsText(const MessageArg& a) {
    if (const auto* s = std::get_if<std::string>(&a)) return *s;
    if (const auto* i = std::get_if<std::int64_t>(&a)) return std::to_string(*i);
    return formatLg(std::get<double>(a));
}

std::int64_t argAsInt(const MessageArg& a) {
    if (const auto* i = std::get_if<std::int64_t>(&a)) return *i;
    if (const auto* d = std::get_if<double>(&a)) return static_cast<std::int64_t>(*d);
    return std::atoll(std::get<std::string>(a).c_str());
}

double argAsDouble(const MessageArg& a) {
    if (const auto* d = std::get_if<double>(&a)) return *d;
    if (const auto* i = std::get_if<std::int64_t>(&a)) return static_cast<double>(*i);
    return std::atof(std::get<std::string>(a).c_str());
}

}  // namespace

std::string formatWithArgs(const std::string& fmt, const std::vector<MessageArg>& args) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%') {
            out.push_back(fmt[i]);
            continue;
        }
        if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
            out.push_back('%');
            ++i;
            continue;
        }
        // Collect flags, width and precision (digits only, no '*'), then length
        // modifiers, then the conversion letter.
        std::size_t j = i + 1;
        std::string conversion = "%";
        while (j < fmt.size() && std::strchr("-+ #0", fmt[j])) conversion.push_back(fmt[j++]);
        while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9' && conversion.size() < 8) conversion.push_back(fmt[j++]);
        if (j < fmt.size() && fmt[j] == '.') {
            conversion.push_back(fmt[j++]);
            while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9' && conversion.size() < 12)
                conversion.push_back(fmt[j++]);
        }
        while (j < fmt.size() && std::strchr("hlLqjzt", fmt[j])) ++j;
        if (j >= fmt.size()) {
            out.append(fmt, i, std::string::npos);
            break;
        }
        const char conv = fmt[j];
        const MessageArg* arg = next < args.size() ? &args[next] : nullptr;
        switch (conv) {
            case 'd':
            case 'i':
                if (arg) out += cformat((conversion + "lld").c_str(), static_cast<long long>(argAsInt(*arg)));
                ++next;
                break;
            case 'u':
            case 'x':
            case 'X':
            case 'o':
                if (arg)
                    out += cformat((conversion + "ll" + conv).c_str(),
                                   static_cast<unsigned long long>(argAsInt(*arg)));
                ++next;
                break;
            case 'c':
                if (arg) out.push_back(static_cast<char>(argAsInt(*arg)));
                ++next;
                break;
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
                if (arg) out += cformat((conversion + conv).c_str(), argAsDouble(*arg));
                ++next;
                break;
            case 's':
            case 'S':
                if (arg) out += cformat((conversion + "s").c_str(), argAsText(*arg).c_str());
                ++next;
                break;
            default:
                out.append(fmt, i, j - i + 1);
                break;
        }
        i = j;
    }
    return out;
}

std::string Message::text(const StringTable& table) const { return formatWithArgs(table.text(id), args); }

}  // namespace phonotab
