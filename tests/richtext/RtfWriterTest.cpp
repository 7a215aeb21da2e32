// The writer against our reader (write, read back, compare) and against unrtf.
#include "PictureSource.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QByteArray encoded(const QImage& image, const char* kind) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, kind);
    return bytes;
}

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
    return image;
}

QByteArray pictureRtf(const QByteArray& bytes, const char* blip) {
    return QByteArray("{\\rtf1\\ansi{\\pict\\") + blip + "\\picwgoal600\\pichgoal450 " + bytes.toHex() + "}}";
}

// What a reader of the document can see of one character.
std::string describeCharacter(const QTextCharFormat& format) {
    QString text = QStringLiteral("b%1 i%2 u%3 s%4 v%5 pt%6 caps%7 fam[%8] fg%9 bg%10")
                       .arg(format.fontWeight() >= QFont::DemiBold)
                       .arg(format.fontItalic())
                       .arg(format.fontUnderline())
                       .arg(format.fontStrikeOut())
                       .arg(int(format.verticalAlignment()))
                       .arg(format.fontPointSize())
                       .arg(int(format.fontCapitalization()))
                       .arg(format.fontFamilies().toStringList().join(QLatin1Char(',')))
                       .arg(format.foreground().style() == Qt::NoBrush ? QString() : format.foreground().color().name())
                       .arg(format.background().style() == Qt::NoBrush ? QString() : format.background().color().name());
    return text.toStdString();
}

std::string describeParagraph(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    QString text = QStringLiteral("align%1 l%2 r%3 fi%4 t%5 b%6 lh%7/%8 table%9 tabs")
                       .arg(int(format.alignment()))
                       .arg(format.leftMargin())
                       .arg(format.rightMargin())
                       .arg(format.textIndent())
                       .arg(format.topMargin())
                       .arg(format.bottomMargin())
                       .arg(format.lineHeight())
                       .arg(format.lineHeightType())
                       .arg(QTextCursor(block).currentTable() != nullptr);
    for (const QTextOption::Tab& tab : format.tabPositions()) text += QStringLiteral(" %1:%2").arg(tab.position).arg(tab.type);
    return text.toStdString();
}

// Every block's text, paragraph format and character formats, fragment by fragment, and the
// bytes behind every picture.
std::vector<std::string> describe(const QTextDocument& document) {
    std::vector<std::string> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        lines.push_back("P " + describeParagraph(block));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                const auto source = unchangedPictureSource(document, image);
                lines.push_back(QStringLiteral("I %1x%2 ").arg(image.width()).arg(image.height()).toStdString() +
                                (source ? source->kind + ":" + source->bytes.toHex() : QByteArray("none")).toStdString());
            } else {
                lines.push_back("T " + it.fragment().text().toStdString() + " | " + describeCharacter(format));
            }
        }
    }
    return lines;
}

void expectSameAfterRoundTrip(const QByteArray& rtf) {
    QTextDocument original;
    readRtf(rtf, original);
    const QByteArray written = writeRtf(original);
    QTextDocument again;
    readRtf(written, again);
    EXPECT_EQ(describe(again), describe(original)) << written.toStdString();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

const char* const header =
    R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fswiss\fcharset204 Arial;}{\f1\froman\fcharset204 Times New Roman;}}{\colortbl ;\red255\green0\blue0;\red0\green0\blue255;})";

struct RoundTripCase {
    const char* name;
    const char* body;
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, ReadsBackTheSameDocument) {
    expectSameAfterRoundTrip(QByteArray(header) + GetParam().body + "}");
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RoundTrip,
    ::testing::Values(
        RoundTripCase{"Cyrillic", R"(\f0 \'cf\'f0\'e8\'e2\'e5\'f2, \'ec\'e8\'f0!)"},
        RoundTripCase{"OutsideCp1251", R"(\u8804?\u8721?\u20013?\u-10179?\u-8704? \u945?)"},
        RoundTripCase{"Specials", R"(a\\b\{c\}d\tab e\line f\~g\emdash)"},
        RoundTripCase{"CharacterFormats",
                      R"(plain {\b bold}{\i italic}{\ul under}{\strike struck}{\caps caps}{\scaps small})"},
        RoundTripCase{"Formula", R"(H{\sub 2}O and x{\super 2}+y{\dn 2 low}{\up 2 high})"},
        RoundTripCase{"FontsSizesColours", R"({\f1\fs36 big serif}{\f0\fs16\cf1 small red}{\cf2\highlight1 blue on red})"},
        RoundTripCase{"Paragraphs",
                      R"(\pard\qc centred\par\pard\qr\li720\ri360 right\par\pard\qj\fi-360\li720\sb120\sa240 justified\par)"
                      R"(\pard\sl360\slmult1 spaced\par\pard\sl-300\slmult0 exact\par\pard\tqr\tx2880\tqc\tx4320 a\tab b\tab c)"},
        RoundTripCase{"EmptyParagraphs", R"(one\par\par\par two\par)"},
        RoundTripCase{"ListText", R"({\listtext\pard\plain 1.\tab}first\par{\listtext\pard\plain 2.\tab}second)"},
        RoundTripCase{"Table",
                      R"(before\par\trowd\cellx1000\cellx3000\pard\intbl a\cell {\b b}\par second\cell\row)"
                      R"(\trowd\cellx1000\cellx3000\pard\intbl\cell d\cell\row\pard after)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfWriterRoundTrip, EverySeedAndFixtureReadsBackTheSame) {
    for (const char* folder : {"/tests/fuzz/rtf/seeds", "/tests/richtext/fixtures"}) {
        const QDir dir(QStringLiteral(QUIZZARD_SOURCE_DIR) + QLatin1String(folder));
        for (const QString& name : dir.entryList({QStringLiteral("*.rtf")}, QDir::Files)) {
            SCOPED_TRACE(name.toStdString());
            expectSameAfterRoundTrip(readFile(dir.filePath(name)));
        }
    }
}

TEST(RtfWriterPictures, KeepsTheBytesOfAnUnchangedPicture) {
    for (const char* kind : {"png", "jpeg"}) {
        SCOPED_TRACE(kind);
        const QByteArray bytes = encoded(gradient(40, 30), kind);
        QTextDocument document;
        readRtf(pictureRtf(bytes, kind == QByteArray("png") ? "pngblip" : "jpegblip"), document);
        const QByteArray written = writeRtf(document);
        EXPECT_TRUE(QByteArray(written).replace('\n', "").contains(bytes.toHex())) << "the original bytes, not a new encoding";
        EXPECT_TRUE(written.contains(kind == QByteArray("png") ? "\\pngblip" : "\\jpegblip"));
        EXPECT_TRUE(written.contains("\\picwgoal600\\pichgoal450"));
        expectSameAfterRoundTrip(pictureRtf(bytes, kind == QByteArray("png") ? "pngblip" : "jpegblip"));
    }
}

TEST(RtfWriterPictures, EncodesAChangedPictureAgainAsPng) {
    const QByteArray jpeg = encoded(gradient(40, 30), "jpeg");
    QTextDocument document;
    readRtf(pictureRtf(jpeg, "jpegblip"), document);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::NextCharacter);
    const QString name = cursor.charFormat().toImageFormat().name();
    ASSERT_FALSE(name.isEmpty());
    QImage edited = gradient(40, 30);
    edited.fill(Qt::blue);
    document.addResource(QTextDocument::ImageResource, QUrl(name), edited);

    const QByteArray written = writeRtf(document);
    EXPECT_FALSE(QByteArray(written).replace('\n', "").contains(jpeg.toHex()));
    EXPECT_TRUE(written.contains("\\pngblip"));
    QTextDocument again;
    readRtf(written, again);
    QTextCursor readBack(&again);
    readBack.movePosition(QTextCursor::NextCharacter);
    const QImage shown = again.resource(QTextDocument::ImageResource, QUrl(readBack.charFormat().toImageFormat().name()))
                             .value<QImage>();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), edited.convertToFormat(QImage::Format_RGB32));
}

TEST(RtfWriterPictures, WritesAnInsertedImageAsPngAtItsSize) {
    QTextDocument document;
    const QImage image = gradient(20, 10);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("inserted")), image);
    QTextCursor cursor(&document);
    QTextImageFormat format;
    format.setName(QStringLiteral("inserted"));
    cursor.insertImage(format);

    QTextDocument again;
    readRtf(writeRtf(document), again);
    QTextCursor readBack(&again);
    readBack.movePosition(QTextCursor::NextCharacter);
    const QTextImageFormat shown = readBack.charFormat().toImageFormat();
    EXPECT_EQ(QSize(qRound(shown.width()), qRound(shown.height())), QSize(20, 10));
    EXPECT_EQ(again.resource(QTextDocument::ImageResource, QUrl(shown.name())).value<QImage>().convertToFormat(QImage::Format_RGB32),
              image);
}

// Documents the editor builds, not read from RTF: Qt's own lists and tables.
TEST(RtfWriterStructure, WritesListsAndTablesOfAnEditedDocument) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("Вопрос"));
    cursor.insertList(QTextListFormat::ListDecimal);
    cursor.insertText(QStringLiteral("первый"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("второй"));
    cursor.insertBlock();
    cursor.currentList()->setFormat([] {
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDisc);
        return format;
    }());
    cursor.insertText(QStringLiteral("точка"));
    cursor.insertBlock(QTextBlockFormat());
    QTextTable* table = cursor.insertTable(2, 3);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            table->cellAt(row, column).firstCursorPosition().insertText(QStringLiteral("%1%2").arg(row).arg(column));

    QTextDocument again;
    readRtf(writeRtf(document), again);
    EXPECT_TRUE(again.toPlainText().startsWith(QStringLiteral("Вопрос\n•\tпервый\n•\tвторой\n•\tточка")))
        << again.toPlainText().toStdString();
    QTextCursor inTable(&again);
    QTextTable* readTable = nullptr;
    while (readTable == nullptr && inTable.movePosition(QTextCursor::NextBlock)) readTable = inTable.currentTable();
    ASSERT_NE(readTable, nullptr);
    EXPECT_EQ(readTable->rows(), 2);
    EXPECT_EQ(readTable->columns(), 3);
    EXPECT_EQ(readTable->cellAt(1, 2).firstCursorPosition().block().text(), QStringLiteral("12"));
}

TEST(RtfWriterStructure, NumbersADecimalList) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.createList(QTextListFormat::ListDecimal);
    cursor.insertText(QStringLiteral("one"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("two"));
    QTextDocument again;
    readRtf(writeRtf(document), again);
    EXPECT_EQ(again.toPlainText(), QStringLiteral("1.\tone\n2.\ttwo"));
}

// unrtf's output of one document: --text, or the text of its --html (its text output is 7-bit
// and shows Cyrillic as garbage).
QString unrtfOutput(const QByteArray& rtf, const QString& mode) {
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    EXPECT_FALSE(unrtf.isEmpty()) << "unrtf is needed: apt-get install unrtf";
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("doc.rtf")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();
    QProcess process;
    process.start(unrtf, {mode, file.fileName()});
    EXPECT_TRUE(process.waitForFinished(30000));
    QString output = QString::fromUtf8(process.readAllStandardOutput());
    if (mode != QLatin1String("--html")) return output;
    QTextDocument html;
    html.setHtml(output);
    return html.toPlainText();
}

QByteArray formulaDocument(const QString& before, const QString& after) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(before + QStringLiteral(" H"));
    QTextCharFormat subscript;
    subscript.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText(QStringLiteral("2"), subscript);
    cursor.insertText(QStringLiteral("O"), QTextCharFormat());
    cursor.insertBlock();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(after, bold);
    return writeRtf(document);
}

// A reader that is not ours sees the same text.
TEST(RtfWriterUnrtf, UnrtfReadsTheText) {
    const QString text = unrtfOutput(formulaDocument(QStringLiteral("Water:"), QStringLiteral("Answer {one} \\ x")),
                                     QStringLiteral("--text"));
    EXPECT_TRUE(text.contains(QStringLiteral("Water: H2O"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Answer {one} \\ x"))) << text.toStdString();
}

TEST(RtfWriterUnrtf, UnrtfReadsCyrillicAndUnicode) {
    const QString text = unrtfOutput(formulaDocument(QStringLiteral("Вода:"), QStringLiteral("Ответ {ёж} ≤ ∑ α")),
                                     QStringLiteral("--html"));
    EXPECT_TRUE(text.contains(QStringLiteral("Вода: H2O"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ответ {ёж} ≤ ∑ α"))) << text.toStdString();
}

}  // namespace
