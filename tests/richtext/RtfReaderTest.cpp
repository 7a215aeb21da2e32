// The reader against small documents as word processors write them.
#include "RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

QString plainTextOf(const QByteArray& rtf) {
    QTextDocument document;
    readRtf(rtf, document);
    return document.toPlainText();
}

// The character format in effect at the first character of `needle`.
QTextCharFormat formatAt(const QTextDocument& document, const QString& needle) {
    const QTextCursor found = document.find(needle);
    EXPECT_FALSE(found.isNull()) << needle.toStdString();
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

QTextBlockFormat blockFormatAt(const QTextDocument& document, const QString& needle) {
    return document.find(needle).block().blockFormat();
}

struct TextCase {
    const char* name;
    QByteArray rtf;
    QString expected;
};

class PlainText : public ::testing::TestWithParam<TextCase> {};

TEST_P(PlainText, ReadsTheShownText) {
    EXPECT_EQ(plainTextOf(GetParam().rtf), GetParam().expected);
}

const char* const header = R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fswiss\fcharset204 Arial;}{\f1\froman\fcharset2 Symbol;}{\f2\fnil\fcharset0 Courier New;}{\f3\fnil\fcharset161 Greek;}{\f4\fnil\fcharset238 Central;}}{\colortbl ;\red255\green0\blue0;\red0\green0\blue255;})";

QByteArray doc(const char* body) { return QByteArray(header) + body + "}"; }

INSTANTIATE_TEST_SUITE_P(
    Snippets, PlainText,
    ::testing::Values(
        TextCase{"Ascii", doc(R"(\pard Hello, world\par})"), "Hello, world"},
        TextCase{"CyrillicHex", doc(R"(\f0 \'cf\'f0\'e8\'e2\'e5\'f2)"), QString::fromUtf8("Привет")},
        TextCase{"CyrillicRawBytes", doc("\\f0 \xe0\xe1\xe2"), QString::fromUtf8("абв")},
        TextCase{"WesternHex", doc(R"(\f2 caf\'e9)"), QString::fromUtf8("café")},
        TextCase{"GreekCharset", doc(R"(\f3 \'e1\'e2)"), QString::fromUtf8("αβ")},
        TextCase{"CentralEuropeanCharset", doc(R"(\f4 \'9a\'e8)"), QString::fromUtf8("šč")},
        TextCase{"AnsiCodePageWithoutFonts", QByteArray(R"({\rtf1\ansi\ansicpg1251 \'e0\'ff})"), QString::fromUtf8("ая")},
        TextCase{"WesternByDefault", QByteArray(R"({\rtf1\ansi \'e0})"), QString::fromUtf8("à")},
        TextCase{"FontCodePageOverridesCharset", QByteArray(R"({\rtf1{\fonttbl{\f0\fcharset0\cpg1251 X;}}\f0 \'e0})"), QString::fromUtf8("а")},
        TextCase{"DoubleByteCodePage", QByteArray(R"({\rtf1\ansi\ansicpg932 \'82\'a0})"), QString::fromUtf8("あ")},
        TextCase{"UnicodeSkipsFallback", doc(R"(\u1046?\u1046?)"), QString::fromUtf8("ЖЖ")},
        TextCase{"UnicodeNegative", doc(R"(\u-3913?)"), QString(QChar(0xF0B7))},
        TextCase{"UnicodeSkipTwo", doc(R"(\uc2\u1046\'3f\'3fA)"), QString::fromUtf8("ЖA")},
        TextCase{"UnicodeSkipZero", doc(R"(\uc0\u1046 B)"), QString::fromUtf8("ЖB")},
        TextCase{"SymbolGreekAndMath", doc(R"({\f1 a\'b3p\'a5})"), QString::fromUtf8("α≥π∞")},
        TextCase{"SymbolPrivateUse", doc(R"({\f1\u-3999?})"), QString::fromUtf8("α")},
        TextCase{"EscapedSpecials", doc(R"(a\\b\{c\}d)"), "a\\b{c}d"},
        TextCase{"Paragraphs", doc(R"(one\par two\par three)"), "one\ntwo\nthree"},
        TextCase{"LineAndTab", doc(R"(a\line b\tab c)"), "a\nb\tc"},
        TextCase{"SpecialCharacters", doc(R"(\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~)"),
                 QString::fromUtf8("—–•‘’“” ")},
        TextCase{"LineBreaksInSourceIgnored", doc("ab\r\ncd\ne"), "abcde"},
        TextCase{"UnknownStarredDestinationSkipped", doc(R"({\*\unknownthing secret}shown)"), "shown"},
        TextCase{"StylesheetAndInfoSkipped",
                 doc(R"({\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}body)"), "body"},
        TextCase{"FieldShowsResult", doc(R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}})"), "link"},
        TextCase{"ObjectShowsResult",
                 doc(R"({\object\objemb{\*\objclass Equation.3}{\*\objdata 0102}{\result E=mc}})"), "E=mc"},
        TextCase{"OldStyleBullet", doc(R"({\pntext\f1\'b7\tab}{\*\pn\pnlvlblt{\pntxtb\'b7}}item)"),
                 QString::fromUtf8("•\titem")},
        TextCase{"NewStyleNumber", doc(R"({\listtext\pard\plain 1.\tab}first)"), "1.\tfirst"},
        TextCase{"HiddenTextNotShown", doc(R"(shown{\v hidden} \v gone\v0 again)"), "shown again"},
        TextCase{"PageBreakIsParagraph", doc(R"(a\page b)"), "a\nb"},
        TextCase{"NonShapePictureSkipped", doc(R"({\*\shppict{\pict\pngblip 00}}{\nonshppict{\pict\wmetafile8 00}}x)"),
                 QString(QChar(QChar::ObjectReplacementCharacter)) + "x"},
        TextCase{"PlainTextNotRtf", QByteArray("just \xe0\xe1 text"), QString::fromUtf8("just аб text")},
        TextCase{"PlainTextEndsAtNul", QByteArray("one\0two", 7), "one"},
        TextCase{"EmptyInput", QByteArray(), ""},
        TextCase{"TextAfterRootIgnored", doc("in") + "out\r\n", "in"},
        TextCase{"UnbalancedOpen", QByteArray(R"({\rtf1 {\b open {\i deeper)"), "open deeper"},
        TextCase{"TruncatedControlWord", QByteArray(R"({\rtf1 text\b)"), "text"},
        TextCase{"TruncatedHex", QByteArray(R"({\rtf1 a\')"), "a"},
        TextCase{"BogusHex", QByteArray(R"({\rtf1 a\'zzb)"), "azzb"},
        TextCase{"HugeNumbers", QByteArray(R"({\rtf1\fs999999999\li-99999999999999999999 big})"), "big"},
        TextCase{"BinBeyondData", QByteArray(R"({\rtf1 x{\pict\pngblip\bin999999 ab)"), "x" + QString(QChar(QChar::ObjectReplacementCharacter))},
        TextCase{"BinSkipsRawBytes", QByteArray(R"({\rtf1 {\*\data\bin4 }}{}}x})"), "x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfFormats, BoldItalicUnderlineStrikeRanges) {
    QTextDocument document;
    readRtf(doc(R"(plain {\b bold} {\i italic} \ul under\ulnone  {\strike gone} \b on\b0  off)"), document);
    EXPECT_EQ(document.toPlainText(), "plain bold italic under gone on off");
    EXPECT_FALSE(formatAt(document, "plain").font().bold());
    EXPECT_TRUE(formatAt(document, "bold").font().bold());
    EXPECT_FALSE(formatAt(document, " italic").font().bold());
    EXPECT_TRUE(formatAt(document, "italic").fontItalic());
    EXPECT_TRUE(formatAt(document, "under").fontUnderline());
    EXPECT_FALSE(formatAt(document, "gone").fontUnderline());
    EXPECT_TRUE(formatAt(document, "gone").fontStrikeOut());
    EXPECT_TRUE(formatAt(document, "on off").font().bold());
    EXPECT_FALSE(formatAt(document, "off").font().bold());
}

TEST(RtfFormats, FontSizeFamilyAndPlain) {
    QTextDocument document;
    readRtf(doc(R"(\f2\fs40 large\plain  normal)"), document);
    EXPECT_DOUBLE_EQ(formatAt(document, "large").fontPointSize(), 20.0);
    EXPECT_EQ(formatAt(document, "large").fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_DOUBLE_EQ(formatAt(document, "normal").fontPointSize(), 12.0);
    EXPECT_EQ(formatAt(document, "normal").fontFamilies().toStringList(), QStringList{"Arial"});
}

TEST(RtfFormats, FontNameInTheFontsCodePage) {
    QTextDocument document;
    readRtf(R"({\rtf1\ansi\deff0{\fonttbl{\f0\fcharset204 \'d2\'e0\'e9\'ec\'f1;}}x})", document);
    EXPECT_EQ(formatAt(document, "x").fontFamilies().toStringList(), QStringList{QString::fromUtf8("Таймс")});
}

TEST(RtfFormats, ColoursFromTheTable) {
    QTextDocument document;
    readRtf(doc(R"(\cf1 red\cf2\highlight1  blueonred\cf0\highlight0  auto\cf99  outside)"), document);
    EXPECT_EQ(formatAt(document, "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(document, "blueonred").foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(document, "blueonred").background().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatAt(document, "auto").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_FALSE(formatAt(document, "auto").hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_FALSE(formatAt(document, "outside").hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfFormats, SuperAndSubscript) {
    QTextDocument document;
    readRtf(doc(R"(x{\super 2} H{\sub 2}O \super a\nosupersub b)"), document);
    EXPECT_EQ(document.toPlainText(), "x2 H2O ab");
    QTextCursor cursor(&document);
    const auto alignmentAt = [&](int position) {
        cursor.setPosition(position);
        return cursor.charFormat().verticalAlignment();
    };
    EXPECT_EQ(alignmentAt(2), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(alignmentAt(5), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(alignmentAt(6), QTextCharFormat::AlignNormal);
    EXPECT_EQ(alignmentAt(8), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(alignmentAt(9), QTextCharFormat::AlignNormal);
}

TEST(RtfFormats, RaisedLoweredCapitalsAndShading) {
    QTextDocument document;
    readRtf(doc(R"({\up6 hi} {\dn6 lo} {\caps cap} {\scaps small} {\chcbpat2 shade})"), document);
    EXPECT_EQ(formatAt(document, "hi").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatAt(document, "lo").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(formatAt(document, "cap").fontCapitalization(), QFont::AllUppercase);
    EXPECT_EQ(formatAt(document, "small").fontCapitalization(), QFont::SmallCaps);
    EXPECT_EQ(formatAt(document, "shade").background().color(), QColor(0, 0, 255));
}

TEST(RtfFormats, LineSpacing) {
    QTextDocument document;
    readRtf(doc(R"(\pard\sl360\slmult1 half\par\pard\sl-300 exact\par\pard single)"), document);
    EXPECT_EQ(blockFormatAt(document, "half").lineHeightType(), QTextBlockFormat::ProportionalHeight);
    EXPECT_DOUBLE_EQ(blockFormatAt(document, "half").lineHeight(), 150.0);
    EXPECT_EQ(blockFormatAt(document, "exact").lineHeightType(), QTextBlockFormat::FixedHeight);
    EXPECT_DOUBLE_EQ(blockFormatAt(document, "exact").lineHeight(), 20.0);
    EXPECT_EQ(blockFormatAt(document, "single").lineHeightType(), QTextBlockFormat::SingleHeight);
}

TEST(RtfFormats, ParagraphAlignmentAndIndents) {
    QTextDocument document;
    readRtf(doc(R"(\pard\qc centred\par\pard\qr\li300\ri150\fi-150\sb90\sa45 right\par\pard\qj last\par)"),
            document);
    EXPECT_EQ(document.toPlainText(), "centred\nright\nlast");
    EXPECT_EQ(blockFormatAt(document, "centred").alignment(), Qt::AlignHCenter);
    const QTextBlockFormat right = blockFormatAt(document, "right");
    EXPECT_EQ(right.alignment(), Qt::AlignRight);
    EXPECT_DOUBLE_EQ(right.leftMargin(), 20.0);
    EXPECT_DOUBLE_EQ(right.rightMargin(), 10.0);
    EXPECT_DOUBLE_EQ(right.textIndent(), -10.0);
    EXPECT_DOUBLE_EQ(right.topMargin(), 6.0);
    EXPECT_DOUBLE_EQ(right.bottomMargin(), 3.0);
    EXPECT_EQ(blockFormatAt(document, "last").alignment(), Qt::AlignJustify);
}

TEST(RtfFormats, TabStopsCountFromTheColumnEdge) {
    QTextDocument document;
    readRtf(doc(R"(\pard\li720\fi-360{\listtext\pard\plain\f1\'b7\tab}item\par\pard\tqr\tx3000 a\tab b\par)"), document);
    const QList<QTextOption::Tab> hanging = blockFormatAt(document, "item").tabPositions();
    ASSERT_EQ(hanging.size(), 1);
    EXPECT_DOUBLE_EQ(hanging[0].position, 24.0);  // from the bullet at 24 px to the indent at 48 px
    const QList<QTextOption::Tab> right = blockFormatAt(document, "a\tb").tabPositions();
    ASSERT_EQ(right.size(), 1);
    EXPECT_DOUBLE_EQ(right[0].position, 200.0);
    EXPECT_EQ(right[0].type, QTextOption::RightTab);
}

TEST(RtfStructure, SimpleTable) {
    QTextDocument document;
    readRtf(doc(R"(before\par\trowd\cellx1500\cellx4500\pard\intbl a1\cell b1\cell\row)"
                R"(\trowd\cellx1500\cellx4500\pard\intbl a2\cell b2\cell\row\pard after)"),
            document);
    QTextCursor cursor = document.find("a1");
    QTextTable* table = cursor.currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    auto cellText = [&](int row, int column) {
        const QTextTableCell cell = table->cellAt(row, column);
        QTextCursor selection(&document);
        selection.setPosition(cell.firstPosition());
        selection.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
        return selection.selectedText();
    };
    EXPECT_EQ(cellText(0, 0), "a1");
    EXPECT_EQ(cellText(0, 1), "b1");
    EXPECT_EQ(cellText(1, 0), "a2");
    EXPECT_EQ(cellText(1, 1), "b2");
    const auto widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_DOUBLE_EQ(widths[0].rawValue(), 100.0);
    EXPECT_DOUBLE_EQ(widths[1].rawValue(), 200.0);
    EXPECT_EQ(document.find("after").currentTable(), nullptr);
    EXPECT_EQ(document.find("before").currentTable(), nullptr);
}

TEST(RtfStructure, RowDefinitionAfterCellsAsNewerWritersPut) {
    QTextDocument document;
    readRtf(doc(R"(\pard\intbl x\cell y\cell z\cell{\trowd\cellx1000\cellx2000\cellx3000\row}\pard end)"), document);
    QTextTable* table = document.find("x").currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 1);
    EXPECT_GE(table->columns(), 3);
    EXPECT_EQ(document.find("z").currentTable(), table);
    EXPECT_EQ(document.find("end").currentTable(), nullptr);
}

TEST(RtfStructure, BulletListInsideTableStaysInTheCell) {
    QTextDocument document;
    readRtf(doc(R"(\trowd\cellx2000\pard\intbl{\listtext\pard\plain\f1\'b7\tab}item\cell\row)"), document);
    QTextTable* table = document.find("item").currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(document.find(QString(QChar(0x2022))).currentTable(), table);
}

TEST(RtfRobustness, DeepNestingDoesNotExhaustTheStack) {
    QByteArray rtf = "{\\rtf1 ";
    rtf += QByteArray(100000, '{');
    rtf += "deep";
    rtf += QByteArray(100000, '}');
    rtf += "}";
    EXPECT_EQ(plainTextOf(rtf), "deep");
}

TEST(RtfRobustness, DeepNestingKeepsOuterFormatsBalanced) {
    QByteArray rtf = "{\\rtf1 ";
    rtf += QByteArray(2000, '{');
    rtf += "\\b x";
    rtf += QByteArray(2000, '}');
    rtf += " y}";
    QTextDocument document;
    readRtf(rtf, document);
    EXPECT_EQ(document.toPlainText(), "x y");
    EXPECT_FALSE(formatAt(document, "y").font().bold());
}

TEST(RtfRobustness, LongDigitRunsAndWordsAreBounded) {
    QByteArray rtf = "{\\rtf1\\fs" + QByteArray(100000, '9') + " \\" + QByteArray(100000, 'z') + " ok}";
    QTextDocument document;
    readRtf(rtf, document);
    EXPECT_EQ(document.toPlainText(), "ok");
    EXPECT_LE(formatAt(document, "ok").fontPointSize(), 1638.0);
}

// Documents the layout could never finish: reading stops once they would be far too tall.
TEST(RtfRobustness, ImpossiblyTallDocumentsAreCut) {
    const QByteArray hugeFontLines = "{\\rtf1\\fs3276 " + QByteArray("a\\par ").repeated(20000) + "}";
    const QByteArray hugeSpacing = "{\\rtf1\\sb31680 " + QByteArray("a\\par ").repeated(20000) + "}";
    const QByteArray tallPictures =
        "{\\rtf1 " + QByteArray("{\\pict\\wmetafile8\\picwgoal120000\\pichgoal120000 00}").repeated(3000) + "}";
    for (const QByteArray& rtf : {hugeFontLines, hugeSpacing, tallPictures}) {
        QTextDocument document;
        readRtf(rtf, document);
        document.setTextWidth(300);
        EXPECT_GT(document.blockCount() + document.characterCount(), 100);
        EXPECT_LT(document.size().height(), 3.3e7);
    }
}

TEST(RtfRobustness, ManyRowsAndColumnsStayBounded) {
    const QByteArray rows = "{\\rtf1 " + QByteArray("\\intbl a\\cell b\\cell\\row ").repeated(3000) + "}";
    const QByteArray cells = "{\\rtf1\\intbl " + QByteArray("a\\cell ").repeated(3000) + "\\row}";
    for (const QByteArray& rtf : {rows, cells}) {
        QTextDocument document;
        readRtf(rtf, document);
        QTextTable* table = document.find("a").currentTable();
        ASSERT_NE(table, nullptr);
        EXPECT_LE(table->rows() * table->columns(), 4096);
        EXPECT_EQ(document.toPlainText().count('a'), 3000);  // nothing is lost, the rest follows the table
    }
}

// Each bound holds at its limit and cuts one past it.
TEST(RtfRobustness, TableBoundsHoldAtTheirLimits) {
    const auto rowsOf = [](int count) {
        return "{\\rtf1 " + QByteArray("\\intbl a\\cell\\row ").repeated(count) + "}";
    };
    const auto columnsOf = [](int count) {
        return "{\\rtf1\\intbl " + QByteArray("a\\cell ").repeated(count) + "\\row}";
    };
    const QByteArray squareRow = "\\intbl " + QByteArray("a\\cell ").repeated(64) + "\\row ";
    struct Case {
        const char* what;
        QByteArray rtf;
        int rows, columns;
    };
    const std::vector<Case> cases = {
        {"256 rows", rowsOf(256), 256, 1},
        {"257 rows", rowsOf(257), 256, 1},
        {"64 columns", columnsOf(64), 1, 64},
        {"65 columns", columnsOf(65), 1, 64},
        {"64 x 64 cells", "{\\rtf1 " + squareRow.repeated(64) + "}", 64, 64},
        {"65 x 64 cells", "{\\rtf1 " + squareRow.repeated(65) + "}", 64, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTextDocument document;
        readRtf(c.rtf, document);
        QTextTable* table = document.find("a").currentTable();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rows(), c.rows);
        EXPECT_EQ(table->columns(), c.columns);
    }
}

// Past the depth bound a group shares its parent's state, so a format set inside it outlives it.
TEST(RtfRobustness, GroupDepthBoundHoldsAtItsLimit) {
    const auto boldAfterInnerGroup = [](int depth) {
        const QByteArray rtf = "{\\rtf1 " + QByteArray(depth, '{') + "{\\b a}b" + QByteArray(depth, '}') + "}";
        QTextDocument document;
        readRtf(rtf, document);
        return formatAt(document, "b").font().bold();
    };
    EXPECT_FALSE(boldAfterInnerGroup(509));
    EXPECT_FALSE(boldAfterInnerGroup(510));
    EXPECT_TRUE(boldAfterInnerGroup(511));
}

TEST(RtfRobustness, ReplacesEarlierContent) {
    QTextDocument document;
    readRtf(doc("first"), document);
    readRtf(doc("second"), document);
    EXPECT_EQ(document.toPlainText(), "second");
}

}  // namespace
