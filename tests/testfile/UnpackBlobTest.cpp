// Inflating one zlib stream, and the minute counts that make a time of day.
#include "Fixtures.h"
#include "TestFile.h"

#include <gtest/gtest.h>

namespace {

QByteArray asBytes(const Blob& blob) { return QByteArray(reinterpret_cast<const char*>(blob.data()), blob.size()); }

TEST(UnpackBlobTest, InflatesOneWholeStreamAndIgnoresWhatFollows) {
    EXPECT_EQ(UnpackBlob(QByteArray()), QByteArray());
    EXPECT_EQ(UnpackBlob(asBytes(packed(""))), QByteArray());
    const std::string big(3 * 1024 * 1024, 'z');  // grows the output many times over
    EXPECT_EQ(UnpackBlob(asBytes(packed(big))).toStdString(), big);
    EXPECT_EQ(UnpackBlob(asBytes(packed("body")) + "trailing bytes"), "body");
}

TEST(UnpackBlobTest, RefusesWhatIsNotOneWholeStream) {
    const QByteArray good = asBytes(packed("{\\rtf1 some text}"));
    for (const QByteArray& bad : {asBytes(rawDeflate("{\\rtf1 x}")), good.left(good.size() - 1), good.left(2),
                                  QByteArray("\x78"), QByteArray(100, '\xff')})
        EXPECT_THROW(UnpackBlob(bad), TestFileError) << bad.toHex().toStdString();
}

TEST(UnpackBlobTest, StopsAt64MiB) {
    const std::int64_t limit = 64 * 1024 * 1024;
    EXPECT_EQ(UnpackBlob(asBytes(packed(std::string(limit, 'x')))).size(), limit);
    EXPECT_THROW(UnpackBlob(asBytes(packed(std::string(limit + 1, 'x')))), TestFileError);
}

TEST(MinutesToTimeTest, ConvertsTheMinutesOfOneDayOnly) {
    EXPECT_EQ(MinutesToTime(0), 0.0);
    EXPECT_EQ(MinutesToTime(5), 5 / 1440.0);
    EXPECT_EQ(MinutesToTime(50), 50 / 1440.0);
    EXPECT_EQ(MinutesToTime(90), 90 / 1440.0);
    EXPECT_EQ(MinutesToTime(1439), 1439 / 1440.0);
    for (const std::int32_t bad : {1440, 100000, -1, -60, std::numeric_limits<std::int32_t>::min()})
        EXPECT_THROW(MinutesToTime(bad), TestFileError) << bad;
}

}  // namespace
