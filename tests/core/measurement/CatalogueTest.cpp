#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/measurement/Catalogue.h"
#include "core/measurement/LdlDump.h"

using namespace phonotab;
using phonotab::testing::demoDesc;

TEST(Catalogue, FrequencyCaptions) {
    struct Case {
        double hz;
        const char* text;
    } cases[] = {{31.5, "31.5"}, {999.4, "999.4"}, {999.6, "0.9996k"}, {1000, "1k"},
                 {12500, "12.5k"}, {999499, "999.499k"}, {999500, "0.9995m"}, {2.5e6, "2.5m"}};
    for (const auto& c : cases) EXPECT_EQ(frequencyCaption(c.hz), c.text) << c.hz;
}

TEST(Catalogue, BandCaptionsFromTheListOrTheFrequencyAxis) {
    const TeleDesc& d = demoDesc();
    Result<RecordLayout> l = BuildLayout(d, 60101);
    ASSERT_TRUE(l.ok());
    EXPECT_EQ(bandCaption(d, *l, nullptr, 1, 0, BandForm::List), "31,5 Гц");
    EXPECT_EQ(bandCaption(d, *l, nullptr, 1, 1, BandForm::List), "63 Гц");
    EXPECT_EQ(bandCaption(d, *l, nullptr, 2, 0, BandForm::List), "25 Гц");
    EXPECT_EQ(bandCaption(d, *l, nullptr, 3, 0, BandForm::List), "A");
    EXPECT_EQ(bandCaption(d, *l, nullptr, 1, 500, BandForm::List), "");  // beyond the list

    // A record whose axis has 2 points: bands 0 and 1 are named by number in
    // lists and by frequency in text; the others from the list.
    MeasurementRecord r;
    r.frequencyAxes[0] = {31.5, 1250.0};
    EXPECT_EQ(bandCaption(d, *l, &r, 1, 0, BandForm::List), "Частота 1");
    EXPECT_EQ(bandCaption(d, *l, &r, 1, 1, BandForm::List), "Частота 2");
    EXPECT_EQ(bandCaption(d, *l, &r, 1, 1, BandForm::Text), "1.25k");
    EXPECT_EQ(bandCaption(d, *l, &r, 1, 2, BandForm::List), "125 Гц");
}

TEST(Catalogue, NamesOfInstrumentsChannelsAndParameters) {
    const TeleDesc& d = demoDesc();
    EXPECT_EQ(instrumentName(d, 21), "Виброметр VM-21");
    EXPECT_EQ(instrumentName(d, 999), "");
    EXPECT_EQ(channelCaption(0, true), "канал 1");
    EXPECT_EQ(channelCaption(2, false), "кан.3");
    Result<RecordLayout> slm = BuildLayout(d, 60101);
    Result<RecordLayout> vib = BuildLayout(d, 21);
    ASSERT_TRUE(slm.ok() && vib.ok());
    EXPECT_EQ(familyCaption(*slm, 3), "Суммарные");
    EXPECT_EQ(detectorName(*slm, 4), "Пик");
    EXPECT_EQ(detectorName(*slm, 9), "");
    EXPECT_EQ(parameterCaption(0x01300100, d, *slm, nullptr), "Быстро, A");
    EXPECT_EQ(parameterCaption(0x01120005, d, *vib, nullptr), "канал 3, СКЗ, 31,5 Гц");
    EXPECT_EQ(parameterCaption(0x20260000, d, *slm, nullptr), "Гистогр.");
    EXPECT_EQ(parameterCaption(0x00270001, d, *slm, nullptr), "Синт. Leq");
}

TEST(LdlDump, ParsesRecordsHeadsAndBandLines) {
    const std::string text =
        "garbage line\n"
        "\"Dump of record # 3 , Type = 12 , Length = 400 , Name = Street\"\n"
        "\"\",\"\",\"note =\",\"by the road\"\n"
        "\"\",\"\",\"filter =\",\"1/3 octave\"\n"
        "\"\",\"\",\"detector =\",\"Fast\"\n"
        "\"\",\"\",\"detector time =\",0.125 s\n"
        "\"\",\"\",\"Frequency\",\"Channel 2\"\n"
        "\"\",\"\",\"31.5\",45.25\n"
        "\"\",\"\",\"63\", 50.5 \n"
        "\"\",\"\",\"125\",bad\n"
        "\"Dump of record # 4 , Type = 12 , Length = 400 , Name = Yard\"\n"
        "\"\",\"\",\"Frequency\",\"Channel 1\"\n"
        "\"\",\"\",\"A\",61\r\n";
    const auto recs = ParseLdlDump(text);
    ASSERT_EQ(recs.size(), 2u);
    EXPECT_EQ(recs[0].number, 3);
    EXPECT_EQ(recs[0].name, "Street\"");  // the name field runs to the next blank
    EXPECT_EQ(recs[0].caption, "Запись 3");
    EXPECT_EQ(recs[0].note, "by the road");
    EXPECT_EQ(recs[0].filter, "1/3 octave");
    EXPECT_EQ(recs[0].detector, "Fast");
    EXPECT_EQ(recs[0].detectorTime, "0.125 s");
    EXPECT_EQ(recs[0].channel, 2);
    ASSERT_EQ(recs[0].series.size(), 2u);
    EXPECT_EQ(recs[0].series[1].first, "63");
    EXPECT_EQ(recs[0].series[1].second, 50.5);
    EXPECT_EQ(recs[0].seriesName, "канал 1");
    ASSERT_EQ(recs[1].series.size(), 1u);
    EXPECT_EQ(recs[1].series[0].second, 61.0);
    EXPECT_TRUE(ParseLdlDump(std::string(10000, '"')).empty());
}

TEST(LdlDump, ConverterCommandRunsAndItsTextIsRemoved) {
    phonotab::testing::ScratchDir dir;
    const std::string out = dir.file("out22.txt");
    // A stand-in converter: writes one record to the output path.
    const std::string script = dir.file("conv.sh");
    {
        std::FILE* f = std::fopen(script.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("#!/bin/sh\nprintf '\"Dump of record # 1 , Type = 1 , Length = 1 , Name = X\\n"
                   "\"\",\"\",\"Frequency\",\"Channel 1\"\\n\"\",\"\",\"A\",70\\n' > \"$2\"\n",
                   f);
        std::fclose(f);
    }
    ASSERT_EQ(std::system(("chmod +x " + script).c_str()), 0);
    auto recs = ConvertLdlFile(dir.file("in.ldl"), script, out);
    ASSERT_TRUE(recs.ok()) << recs.error().text();
    ASSERT_EQ(recs->size(), 1u);
    EXPECT_EQ((*recs)[0].series[0].second, 70.0);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(ConvertLdlFile("x.ldl", dir.file("missing-converter"), out).error().id, 5005);
    EXPECT_EQ(ConvertLdlFile("x.ldl", "true", out).error().id, 312);
}
