#include "JsonWriter.h"

#include <charconv>
#include <cmath>

#include "core/base/CFormat.h"

namespace phonotab::cli {

std::string jsonEscape(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20)
                    out += cformat("\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                else
                    out.push_back(c);
        }
    }
    out.push_back('"');
    return out;
}

void JsonWriter::indent() {
    out_.push_back('\n');
    out_.append(first_.size(), ' ');
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_.push_back(',');
    first_.back() = false;
    indent();
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_.push_back('{');
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) indent();
    out_.push_back('}');
    if (first_.empty()) out_.push_back('\n');
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_.push_back('[');
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) indent();
    out_.push_back(']');
    if (first_.empty()) out_.push_back('\n');
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view k) {
    separate();
    out_ += jsonEscape(k);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view s) {
    separate();
    out_ += jsonEscape(s);
    return *this;
}

JsonWriter& JsonWriter::value(double d) {
    separate();
    if (!std::isfinite(d)) {
        out_ += "null";
        return *this;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d);
    std::string s(buf, res.ptr);
    // Keep doubles recognisable as such ("5.0", not "5").
    if (s.find_first_of(".eE") == std::string::npos) s += ".0";
    out_ += s;
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t i) {
    separate();
    out_ += std::to_string(i);
    return *this;
}

JsonWriter& JsonWriter::value(bool b) {
    separate();
    out_ += b ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ += "null";
    return *this;
}

}  // namespace phonotab::cli
