#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/base/StringTable.h"
#include "core/project/ReportJob.h"

using namespace phonotab;
using namespace phonotab::testing;

// The template a report starts from is the shipped one of the interface
// language; every language but Russian takes the English one.
TEST(ReportJob, DefaultTemplateIsTheShippedOneOfTheInterfaceLanguage) {
    const std::string data = buildDir() + "/data";
    const struct {
        std::string language;
        const char* file;
    } cases[] = {
        {StringTable::russian().languageName(), "template_ru.docx"},
        {"English", "template_en.docx"},
        {"Deutsch", "template_en.docx"},
        {"", "template_en.docx"},
    };
    for (const auto& c : cases) {
        const std::string path = defaultReportTemplate(data, c.language);
        EXPECT_EQ(path, data + "/report/" + c.file) << c.language;
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    }
}
