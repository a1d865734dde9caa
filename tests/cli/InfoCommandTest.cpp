#include <gtest/gtest.h>

#include "DemoData.h"
#include "TestSupport.h"

using namespace phonotab;
using namespace phonotab::testing;


TEST(CliInfo, PrintsTheFactsOfADemoFileAsJson) {
    ScratchDir dir;
    ASSERT_TRUE(writeBytes(dir.file("m.bin"), fixtures::makeSlmFile(demoSource(), {2024, 5, 20, 9, 0, 0}, 5, 1)));
    const CliRun r = runCli("info " + dir.file("m.bin"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\"kind\": \"plain\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"typeCode\": 60101"), std::string::npos);
    EXPECT_NE(r.out.find("\"instrumentName\": \"Шумомер SLM-101\""), std::string::npos);
    EXPECT_NE(r.out.find("\"timeStep\": 1.0"), std::string::npos);
    EXPECT_NE(r.out.find("\"start\": \"2024-05-20 09:00:00\""), std::string::npos);
    EXPECT_NE(r.out.find("\"workMode\": 2"), std::string::npos);

    const CliRun en = runCli("--lang English info " + dir.file("m.bin"));
    EXPECT_NE(en.out.find("Sound level meter SLM-101"), std::string::npos) << en.out;
}

TEST(CliInfo, StationsAreReadAsSamplesUnlessAsked) {
    ScratchDir dir;
    ASSERT_TRUE(writeBytes(dir.file("s.bin"),
                           fixtures::makeStationFile(demoSource(), {2024, 5, 19, 0, 0, 0}, 20, 10, 1)));
    CliRun r = runCli("info " + dir.file("s.bin"));
    EXPECT_NE(r.out.find("\"workMode\": 0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"count\": 20"), std::string::npos);
    r = runCli("info " + dir.file("s.bin") + " --mode histograms");
    EXPECT_NE(r.out.find("\"count\": 2"), std::string::npos) << r.out;
}

TEST(CliInfo, RefusalsAndUsageErrors) {
    ScratchDir dir;
    ASSERT_TRUE(writeBytes(dir.file("empty.bin"), {}));
    CliRun r = runCli("info " + dir.file("empty.bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Файл пустой"), std::string::npos) << r.out;
    r = runCli("info " + dir.file("missing.bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Не могу открыть файл"), std::string::npos);
    r = runCli("--teledesc " + dir.file("none.bin") + " info " + dir.file("empty.bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Ошибка: не найден конфигурационный файл описания телеметрии"), std::string::npos);
    EXPECT_EQ(runCli("info").status, 2);
    EXPECT_EQ(runCli("info x --mode sideways").status, 2);
    EXPECT_EQ(runCli("--lang Klingon info x").status, 2);
    EXPECT_EQ(runCli("frobnicate").status, 2);
}

TEST(CliLanguage, TheLocaleChoosesTheLanguageUnlessOneIsNamed) {
    ScratchDir dir;
    ASSERT_TRUE(writeBytes(dir.file("m.bin"), fixtures::makeSlmFile(demoSource(), {2024, 5, 20, 9, 0, 0}, 5, 1)));
    ASSERT_TRUE(writeBytes(dir.file("empty.bin"), {}));
    struct Case {
        std::string locale, options, instrument, refusal;
    };
    const Case cases[] = {
        {"ru_RU.UTF-8", "", "Шумомер SLM-101", "Файл пустой"},
        {"C.UTF-8", "", "Шумомер SLM-101", "Файл пустой"},  // no locale: the program's own language
        {"en_US.UTF-8", "", "Sound level meter SLM-101", "The file is empty"},
        {"de_DE.UTF-8", "", "Sound level meter SLM-101", "The file is empty"},
        {"en_US.UTF-8", "--lang Русский ", "Шумомер SLM-101", "Файл пустой"},  // --lang wins
        {"ru_RU.UTF-8", "--lang English ", "Sound level meter SLM-101", "The file is empty"},
    };
    for (const Case& c : cases) {
        const CliRun info = runCliInLocale(c.locale, c.options + "info " + dir.file("m.bin"));
        EXPECT_EQ(info.status, 0) << c.locale << ": " << info.out;
        EXPECT_NE(info.out.find("\"instrumentName\": \"" + c.instrument + "\""), std::string::npos)
            << c.locale << " " << c.options << ": " << info.out;
        const CliRun refused = runCliInLocale(c.locale, c.options + "info " + dir.file("empty.bin"));
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.out.find(c.refusal), std::string::npos) << c.locale << " " << c.options << ": " << refused.out;
    }
    // LC_ALL and LC_MESSAGES come before LANG.
    EXPECT_NE(runCli("info " + dir.file("empty.bin")).out.find("Файл пустой"), std::string::npos);
    const CliRun messages = runCliInLocale("ru_RU.UTF-8 LC_MESSAGES=en_GB.UTF-8", "info " + dir.file("empty.bin"));
    EXPECT_NE(messages.out.find("The file is empty"), std::string::npos) << messages.out;
}

TEST(CliLanguage, VersionIsPrinted) {
    const CliRun r = runCli("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "phonotab-cli 2.6\n");
}
