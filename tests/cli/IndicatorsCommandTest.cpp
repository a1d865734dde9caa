#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "DemoData.h"
#include "TestSupport.h"
#include "core/base/CFormat.h"
#include "core/measurement/MeasurementFile.h"
#include "core/measurement/SeriesReader.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// Just enough JSON to read the batch tool's report back.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    // An object's fields: keys[i] names values[i] (a vector of pairs would need
    // Json complete inside its own definition).
    std::vector<std::string> keys;
    std::vector<Json> values;

    const Json& operator[](const std::string& key) const {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] == key) return values[i];
        static const Json none;
        ADD_FAILURE() << "no field " << key;
        return none;
    }
    const Json& operator[](std::size_t i) const { return items.at(i); }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& s) : s_(s) {}
    Json read() {
        skip();
        Json v;
        const char c = s_.at(at_);
        if (c == '{') {
            v.kind = Json::Object;
            ++at_;
            for (skip(); s_.at(at_) != '}'; skip()) {
                std::string key = readString();
                skip();
                ++at_;  // ':'
                v.keys.push_back(std::move(key));
                v.values.push_back(read());
                skip();
                if (s_.at(at_) == ',') ++at_;
            }
            ++at_;
        } else if (c == '[') {
            v.kind = Json::Array;
            ++at_;
            for (skip(); s_.at(at_) != ']'; skip()) {
                v.items.push_back(read());
                skip();
                if (s_.at(at_) == ',') ++at_;
            }
            ++at_;
        } else if (c == '"') {
            v.kind = Json::String;
            v.text = readString();
        } else if (s_.compare(at_, 4, "null") == 0) {
            at_ += 4;
        } else if (s_.compare(at_, 4, "true") == 0 || s_.compare(at_, 5, "false") == 0) {
            v.kind = Json::Bool;
            v.number = s_[at_] == 't';
            at_ += s_[at_] == 't' ? 4 : 5;
        } else {
            v.kind = Json::Number;
            char* end = nullptr;
            v.number = std::strtod(s_.c_str() + at_, &end);
            at_ = static_cast<std::size_t>(end - s_.c_str());
        }
        return v;
    }

private:
    void skip() {
        while (at_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[at_]))) ++at_;
    }
    std::string readString() {
        std::string out;
        for (++at_; s_.at(at_) != '"'; ++at_) {
            if (s_[at_] == '\\') ++at_;
            out += s_[at_];
        }
        ++at_;
        return out;
    }
    const std::string& s_;
    std::size_t at_ = 0;
};

double level(double energy, double count) { return 10.0 * std::log10(energy / count); }

}  // namespace

// A week of one-minute levels from Monday 00:00 with a one-hour exclusion zone
// on Tuesday: the report against the same figures computed here sample by
// sample with the "eu" periods (day 07–19, evening 19–23 +5 dB, night 23–07 +10 dB).
TEST(CliIndicators, AWeekAgainstAPlainLoop) {
    ScratchDir dir;
    const std::string data = dir.file("week.cbf");
    const CalendarTime start{2024, 6, 3, 0, 0, 0};
    constexpr int kMinutes = 7 * 24 * 60;
    ASSERT_TRUE(writeBytes(data, fixtures::makeLoggerCbf(start, kMinutes, 60, 7)));
    const double excludeFrom = 86400 + 3600, excludeTo = 86400 + 7200;
    const std::string options = " --param 0x01300000 --scheme eu --events 60:120:300 --exclude " +
                                formatLg(excludeFrom) + ":" + formatLg(excludeTo);
    CliRun r = runCli("indicators " + data + options + " -o " + dir.file("week.json"));
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = readText(dir.file("week.json"));
    const Json report = JsonReader(text).read();

    // The levels as the file holds them.
    Result<MeasurementFile> file = LoadMeasurementFile(data, FileWorkMode::Records, demoDesc());
    ASSERT_TRUE(file);
    const FieldCode code = 0x01300000;
    Result<std::vector<Series>> series = ExtractSeries(*file, std::span<const FieldCode>(&code, 1), 0, file->count);
    ASSERT_TRUE(series);
    const Series& levels = (*series)[0];
    ASSERT_EQ(levels.size(), static_cast<std::size_t>(kMinutes));

    // Per date and period: energy and count; the whole range; runs of loud minutes.
    struct Sums {
        double energy = 0, count = 0;
    };
    std::map<std::pair<std::string, std::string>, Sums> periods;
    Sums whole;
    double penalised = 0;
    std::vector<std::pair<int, int>> runs;  // loud minutes [first, last]
    for (int i = 0; i < kMinutes; ++i) {
        const double seconds = 60.0 * i;
        if (seconds >= excludeFrom && seconds <= excludeTo) continue;
        const int hour = i / 60 % 24;
        int day = i / 1440;
        std::string name = "day";
        double penalty = 0;
        if (hour >= 19 && hour < 23) name = "evening", penalty = 5;
        if (hour >= 23 || hour < 7) name = "night", penalty = 10;
        if (hour < 7) --day;
        const std::string date = cformat("2024-06-%02d", 3 + day);
        const double e = std::pow(10.0, levels[static_cast<std::size_t>(i)] / 10.0);
        periods[{date, name}].energy += e;
        periods[{date, name}].count += 1;
        whole.energy += e;
        whole.count += 1;
        penalised += e * std::pow(10.0, penalty / 10.0);
        if (levels[static_cast<std::size_t>(i)] >= 60.0) {
            if (!runs.empty() && runs.back().second == i - 1)
                runs.back().second = i;
            else
                runs.push_back({i, i});
        }
    }

    const Json& rows = report["periods"];
    ASSERT_EQ(rows.items.size(), periods.size());  // the night before Monday 07:00 is the first row
    for (const Json& row : rows.items) {
        const auto it = periods.find({row["date"].text, row["period"].text});
        ASSERT_NE(it, periods.end()) << row["date"].text << " " << row["period"].text;
        EXPECT_NEAR(row["leq"].number, level(it->second.energy, it->second.count), 1e-9);
        EXPECT_NEAR(row["measuredSeconds"].number, it->second.count * 60.0, 1e-6);
        EXPECT_NEAR(row["coverage"].number, it->second.count * 60.0 / row["nominalSeconds"].number, 1e-12);
    }
    // Lden of each full day, from its period levels; none for the Sunday night before the record.
    const Json& days = report["days"];
    ASSERT_EQ(days.items.size(), 8u);
    EXPECT_EQ(days[0]["dayEveningNight"].kind, Json::Null);
    for (std::size_t d = 1; d < 8; ++d) {  // the last night is measured for its first hour only
        const std::string date = days[d]["date"].text;
        auto leq = [&](const char* p) { return level(periods[{date, p}].energy, periods[{date, p}].count); };
        const double lden = 10.0 * std::log10((12 * std::pow(10.0, leq("day") / 10.0) +
                                               4 * std::pow(10.0, (leq("evening") + 5) / 10.0) +
                                               8 * std::pow(10.0, (leq("night") + 10) / 10.0)) / 24.0);
        EXPECT_NEAR(days[d]["dayEveningNight"].number, lden, 1e-9) << date;
    }
    EXPECT_NEAR(report["penalisedLevel"].number, level(penalised, whole.count), 1e-9);
    EXPECT_NEAR(report["whole"]["leq"].number, level(whole.energy, whole.count), 1e-9);
    // LEX,8h over the work range's duration: a week.
    EXPECT_NEAR(report["exposure"]["lex8h"].number,
                level(whole.energy, whole.count) + 10.0 * std::log10(kMinutes * 60.0 / 28800.0), 1e-9);

    // Events: runs less than 300 s apart merged, those shorter than 120 s dropped.
    std::vector<std::pair<int, int>> merged;
    for (const auto& run : runs) {
        if (!merged.empty() && (run.first - merged.back().second - 1) * 60.0 < 300.0)
            merged.back().second = run.second;
        else
            merged.push_back(run);
    }
    std::erase_if(merged, [](const std::pair<int, int>& e) { return (e.second - e.first + 1) * 60.0 < 120.0; });
    const Json& events = report["events"]["list"];
    ASSERT_EQ(events.items.size(), merged.size());
    ASSERT_FALSE(merged.empty());
    for (std::size_t k = 0; k < merged.size(); ++k) {
        const double startSeconds = merged[k].first * 60.0;
        EXPECT_EQ(events[k]["start"].text, formatIso(fromCivilSeconds(toCivilSeconds(start) + static_cast<std::int64_t>(startSeconds))));
        EXPECT_NEAR(events[k]["duration"].number, (merged[k].second - merged[k].first + 1) * 60.0, 1e-9);
    }

    // The same report as CSV and as text: levels with one decimal.
    r = runCli("indicators " + data + options + " -o " + dir.file("week.csv"));
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string csv = readText(dir.file("week.csv"));
    EXPECT_NE(csv.find(cformat(";%.1f;", days[1]["dayEveningNight"].number)), std::string::npos) << csv.substr(0, 400);
    EXPECT_NE(csv.find("Lden, дБ"), std::string::npos);
    r = runCli("--lang English indicators " + data + options + " -o " + dir.file("week.txt"));
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string summary = readText(dir.file("week.txt"));
    EXPECT_NE(summary.find(cformat("LEX,8h %.1f dB", report["exposure"]["lex8h"].number)), std::string::npos) << summary;
    EXPECT_NE(summary.find("evening"), std::string::npos);
}

TEST(CliIndicators, UsageErrorsAndRefusals) {
    ScratchDir dir;
    const std::string data = dir.file("d.cbf");
    ASSERT_TRUE(writeBytes(data, fixtures::makeLoggerCbf({2024, 6, 3, 0, 0, 0}, 120, 60, 7)));
    const std::string base = "indicators " + data + " --param 0x01300000 ";
    for (const char* bad : {"-o x.pdf", "-o x.json --events 60", "-o x.json --events 60:a", "-o x.json --param zz",
                            "-o x.json --exclude 1", "-o x.json --range 5", "-o x.json --classes 1:2"}) {
        const CliRun r = runCli(base + bad);
        EXPECT_EQ(r.status, 2) << bad << ": " << r.out;
    }
    std::string scheme = dir.file("scheme.txt");
    ASSERT_TRUE(writeBytes(scheme, {'d', 'a', 'y', ' ', '2', '5', ':', '0', '0', ' ', '0', '\n'}));
    struct Refusal {
        std::string options, text;
    };
    const Refusal refusals[] = {
        {"--scheme " + scheme, "строка 1: время '25:00'"},
        {"--scheme " + dir.file("none.txt"), "Не могу открыть файл"},
        {"--te 0", "Te"},
        {"--events 60:-1", "События"},
    };
    for (const Refusal& f : refusals) {
        const CliRun r = runCli(base + f.options + " -o " + dir.file("x.json"));
        EXPECT_EQ(r.status, 1) << f.options;
        EXPECT_NE(r.out.find(f.text), std::string::npos) << r.out;
        EXPECT_FALSE(std::filesystem::exists(dir.file("x.json")));
    }
    // A user's scheme that starts its day at 06:30.
    ASSERT_TRUE(writeBytes(scheme, {'w', ' ', '0', '6', ':', '3', '0', ' ', '0', '\n', 'r', ' ', '1', '8', ':', '0', '0', ' ', '3', '\n'}));
    const CliRun r = runCli(base + "--scheme " + scheme + " -o " + dir.file("u.json"));
    ASSERT_EQ(r.status, 0) << r.out;
    const Json report = JsonReader(readText(dir.file("u.json"))).read();
    EXPECT_EQ(report["periods"][0]["begin"].text, "2024-06-02 18:00:00");
    EXPECT_EQ(report["periods"][0]["period"].text, "r");
}
