// A failure or notice as it travels from the core to the interface: the number
// of a text in the string table and the values for its printf-style fields.
// The front end renders it in the current language (the desktop in a message
// box titled "Phonotab", the batch tool on stderr).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "core/base/MessageIds.h"
#include "core/base/StringTable.h"

namespace phonotab {

using MessageArg = std::variant<std::int64_t, double, std::string>;

struct Message {
    int id = 0;
    std::vector<MessageArg> args;

    Message() = default;
    explicit Message(int id_) : id(id_) {}
    template <typename... Args>
    Message(int id_, Args&&... a) : id(id_) {
        (args.push_back(toArg(std::forward<Args>(a))), ...);
    }

    Severity severity() const { return severityOf(id); }
    std::string text(const StringTable& table) const;
    std::string text() const { return text(currentStrings()); }
    bool operator==(const Message& o) const { return id == o.id && args == o.args; }

private:
    static MessageArg toArg(const std::string& s) { return s; }
    static MessageArg toArg(std::string&& s) { return std::move(s); }
    static MessageArg toArg(const char* s) { return std::string(s); }
    static MessageArg toArg(std::string_view s) { return std::string(s); }
    static MessageArg toArg(double d) { return d; }
    static MessageArg toArg(float d) { return static_cast<double>(d); }
    template <typename I>
    static MessageArg toArg(I i)
        requires std::is_integral_v<I>
    {
        return static_cast<std::int64_t>(i);
    }
};

// Substitutes printf-style fields of fmt with args in order, converting each
// argument to what its field asks for; surplus fields print nothing. Never
// undefined behaviour, whatever the table's texts hold.
std::string formatWithArgs(const std::string& fmt, const std::vector<MessageArg>& args);

}  // namespace phonotab
