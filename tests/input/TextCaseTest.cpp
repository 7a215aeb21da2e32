#include "Cp1251.h"
#include "KeyboardLayout.h"
#include "QtPrinting.h"
#include "TextCase.h"

#include <gtest/gtest.h>

namespace {

std::string cp(const char16_t* text) { return toCp1251(QString::fromUtf16(text)); }

}  // namespace

TEST(TextCase, UpperAndLowerMoveOnlyLatinAndCyrillicLettersBy32) {
    EXPECT_EQ(UpperCaseRu(cp(u"abz АБя ёЁ 1-'")), cp(u"ABZ АБЯ ёЁ 1-'"));
    EXPECT_EQ(LowerCaseRu(cp(u"ABZ АБЯ ёЁ 1-'")), cp(u"abz абя ёЁ 1-'"));
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    const std::string upper = UpperCaseRu(everyByte), lower = LowerCaseRu(everyByte);
    for (int c = 0; c < 256; ++c) {
        const bool small = (c >= 'a' && c <= 'z') || c >= 224;
        const bool capital = (c >= 'A' && c <= 'Z') || (c >= 192 && c <= 223);
        EXPECT_EQ(static_cast<unsigned char>(upper[c]), small ? c - 32 : c) << c;
        EXPECT_EQ(static_cast<unsigned char>(lower[c]), capital ? c + 32 : c) << c;
    }
}

TEST(TextCase, CapitalizeWordsStartsEveryRunOfCyrillicLetters) {
    struct Case {
        const char16_t* in;
        const char16_t* out;
    };
    const Case cases[] = {
        {u"", u""},
        {u"аБВГД", u"Абвгд"},
        {u"аб-вг", u"Аб-Вг"},
        {u"аб'вг", u"Аб'вг"},
        {u"'аб", u"'Аб"},
        {u"ABC вг", u"abc Вг"},
        {u"ёаб", u"ёАб"},
        {u"анна-мария иванова", u"Анна-Мария Иванова"},
        {u"x1аб", u"x1Аб"},
        {u"ИВАНОВ", u"Иванов"},
    };
    for (const Case& c : cases) {
        const std::string result = CapitalizeWords(cp(c.in));
        EXPECT_EQ(fromCp1251(result), QString::fromUtf16(c.out));
        EXPECT_EQ(CapitalizeWords(result), result) << "a second run changes nothing";
    }
}

TEST(KeyboardLayout, UsKeysGiveTheRussianCharactersOfTheSameKeys) {
    EXPECT_EQ(russianLayoutText(QStringLiteral("qwertyuiop[]asdfghjkl;'zxcvbnm,./`")),
              QStringLiteral("йцукенгшщзхъфывапролджэячсмитьбю.ё"));
    EXPECT_EQ(russianLayoutText(QStringLiteral("QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>?~")),
              QStringLiteral("ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮ,Ё"));
    EXPECT_EQ(russianLayoutText(QStringLiteral("@#$^&|")), QStringLiteral("\"№;:?/"));
    EXPECT_EQ(russianLayoutText(QStringLiteral("0123456789-= \\!%*()_+")),
              QStringLiteral("0123456789-= \\!%*()_+"));
    EXPECT_EQ(russianLayoutText(QStringLiteral("абвЁё№")), QStringLiteral("абвЁё№"));
}
