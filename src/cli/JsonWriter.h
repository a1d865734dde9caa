// A small streaming JSON writer for the batch tool's reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace phonotab::cli {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view k);
    JsonWriter& value(std::string_view s);
    JsonWriter& value(const char* s) { return value(std::string_view(s)); }
    JsonWriter& value(const std::string& s) { return value(std::string_view(s)); }
    JsonWriter& value(double d);
    JsonWriter& value(std::int64_t i);
    JsonWriter& value(int i) { return value(static_cast<std::int64_t>(i)); }
    JsonWriter& value(unsigned i) { return value(static_cast<std::int64_t>(i)); }
    JsonWriter& value(std::uint64_t i) { return value(static_cast<std::int64_t>(i)); }
    JsonWriter& value(bool b);
    JsonWriter& null();
    template <typename T>
    JsonWriter& field(std::string_view k, const T& v) {
        key(k);
        return value(v);
    }
    const std::string& str() const { return out_; }
    // Room for a report of about that many bytes, so that a large one is not copied as it grows.
    void reserve(std::size_t bytes) { out_.reserve(bytes); }

private:
    void separate();
    void indent();

    std::string out_;
    std::vector<bool> first_;  // per open container: no element written yet
    bool afterKey_ = false;
};

std::string jsonEscape(std::string_view s);

}  // namespace phonotab::cli
