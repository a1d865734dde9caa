#include <gtest/gtest.h>

#include "DemoData.h"
#include "InstrumentFiles.h"
#include "TestSupport.h"
#include "core/measurement/RecordDump.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

std::string run(const std::function<Status(std::FILE*)>& write, Status* status = nullptr) {
    std::FILE* f = std::tmpfile();
    const Status s = write(f);
    if (status) *status = s;
    std::fflush(f);
    std::rewind(f);
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
    return out;
}

std::string occurrence(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return std::to_string(count);
}

}  // namespace

TEST(RecordDump, OneChannelFileRecordsRangeAndPercentiles) {
    ScratchDir dir;
    auto bytes = fixtures::makeSlmFile(demoSource(), {2023, 3, 14, 9, 30, 15}, 2, 1);
    bytes.resize(bytes.size() + 50, 0xAB);  // trailing bytes make no record
    writeBytes(dir.file("m.bin"), bytes);
    const std::string text = run([&](std::FILE* f) { return DumpRecordFiles({dir.file("m.bin")}, f, demoDesc(), TextEncoding::Utf8); });
    EXPECT_EQ(text.rfind("\nЗапись; 1;\nVIN:; 00A1B201;\nДата:; 14/03/2023;\n", 0), 0u) << text;
    EXPECT_EQ(occurrence(text, "\nЗапись; "), "2");
    EXPECT_NE(text.find("Время:; 09:30:16;\nПродолжительность:; 0:00:01;\nДиапазон:; 2;\nКомментарий:; STREET    ;\n\n"
                        "Шумомер SLM-101;\n\nпереполнения нет; коэфф. калибровки: -0.30;\nОктавы;\n;31,5 Гц;63 Гц;"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nСуммарные;\n;A;C;Lin;\nЭкв;"), std::string::npos);
    EXPECT_NE(text.find("процентили;\n;L1;L10;L50;L90;L99;\nБыстро, A;"), std::string::npos) << text;
}

TEST(RecordDump, SeveralChannelsAreCaptionedAndHaveNoRangeLine) {
    ScratchDir dir;
    writeBytes(dir.file("v.bin"), fixtures::makeVibrationFile(demoSource(), {2024, 5, 22, 8, 0, 0}, 1, 4));
    const std::string text = run([&](std::FILE* f) { return DumpRecordFiles({dir.file("v.bin")}, f, demoDesc(), TextEncoding::Utf8); });
    EXPECT_EQ(text.find("Диапазон"), std::string::npos);
    EXPECT_NE(text.find("\nканал 1; переполнения нет; коэфф. калибровки: 0.00;\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nканал 4; "), std::string::npos);
    EXPECT_NE(text.find("Комментарий:; Пол цеха, точка 1;"), std::string::npos);
    EXPECT_NE(text.find("Продолжительность:; 0:01:00;"), std::string::npos);
}

TEST(RecordDump, UnknownTypesAndUnreadableFiles) {
    ScratchDir dir;
    writeBytes(dir.file("ok.bin"), fixtures::makeSlmFile(demoSource(), {2023, 1, 1, 0, 0, 0}, 1, 1));
    std::vector<std::uint8_t> unknown(64, 0);
    unknown[18] = 99;
    writeBytes(dir.file("unknown.bin"), unknown);
    Status s;
    const std::string text = run(
        [&](std::FILE* f) { return DumpRecordFiles({dir.file("ok.bin"), dir.file("unknown.bin")}, f, demoDesc(), TextEncoding::Utf8); }, &s);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().id, 436);
    EXPECT_NE(text.find("Запись; 1;"), std::string::npos);  // what was written stays
    run([&](std::FILE* f) { return DumpRecordFiles({dir.file("none.bin")}, f, demoDesc(), TextEncoding::Utf8); }, &s);
    EXPECT_EQ(s.error().id, 105);
}

TEST(Summary, ColumnsFlagsAndTypeCheck) {
    ScratchDir dir;
    writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2023, 3, 14, 9, 30, 15}, 2, 1));
    writeBytes(dir.file("b.bin"), fixtures::makeSlmFile(demoSource(), {2023, 3, 15, 9, 30, 15}, 1, 2));
    const std::vector<SummaryColumn> cols = {{0x00000100, "LAF"}, {0x00000002, "Экв"}, {0x00000105, "bad family"}};
    SummaryOptions o;
    o.band = 0;
    o.includeTime = false;
    o.includeVin = false;
    const std::string text = run([&](std::FILE* f) {
        return WriteSummary({dir.file("a.bin"), dir.file("b.bin")}, cols, o, f, demoDesc(), TextEncoding::Utf8);
    });
    const auto lines = [&] {
        std::vector<std::string> v;
        std::size_t at = 0;
        for (std::size_t nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1) v.push_back(text.substr(at, nl - at));
        return v;
    }();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Имя файла; Дата; Продолжительность; LAF; Экв; bad family; ");
    EXPECT_EQ(lines[3].substr(0, 26), "b.bin; 15/03/2023; 0:00:01");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 6), "0.00; ");  // family index 5: 0.00

    o.frequencyAsNumber = true;
    o.band = 2;
    const std::string freq = run([&](std::FILE* f) {
        return WriteSummary({dir.file("a.bin")}, cols, o, f, demoDesc(), TextEncoding::Utf8);
    });
    EXPECT_EQ(freq.substr(0, freq.find('\n')), "Имя файла; Дата; Продолжительность; 125 Гц; Lin; ; ");

    writeBytes(dir.file("v.bin"), fixtures::makeVibrationFile(demoSource(), {2024, 5, 22, 8, 0, 0}, 1, 4));
    Status s;
    const std::string none = run(
        [&](std::FILE* f) { return WriteSummary({dir.file("a.bin"), dir.file("v.bin")}, cols, o, f, demoDesc(), TextEncoding::Utf8); }, &s);
    EXPECT_EQ(s.error().id, 391);
    EXPECT_EQ(s.error().text(), "Разные типы файлов: Шумомер SLM-101 и Виброметр VM-21");
    EXPECT_TRUE(none.empty());
}

TEST(Summary, UnknownDurationIsWrittenAsTheFormatsGiveIt) {
    ScratchDir dir;
    // The station's layout has no duration field: −1, unknown.
    const auto& type = demoType(51);
    fixtures::RecordBuilder r(type.codes, type.effectiveRecordSize());
    r.setRaw(0x201B0000, 51);
    r.setRaw(0x701D0000, 0x20001);
    r.setRaw(0x50080000, 0xFFFFFFFF);
    writeBytes(dir.file("d.bin"), r.bytes());
    SummaryOptions o;
    const std::string text = run([&](std::FILE* f) {
        return WriteSummary({dir.file("d.bin")}, {{0, "x"}}, o, f, demoDesc(), TextEncoding::Utf8);
    });
    EXPECT_NE(text.find("; 0:00:-1; "), std::string::npos) << text;
}
