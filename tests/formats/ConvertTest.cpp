// Choosing formats by name or file ending, and converting one bank into another.
#include "BankFormats.h"
#include "BankTestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ChooseFormat, ByLongestFileEndingOrByName) {
    EXPECT_EQ(chooseBankFormat("bank.gift.txt", {}).name, "gift");
    EXPECT_EQ(chooseBankFormat("BANK.AIKEN.TXT", {}).name, "aiken");
    EXPECT_EQ(chooseBankFormat("bank.txt", {}).name, "text");
    EXPECT_EQ(chooseBankFormat("bank.tsv", {}).name, "csv");
    EXPECT_EQ(chooseBankFormat("bank.xml", {}).name, "moodle-xml");
    EXPECT_EQ(chooseBankFormat("bank.txt", "gift").name, "gift");
    EXPECT_THROW(chooseBankFormat("bank.doc", {}), FormatError);
    EXPECT_THROW(chooseBankFormat("bank.txt", "word"), FormatError);
}

TEST(ConvertFile, GiftBankToMoodleXmlWithSummary) {
    QTemporaryDir folder;
    const QString in = folder.filePath("bank.gift.txt");
    QFile::copy(QString(QUIZZARD_SOURCE_DIR) + "/tests/formats/fixtures/mixed.gift.txt", in);
    const QString out = folder.filePath("bank.xml");
    const ConversionSummary summary = convertFile(in, out);
    EXPECT_TRUE(summary.written);
    EXPECT_TRUE(summary.text.contains("5 questions imported, 4 with warnings, 8 skipped"));
    EXPECT_TRUE(summary.text.contains("skipped: line 20 \"Пары\": matching question"));
    const ImportResult back = importBankFile(out);
    ASSERT_EQ(back.document.questions.size(), 5u);
    EXPECT_EQ(textOf(back.document.questions[1].answers[0]), "Москва");
    EXPECT_EQ(back.document.settings.questionsPerTest, 4);
    EXPECT_EQ(back.document.settings.title, "bank");
}

TEST(ConvertFile, NothingImportedWritesNothing) {
    QTemporaryDir folder;
    const QString in = folder.filePath("essays.gift");
    QFile file(in);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("::Сочинение::Опишите лето. {}\n");
    file.close();
    const ConversionSummary summary = convertFile(in, folder.filePath("out.xml"));
    EXPECT_FALSE(summary.written);
    EXPECT_TRUE(summary.text.contains("nothing imported"));
    EXPECT_FALSE(QFile::exists(folder.filePath("out.xml")));
}

TEST(ConvertFile, CsvIsImportOnly) {
    QTemporaryDir folder;
    EXPECT_THROW(convertFile(folder.filePath("a.gift"), folder.filePath("b.csv")), FormatError);
}

}  // namespace
