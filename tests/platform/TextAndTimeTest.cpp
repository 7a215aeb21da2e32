#include "Cp1251.h"
#include "DateTimeText.h"
#include "DayCount.h"
#include "FileNames.h"
#include "QtPrinting.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    ~ScopedLocale() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

}  // namespace

TEST(Cp1251, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(toCp1251(fromCp1251(all)), all);
}

TEST(Cp1251, MapsCyrillicBothWays) {
    EXPECT_EQ(fromCp1251("\xC0\xDF\xE0\xFF\xA8\xB8"), QStringLiteral("АЯаяЁё"));
    EXPECT_EQ(toCp1251(QStringLiteral("Иванов №5")), "\xC8\xE2\xE0\xED\xEE\xE2 \xB9" "5");
    EXPECT_EQ(toCp1251(QStringLiteral("漢")), "?");
}

TEST(DayCount, CountsDaysFromTheEndOf1899) {
    EXPECT_EQ(dayCount(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(dayCount(QDate(1900, 1, 1)), 2);
    EXPECT_EQ(dayCount(QDate(2026, 12, 10)), 46366);
    EXPECT_EQ(dateOfDayCount(46366.75), QDate(2026, 12, 10));
    EXPECT_DOUBLE_EQ(dayFraction(QTime(12, 0)), 0.5);
    EXPECT_DOUBLE_EQ(dayFraction(QTime(0, 50)), 50.0 / 1440);
}

TEST(DateTimeText, RussianFormats) {
    EXPECT_EQ(shortDateText(QDate(2026, 12, 7)), QStringLiteral("07.12.2026"));
    EXPECT_EQ(longTimeText(50.0 / 1440), QStringLiteral("00:50:00"));
    EXPECT_EQ(longTimeText((3600.0 + 2 * 60 + 3) / 86400), QStringLiteral("01:02:03"));
    EXPECT_EQ(longTimeText(-1.0 / 1440), QStringLiteral("-00:01:00"));
    EXPECT_EQ(decimalText(3.5), QStringLiteral("3,5"));
    EXPECT_EQ(decimalText(7 * double(0.1f)), QStringLiteral("0,700000010430813"));
    EXPECT_EQ(decimalText(7), QStringLiteral("7"));
    EXPECT_EQ(decimalText(1234.5), QStringLiteral("1234,5"));
}

TEST(DateTimeText, FileNameDateHasNoPathSeparators) {
    ScopedLocale us(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(shortDateText(QDate(2026, 12, 7)).contains(QLatin1Char('/')));
    const QString text = fileNameDateText(QDate(2026, 12, 7));
    for (QChar c : QStringLiteral("/\\:*?\"<>|")) EXPECT_FALSE(text.contains(c)) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("12")));
    EXPECT_TRUE(text.contains(QStringLiteral("7")));
}

TEST(DateTimeText, FileNameDateKeepsASafeFormatUnchanged) {
    EXPECT_EQ(fileNameDateText(QDate(2026, 12, 7)), QStringLiteral("07.12.2026"));
}

TEST(FileNames, TheFileNameIsTheTextAfterTheLastSeparator) {
    struct Case {
        const char16_t *path, *name;
    };
    const Case cases[] = {
        {u"/srv/тесты/Физика.qzt", u"Физика.qzt"}, {u"plain.qzt", u"plain.qzt"},
        {u"/srv/folder/", u""},                     {u"", u""},
#ifdef _WIN32
        {u"D:\\Мои тесты\\a.qzt", u"a.qzt"},        {u"D:a.qzt", u"a.qzt"},
        {u"D:\\x/y\\b.qzt", u"b.qzt"},
#else
        {u"/srv/a:b\\c.qzt", u"a:b\\c.qzt"},        {u"/srv/x.qzt/y:z.qzt", u"y:z.qzt"},
#endif
    };
    for (const Case& c : cases)
        EXPECT_EQ(fileNameOfPath(QString::fromUtf16(c.path)), QString::fromUtf16(c.name))
            << QString::fromUtf16(c.path).toStdString();
}
