#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

void put(const std::string& path, const std::string& text) {
    ASSERT_TRUE(writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end())));
}

const char* const kRefMap =
    "NAME: Нормы\n"
    "45 Ночь\n"
    "55 День\n"
    "NAME: Src\n"
    "85 Допустимый уровень\n"
    "DEVICE: Шумомер SLM-101\n"
    "NORM: СН 2.2.4\n";

}  // namespace

TEST(CliRefbook, ShowPrintsBooksDevicesAndNorms) {
    ScratchDir dir;
    put(dir.file("RefMap.txt"), kRefMap);
    const CliRun r = runCli("refbook show " + dir.file("RefMap.txt"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "{\n \"books\": {\n  \"Src\": [\n   [\n    85.0,\n    \"Допустимый уровень\"\n   ]\n  ],\n"
              "  \"Нормы\": [\n   [\n    45.0,\n    \"Ночь\"\n   ],\n   [\n    55.0,\n    \"День\"\n   ]\n  ]\n },\n"
              " \"devices\": [\n  \"Шумомер SLM-101\"\n ],\n \"norms\": [\n  \"СН 2.2.4\"\n ]\n}\n");
}

TEST(CliRefbook, SaveWritesTheFileBack) {
    ScratchDir dir;
    put(dir.file("RefMap.txt"), kRefMap);
    CliRun r = runCli("refbook save " + dir.file("RefMap.txt") + " -o " + dir.file("out.txt"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(readText(dir.file("out.txt")),
              "NAME: Src\n85 Допустимый уровень\nNAME: Нормы\n45 Ночь\n55 День\nDEVICE: Шумомер SLM-101\nNORM: СН 2.2.4\n");
}

TEST(CliRefbook, ErrorsNameTheLine) {
    ScratchDir dir;
    put(dir.file("RefMap.txt"), "NAME: a\n1 x\n\n");
    CliRun r = runCli("refbook save " + dir.file("RefMap.txt") + " -o " + dir.file("out.txt"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Ошибка в файле справочников на строчке 3\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.txt")));
    r = runCli("refbook show " + dir.file("none.txt"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Не могу открыть файл"), std::string::npos);
    r = runCli("--lang English refbook show " + dir.file("RefMap.txt"));
    EXPECT_EQ(r.out, "Error in the reference book file on line 3\n");
}
