#include <gtest/gtest.h>

#include <cmath>

#include "DemoData.h"
#include "TestSupport.h"
#include "core/acoustics/DistributionHistogram.h"
#include "core/acoustics/ParameterChooser.h"
#include "core/acoustics/ParameterName.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {
struct Named {
    RecordLayout layout;
    MeasurementRecord header;
    NamingContext ctx() const { return {&demoDesc(), &layout, &header}; }
};
Named named(std::uint32_t type) {
    Named n;
    n.layout = *BuildLayout(demoDesc(), type);
    n.layout.sizeRecord(n.header);
    return n;
}
}  // namespace

TEST(ParameterName, BothFormsWithChannelsBandsAndDerivedCodes) {
    const Named slm = named(fixtures::kSlmType);
    ParameterNames n = ParameterName(0x01300100, slm.ctx());
    EXPECT_EQ(n.name, "A_Быстро");
    EXPECT_EQ(n.fullName, "A, Быстро");
    EXPECT_EQ(n.bandText, "A");
    EXPECT_EQ(ParameterName(0x01100003, slm.ctx()).fullName, "250 Гц, Экв");

    const Named vib = named(fixtures::kVibrationType);
    n = ParameterName(0x01120005, vib.ctx());
    EXPECT_EQ(n.name, "кан.3_31,5 Гц_СКЗ");
    EXPECT_EQ(n.fullName, "канал 3, 31,5 Гц, СКЗ");

    // A band on the record's frequency axis carries its frequency and "Гц".
    Named axis = slm;
    axis.header.frequencyAxes[0] = {31.5, 1250.0};
    EXPECT_EQ(ParameterName(0x01100001, axis.ctx()).bandText, "1.25k Гц");

    // Derived codes: the p-th measured code of channel c, with a prefix.
    EXPECT_EQ(ParameterName(0x20260000, slm.ctx()).name, "Гистогр. 31,5 Гц_Экв");
    EXPECT_EQ(ParameterName(0x00270001, slm.ctx()).fullName, "Синт. Leq 63 Гц, Экв");
    // Instrument percentiles: the label stored for the index.
    axis.header.channels[0].statistics[0].points[2].label = "L50";
    EXPECT_EQ(ParameterName(0x00170002, axis.ctx()).name, "L50");
}

TEST(ParameterKind, CodesTheCalculationTellsApart) {
    EXPECT_EQ(parameterKind(0x01310205), ParameterKind::MeasuredLevel);
    EXPECT_EQ(field::family(0x01310205), 3u);
    EXPECT_EQ(field::channel(0x01310205), 1u);
    EXPECT_EQ(parameterKind(0x00171003), ParameterKind::InstrumentPercentile);
    EXPECT_EQ(parameterKind(0x20260001), ParameterKind::StoredHistogram);
    EXPECT_EQ(histogramStream(0x20260001), 1);
    EXPECT_EQ(parameterKind(0x00270005), ParameterKind::SynthesizedLeq);
    EXPECT_EQ(histogramStream(0x00270005), 1);
    EXPECT_EQ(histogramStream(0x00270000), 0);
}

TEST(ParameterChooser, ModesBandsAllAndSubEntries) {
    const Named slm = named(fixtures::kSlmType);
    ParameterChooser chooser(slm.ctx(), false);
    EXPECT_EQ(ParameterChooser::prefix(3, 0), 0x01300000u);
    EXPECT_EQ(ParameterChooser::prefix(5, 0x5012), 0x51220000u);

    // Type captions: the family's title; types 4 to 6 their own title, else the
    // family's marked as 16-bit decibels; a type without titles by its number.
    RecordLayout titled = slm.layout;
    titled.titles[4] = "Третьоктавы, второй набор";
    RecordLayout untitled = slm.layout;
    untitled.titles = {};
    const struct {
        const RecordLayout* layout;
        int type;
        const char* caption;
    } captions[] = {{&slm.layout, 1, "Октавы"}, {&slm.layout, 4, "Октавы (дБ, 16 бит)"},
                    {&titled, 5, "Третьоктавы, второй набор"}, {&titled, 6, "Суммарные (дБ, 16 бит)"},
                    {&untitled, 5, "5"}};
    for (const auto& c : captions) EXPECT_EQ(ParameterChooser::typeCaption(*c.layout, c.type), c.caption) << c.type;
    EXPECT_EQ(chooser.modes(3, 0), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(chooser.modes(1, 0), (std::vector<int>{0, 1}));
    const auto bands = chooser.bands(1, 0, 1);
    ASSERT_EQ(bands.size(), 10u);
    EXPECT_EQ(bands[0].text, "31,5 Гц");
    EXPECT_EQ(bands[9].text, "16 кГц");
    const auto all = chooser.bands(1, 0, 1, true);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].text, "31,5 Гц - 16 кГц");
    const ParameterEntry e = ParameterChooser::build(all[0], all[0].count);
    EXPECT_EQ(e.code, 0x01100100u);
    ASSERT_EQ(e.subEntries.size(), 9u);
    EXPECT_EQ(e.subEntries[8].code, 0x01100109u);
    EXPECT_TRUE(e.displayName.empty());

    // Stored 32-bit values are offered under the 16-bit code of types 1 to 3.
    const Named vib = named(fixtures::kVibrationType);
    EXPECT_EQ(ParameterChooser(vib.ctx(), false).bands(3, 2, 0x10).front().code, 0x01321000u);

    ParameterChooser histo(slm.ctx(), true);
    const auto items = histo.bands(3, 0, 1);
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[3].text, "гистогр. A");
    EXPECT_EQ(items[4].text, "Синт. Leq по гистогр. A");
    EXPECT_EQ(parameterKind(items[3].code), ParameterKind::StoredHistogram);
    EXPECT_TRUE(ParameterChooser(slm.ctx(), false).bands(2, 3, 0).empty());  // no such channel
}

TEST(DistributionHistogram, HalfDecibelClassesOverSeveralFiles) {
    ScratchDir dir;
    const auto file = fixtures::makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 200, 4);
    writeBytes(dir.file("a.bin"), file);
    writeBytes(dir.file("b.bin"), file);
    auto r = DistributionHistogram({dir.file("a.bin"), dir.file("b.bin")}, 0, 99, 0x01300100, {0.05, 0.5, 0.95},
                                   demoDesc());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->records, 200);
    ASSERT_EQ(r->levels.size(), 3u);
    EXPECT_EQ(r->levels[0].first, 0.95);
    EXPECT_LE(r->levels[0].second, r->levels[2].second);  // L95 at or below L5
    EXPECT_GE(r->levels[0].second, std::floor(r->minimum * 2) / 2);
    EXPECT_EQ(DistributionHistogram({dir.file("a.bin")}, 500, 600, 0x01300100, {0.5}, demoDesc()).error().id, 392);
    EXPECT_EQ(DistributionHistogram({dir.file("none.bin")}, 0, 1, 0x01300100, {0.5}, demoDesc()).error().id, 105);
    Progress stopped;
    stopped.cancel();
    EXPECT_EQ(DistributionHistogram({dir.file("a.bin")}, 0, 99, 0x01300100, {0.5}, demoDesc(), stopped).error().id,
              msg::Cancelled);
}

// Every record at 60.25 dB: all of them fall into the class [60, 60.5), and
// every percentile, the full fraction included, is that class's upper edge.
TEST(DistributionHistogram, RecordsAllAtOneLevel) {
    ScratchDir dir;
    std::vector<std::uint8_t> file = fixtures::makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 40, 4);
    const TeleTypeEntry& type = *demoDesc().type(fixtures::kSlmType);
    const int offset = fieldOffsetIn(type.codes, 0x01300100);
    ASSERT_GE(offset, 0);
    const std::uint16_t raw = 60 * 256 + 64;
    for (std::size_t i = 0; i < 40; ++i) {
        file[i * type.recordSize + static_cast<std::size_t>(offset)] = raw & 0xFF;
        file[i * type.recordSize + static_cast<std::size_t>(offset) + 1] = raw >> 8;
    }
    ASSERT_TRUE(writeBytes(dir.file("flat.bin"), file));
    auto r = DistributionHistogram({dir.file("flat.bin")}, 0, 99, 0x01300100, {0.01, 0.5, 1.0}, demoDesc());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->records, 40);
    EXPECT_EQ(r->minimum, 60.25);
    EXPECT_EQ(r->maximum, 60.25);
    EXPECT_EQ(r->classes[121], 40);
    EXPECT_EQ(r->levels, (std::vector<std::pair<double, double>>{{1.0, 60.5}, {0.5, 60.5}, {0.01, 60.5}}));
}
