#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/base/TextCodec.h"
#include "core/project/ReferenceBookFile.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

ReferenceBooks read(const std::string& text, Status* status = nullptr) {
    ReferenceBooks b;
    Status s = ReadRefMap(text, b);
    if (status) *status = s;
    return b;
}

int errorLine(const std::string& text) {
    Status s;
    read(text, &s);
    if (s.ok()) return 0;
    EXPECT_EQ(s.error().id, 5100);
    return static_cast<int>(std::get<std::int64_t>(s.error().args.at(0)));
}

}  // namespace

TEST(ReferenceBooks, ReadsBooksInstrumentsAndDocuments) {
    const ReferenceBooks b = read(
        "NAME: Нормы\n"
        "85 Допустимый уровень\n"
        "  8.5e1 x\n"
        "55\n"
        "NAME:  a#b \t\r\n"
        "1.5 5 дБ выше  \r\n"
        "DEVICE: Шумомер 1\n"
        "DEVICE: Шумомер 1 \n"
        "DEVICE:   \n"
        "NORM: СН 2.2.4\n"
        "90 после устройств\n");
    ASSERT_EQ(b.referenceBooks.size(), 2u);
    EXPECT_EQ(b.referenceBooks.at("Нормы"),
              (std::vector<ReferenceRecord>{{85, "Допустимый уровень"}, {85, "x"}, {55, ""}}));
    EXPECT_EQ(b.referenceBooks.at("a_b"), (std::vector<ReferenceRecord>{{1.5, "5 дБ выше"}, {90, "после устройств"}}));
    EXPECT_EQ(b.measuringInstruments, (std::set<std::string, std::less<>>{"Шумомер 1"}));
    EXPECT_EQ(b.normativeDocuments, (std::set<std::string, std::less<>>{"СН 2.2.4"}));
    EXPECT_EQ(b.referenceValue("a_b", 1), 90.0);
    EXPECT_EQ(b.record("Нормы", 0)->description, "Допустимый уровень");
    EXPECT_EQ(b.referenceValue("a_b", 2), std::nullopt);
    EXPECT_EQ(b.referenceValue("a_b", -1), std::nullopt);
    EXPECT_EQ(b.referenceValue("A_B", 0), std::nullopt);
}

TEST(ReferenceBooks, ErrorsNameTheirLine) {
    EXPECT_EQ(errorLine("85 before any book\n"), 1);
    EXPECT_EQ(errorLine("NAME: a\n1 x\nNAME:   \n"), 3);
    EXPECT_EQ(errorLine("NAME: a\nNAME: a\n"), 2);
    EXPECT_EQ(errorLine("NAME: a#\nNAME: a_\n"), 2);
    EXPECT_EQ(errorLine("NAME: a\n1 x\n\n2 y\n"), 3);  // an empty line
    EXPECT_EQ(errorLine("NAME: a\nabc\n"), 2);
    EXPECT_EQ(errorLine("name: a\n"), 1);
    EXPECT_EQ(errorLine("NAME: a\n1 x\n"), 0);

    // What was read before the error stays; the records of the book being read do not.
    Status s;
    const ReferenceBooks b = read("NAME: first\n1 x\nDEVICE: d\nNAME: second\n2 y\nbad\n3 z\n", &s);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().text(), "Ошибка в файле справочников на строчке 6");
    EXPECT_EQ(b.referenceBooks.at("first").size(), 1u);
    EXPECT_TRUE(b.referenceBooks.at("second").empty());
    EXPECT_EQ(b.measuringInstruments.size(), 1u);
}

TEST(ReferenceBooks, WritingAndReadingBackKeepsEverything) {
    ReferenceBooks b;
    b.referenceBooks["Шум"] = {{85, "Допустимый уровень"}, {1.234567891, "e-описание"}, {40, "5 dB"}, {-3.5e-7, ""}};
    b.referenceBooks["A"] = {};
    b.referenceBooks["B"] = {{1.0 / 3, "треть\nв две строки"}};
    b.measuringInstruments = {"Шумомер 2", "Виброметр"};
    b.normativeDocuments = {"ГОСТ 1"};
    const std::string text = WriteRefMap(b);
    EXPECT_EQ(text.substr(0, 14), "NAME: A\nNAME: ");
    EXPECT_NE(text.find("1.234567891 e-описание\n"), std::string::npos);
    EXPECT_NE(text.find("0.3333333333 треть в две строки\n"), std::string::npos);

    Status s;
    ReferenceBooks back = read(text, &s);
    ASSERT_TRUE(s.ok());
    b.referenceBooks["B"] = {{0.3333333333, "треть в две строки"}};
    EXPECT_EQ(back, b);
    EXPECT_EQ(WriteRefMap(back), text);
}

TEST(ReferenceBooks, FilesInEitherEncoding) {
    ScratchDir dir;
    ReferenceBooks b;
    b.referenceBooks["Нормы"] = {{45, "Ночь"}};
    b.normativeDocuments = {"СН 2"};
    ASSERT_TRUE(SaveReferenceBooks(dir.file("utf8.txt"), b).ok());
    ASSERT_TRUE(SaveReferenceBooks(dir.file("cp1251.txt"), b, TextEncoding::Cp1251).ok());
    EXPECT_EQ(readText(dir.file("cp1251.txt")), utf8ToCp1251(WriteRefMap(b)));
    for (const char* name : {"utf8.txt", "cp1251.txt"}) {
        ReferenceBooks back;
        ASSERT_TRUE(LoadReferenceBooks(dir.file(name), back).ok());
        EXPECT_EQ(back, b) << name;
    }
    ReferenceBooks none;
    none.measuringInstruments = {"left over"};
    EXPECT_TRUE(LoadReferenceBooks(dir.file("RefMap.txt"), none).ok());  // a missing file is no error
    EXPECT_TRUE(none.empty());
}

TEST(ReferenceBooks, Editing) {
    ReferenceBooks b;
    EXPECT_TRUE(b.addBook(" Пределы ").value());
    EXPECT_FALSE(b.addBook("  ").value());
    Result<bool> dup = b.addBook("Пределы");
    ASSERT_FALSE(dup.ok());
    EXPECT_EQ(dup.error().text(), "Такое имя уже есть в списке");
    EXPECT_TRUE(b.addBook("x#y").value());
    EXPECT_NE(b.book("x_y"), nullptr);
    EXPECT_FALSE(b.renameBook("x_y", "Пределы").ok());
    EXPECT_TRUE(b.renameBook("x_y", "z").value());
    EXPECT_TRUE(b.removeBook("z"));
    EXPECT_EQ(b.referenceBooks.size(), 1u);

    EXPECT_TRUE(b.addInstrument("  Шумомер "));
    EXPECT_FALSE(b.addInstrument("Шумомер"));
    EXPECT_FALSE(b.addNormativeDocument(" \t"));
    EXPECT_EQ(*b.measuringInstruments.begin(), "Шумомер");
    EXPECT_TRUE(b.removeInstrument("Шумомер"));
    EXPECT_FALSE(b.removeInstrument("Шумомер"));
    EXPECT_TRUE(b.addNormativeDocument("СН 2.2.4"));
    EXPECT_TRUE(b.removeNormativeDocument("СН 2.2.4"));
    EXPECT_TRUE(b.normativeDocuments.empty());

    EXPECT_TRUE(b.addRecord("Пределы", {85, "день"}));
    EXPECT_TRUE(b.addRecord("Пределы", {70, "ночь"}));
    EXPECT_FALSE(b.addRecord("нет", {1, ""}));
    EXPECT_FALSE(b.removeRecord("Пределы", 2));
    EXPECT_TRUE(b.removeRecord("Пределы", 0));
    EXPECT_EQ(*b.referenceValue("Пределы", 0), 70.0);  // the records after it move up

    EXPECT_EQ(parseReferenceValue(" 85.5 ").value(), 85.5);
    EXPECT_EQ(parseReferenceValue("85 dB").error().text(), "Вы должны ввести число");
    EXPECT_FALSE(parseReferenceValue("").ok());
}
