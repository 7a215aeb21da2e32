#include "Cp1251.h"
#include "KeyboardLayout.h"
#include "QtPrinting.h"
#include "TextCase.h"

#include <gtest/gtest.h>
#include <initializer_list>

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

namespace {

constexpr auto X11 = KeyNumbering::X11Keycode;
constexpr auto Windows = KeyNumbering::WindowsScanCode;

struct KeyCase {
    std::uint32_t code;
    KeyNumbering numbering;
    bool shifted;
    const char16_t* typed;
    const char16_t* russian;
};

void expectKeys(const char* desktop, std::initializer_list<KeyCase> cases) {
    for (const KeyCase& c : cases)
        EXPECT_EQ(russianLayoutText(c.code, c.numbering, c.shifted, QString::fromUtf16(c.typed)),
                  QString::fromUtf16(c.russian))
            << desktop << " key " << c.code << " typed " << QString::fromUtf16(c.typed).toStdString();
}

}  // namespace

TEST(KeyboardLayout, UsKeysGiveTheLettersOfTheSameKeysOnTheRussianLayout) {
    const QString usRows = QStringLiteral("qwertyuiop[]asdfghjkl;'zxcvbnm,.`");
    const QString russian = QStringLiteral("йцукенгшщзхъфывапролджэячсмитьбюё");
    const std::uint32_t x11Codes[] = {24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 38, 39, 40, 41, 42,
                                      43, 44, 45, 46, 47, 48, 52, 53, 54, 55, 56, 57, 58, 59, 60, 49};
    for (qsizetype i = 0; i < usRows.size(); ++i) {
        const QString typed(usRows[i]);
        EXPECT_EQ(russianLayoutText(x11Codes[i], X11, false, typed), QString(russian[i])) << i;
        EXPECT_EQ(russianLayoutText(x11Codes[i] - 8, Windows, false, typed), QString(russian[i])) << i;
        EXPECT_EQ(russianLayoutText(x11Codes[i], X11, true, typed.toUpper()), QString(russian[i].toUpper())) << i;
    }
    expectKeys("US", {
        {47, X11, true, u":", u"Ж"},   {48, X11, true, u"\"", u"Э"},  {0x33, Windows, true, u"<", u"Б"},
        {61, X11, false, u"/", u"/"},  {11, X11, true, u"@", u"@"},   {20, X11, false, u"-", u"-"},
        {65, X11, false, u" ", u" "},  {10, X11, false, u"1", u"1"},  {0x35, Windows, false, u"/", u"/"},
        {22, X11, false, u"\b", u"\b"}, {0, X11, false, u"q", u"q"},  {38, X11, false, u"", u""},
    });
}

// ö ä ü sit where the Russian layout has ж э х, and y and z change places.
TEST(KeyboardLayout, GermanKeysGiveTheRussianLettersOfTheirPositions) {
    expectKeys("German", {
        {47, X11, false, u"ö", u"ж"},  {48, X11, false, u"ä", u"э"},   {34, X11, false, u"ü", u"х"},
        {47, X11, true, u"Ö", u"Ж"},   {0x28, Windows, false, u"ä", u"э"}, {0x1A, Windows, false, u"ü", u"х"},
        {29, X11, false, u"z", u"н"},  {52, X11, false, u"y", u"я"},   {20, X11, false, u"ß", u"ß"},
        {35, X11, false, u"+", u"ъ"},  {51, X11, false, u"#", u"#"},   {94, X11, false, u"<", u"<"},
    });
}

// The desktop already gives Russian: letters stay themselves, and the punctuation of the Russian
// layout stays punctuation instead of turning into the letters of the US keys that carry it.
TEST(KeyboardLayout, RussianDesktopKeysKeepTheirLettersAndPunctuation) {
    expectKeys("Russian", {
        {24, X11, false, u"й", u"й"},  {60, X11, false, u"ю", u"ю"},  {59, X11, true, u"Б", u"Б"},
        {61, X11, false, u".", u"."},  {61, X11, true, u",", u","},   {11, X11, true, u"\"", u"\""},
        {12, X11, true, u"№", u"№"},   {49, X11, false, u"ё", u"ё"},  {0x34, Windows, false, u"ю", u"ю"},
    });
}
