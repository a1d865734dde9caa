#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>

#include "DemoData.h"
#include "TestSupport.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> out;
    std::string f;
    std::istringstream in(line);
    while (std::getline(in, f, '\t')) out.push_back(f);
    return out;
}

}  // namespace

// A work range from sample 100 on and an exclusion zone over 120–130 s: the
// curve's samples 120 and 130 stand at the zone's band ends, as in the
// calculation, not shifted by the work range's start.
TEST(CliPlot, ZoneAndCurveShareTheTimeAxis) {
    ScratchDir dir;
    const std::string data = dir.file("street.bin");
    writeBytes(data, fixtures::makeSlmFile(demoSource(), {2024, 5, 20, 9, 0, 0}, 300, 1));
    const std::string out = dir.file("plot.txt");
    const CliRun r = runCli("plot " + data + " --param 0x01300100 --range 100:150 --exclude 120:130 --relative -o " +
                            out);
    ASSERT_EQ(r.status, 0) << r.out;
    std::istringstream text(readText(out));
    std::string line;
    std::getline(text, line);
    EXPECT_EQ(line, "street.bin");
    std::vector<std::vector<std::string>> samples;
    std::vector<std::string> zone;
    while (std::getline(text, line)) {
        auto f = fieldsOf(line);
        if (!f.empty() && f[0] == "zone") zone = f;
        else samples.push_back(f);
    }
    ASSERT_EQ(samples.size(), 300u);  // the whole record, sample k at k seconds
    for (std::size_t k : {0u, 100u, 120u, 130u, 299u}) EXPECT_EQ(samples[k][0], std::to_string(k));
    EXPECT_EQ(zone, (std::vector<std::string>{"zone", "exclusion", "120", "130"}));
    EXPECT_NE(samples[120][1], samples[121][1]);  // real levels, not the no-value mark

    // In minutes the same zone: 2 to 2.16667, sample 120 at 2.
    ASSERT_EQ(runCli("plot " + data + " --param 0x01300100 --exclude 120:130 --relative --unit min -o " + out).status,
              0);
    const std::string minutes = readText(out);
    EXPECT_NE(minutes.find("\n2\t"), std::string::npos);
    EXPECT_NE(minutes.find("zone\texclusion\t2\t2.16667\n"), std::string::npos);
}

TEST(CliPlot, PictureAndRefusals) {
    ScratchDir dir;
    const std::string data = dir.file("street.bin");
    writeBytes(data, fixtures::makeSlmFile(demoSource(), {2024, 5, 20, 9, 0, 0}, 300, 1));
    const std::string svg = dir.file("plot.svg");
    ASSERT_EQ(runCli("plot " + data + " --param 0x01300100 --exclude 120:130 --correct 10:20:3.0=1 -o " + svg).status,
              0);
    const std::string picture = readText(svg);
    EXPECT_EQ(picture.rfind("<?xml", 0), 0u);
    EXPECT_NE(picture.find("<polyline"), std::string::npos);
    EXPECT_NE(picture.find("fill=\"#fc5454\""), std::string::npos);  // the exclusion band
    EXPECT_NE(picture.find("fill=\"#fcfc54\""), std::string::npos);  // the correction band
    EXPECT_NE(picture.find(">09:02:00<"), std::string::npos);       // clock time on the axis

    // The same plot as a PNG picture of the asked size, the exclusion band in its colour.
    const std::string png = dir.file("plot.png");
    ASSERT_EQ(runCli("plot " + data + " --param 0x01300100 --exclude 120:130 --width 640 --height 400 -o " + png).status,
              0);
    const std::string bytes = readText(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    auto bigEndian = [&](std::size_t at) {
        return (std::uint32_t(std::uint8_t(bytes[at])) << 24) | (std::uint32_t(std::uint8_t(bytes[at + 1])) << 16) |
               (std::uint32_t(std::uint8_t(bytes[at + 2])) << 8) | std::uint32_t(std::uint8_t(bytes[at + 3]));
    };
    EXPECT_EQ(bigEndian(16), 640u);  // the header's width and height
    EXPECT_EQ(bigEndian(20), 400u);

    // Refusals write nothing.
    const std::string none = dir.file("none.svg");
    EXPECT_EQ(runCli("plot " + data + " --param 0x01300100 --exclude 1:x -o " + none).status, 1);
    EXPECT_EQ(runCli("plot " + data + " --param 0x01300100 -o " + dir.file("p.bmp")).status, 2);
    const CliRun absent = runCli("plot " + data + " --param 0x7ff00000 -o " + none);
    EXPECT_EQ(absent.status, 1);
    EXPECT_FALSE(std::filesystem::exists(none));
}
