#include "RtfWriter.h"

#include "Cp1251.h"
#include "PictureSource.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <unordered_map>

namespace {

constexpr double twipsPerPixel = 15.0;  // 1440 twips per inch at 96 pixels per inch
constexpr double himetricPerPixel = 2540.0 / 96.0;
constexpr int twipsPerListLevel = 360;
constexpr int defaultColumnTwips = 1800;
constexpr int hexBytesPerLine = 64;

int twips(double pixels) { return qRound(pixels * twipsPerPixel); }

// Code page 1251's upper half by character, for the \'hh escapes.
const std::unordered_map<char16_t, unsigned char>& cp1251UpperHalf() {
    static const std::unordered_map<char16_t, unsigned char> table = [] {
        std::unordered_map<char16_t, unsigned char> bytes;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char16_t character = cp1251ToUnicode(static_cast<unsigned char>(byte));
            if (character != 0 && character != 0xFFFD) bytes.emplace(character, static_cast<unsigned char>(byte));
        }
        return bytes;
    }();
    return table;
}

void appendHexByte(QByteArray& out, unsigned char byte) {
    static const char digits[] = "0123456789abcdef";
    out += "\\'";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

// Text as code page 1251, with a Unicode escape and a '?' fallback for everything else.
void appendText(QByteArray& out, QStringView text) {
    const auto& upperHalf = cp1251UpperHalf();
    for (const QChar character : text) {
        const char16_t unit = character.unicode();
        if (unit == '\\' || unit == '{' || unit == '}') {
            out += '\\';
            out += char(unit);
        } else if (unit == '\t') {
            out += "\\tab ";
        } else if (unit == 0x2028 || unit == QChar::LineFeed) {
            out += "\\line ";
        } else if (unit == 0xA0) {
            out += "\\~";
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += char(unit);
        } else if (const auto found = upperHalf.find(unit); found != upperHalf.end()) {
            appendHexByte(out, found->second);
        } else if (unit >= 0x20) {
            out += "\\u" + QByteArray::number(static_cast<qint16>(unit)) + '?';
        }
    }
}

QString familyOf(const QTextCharFormat& format) {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

class RtfWriter {
public:
    explicit RtfWriter(const QTextDocument& document) : document_(document) {}
    QByteArray write();

private:
    void collectTables();
    void collectFormat(const QTextCharFormat& format);
    int fontIndex(const QTextCharFormat& format) const;
    int colorIndex(const QBrush& brush) const;
    QByteArray header() const;

    void writeFrame(const QTextFrame* frame, bool inTable);
    void writeTable(const QTextTable* table);
    void writeBlock(const QTextBlock& block, bool inTable);
    void writeParagraphFormat(const QTextBlock& block, bool inTable);
    void writeTabStops(const QList<QTextOption::Tab>& tabs, double firstLineStart);
    void writeListMarker(const QTextBlock& block);
    void writeFragment(const QTextFragment& fragment);
    void writeCharacterFormat(const QTextCharFormat& format);
    void writePicture(const QTextImageFormat& format);
    std::optional<PictureSource> pictureBytes(const QTextImageFormat& format) const;
    void endParagraphIfNeeded();

    const QTextDocument& document_;
    QStringList fonts_;
    QList<QColor> colors_;
    QByteArray body_;
    bool paragraphOpen_ = false;
};

QByteArray RtfWriter::write() {
    collectTables();
    writeFrame(document_.rootFrame(), false);
    return header() + body_ + "}\n";
}

void RtfWriter::collectTables() {
    fonts_ << QString();  // \f0 without a name: text that names no family
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        collectFormat(block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) collectFormat(it.fragment().charFormat());
    }
}

void RtfWriter::collectFormat(const QTextCharFormat& format) {
    const QString family = familyOf(format);
    if (!family.isEmpty() && !fonts_.contains(family)) fonts_ << family;
    for (const QBrush& brush : {format.foreground(), format.background()}) {
        if (brush.style() != Qt::NoBrush && !colors_.contains(brush.color())) colors_ << brush.color();
    }
}

int RtfWriter::fontIndex(const QTextCharFormat& format) const {
    const QString family = familyOf(format);
    return family.isEmpty() ? 0 : int(fonts_.indexOf(family));
}

// Index 0 of the colour table is "auto".
int RtfWriter::colorIndex(const QBrush& brush) const {
    return brush.style() == Qt::NoBrush ? 0 : int(colors_.indexOf(brush.color())) + 1;
}

QByteArray RtfWriter::header() const {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1{\\fonttbl";
    for (qsizetype index = 0; index < fonts_.size(); ++index) {
        out += "{\\f" + QByteArray::number(index) + "\\fnil\\fcharset204" + (index == 0 ? "" : " ");
        QString name = fonts_[index];
        name.remove(QLatin1Char(';'));
        appendText(out, name);
        out += ";}";
    }
    out += "}{\\colortbl ;";
    for (const QColor& color : colors_) {
        out += "\\red" + QByteArray::number(color.red()) + "\\green" + QByteArray::number(color.green()) +
               "\\blue" + QByteArray::number(color.blue()) + ';';
    }
    out += "}\n";
    return out;
}

void RtfWriter::writeFrame(const QTextFrame* frame, bool inTable) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            if (const auto* table = qobject_cast<const QTextTable*>(child); table != nullptr && !inTable)
                writeTable(table);
            else
                writeFrame(child, inTable);  // a table in a cell keeps its text, in the outer cell
        } else {
            writeBlock(it.currentBlock(), inTable);
        }
    }
}

// The table starts in the paragraph before it, as a reader places it there.
void RtfWriter::writeTable(const QTextTable* table) {
    paragraphOpen_ = false;
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QByteArray rowDefinition = "\\trowd";
    int right = 0;
    for (int column = 0; column < table->columns(); ++column) {
        const bool fixed = column < widths.size() && widths[column].type() == QTextLength::FixedLength;
        right += fixed ? twips(widths[column].rawValue()) : defaultColumnTwips;
        rowDefinition += "\\cellx" + QByteArray::number(right);
    }
    for (int row = 0; row < table->rows(); ++row) {
        body_ += rowDefinition + '\n';
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            bool written = false;
            if (cell.row() == row && cell.column() == column) {
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (written) body_ += "\\par\n";
                    if (const QTextFrame* nested = it.currentFrame()) writeFrame(nested, true);
                    else writeBlock(it.currentBlock(), true);
                    paragraphOpen_ = false;
                    written = true;
                }
            }
            if (!written) body_ += "\\pard\\intbl";
            body_ += "\\cell\n";
        }
        body_ += "\\row\n";
    }
    body_ += "\\pard\n";
}

void RtfWriter::endParagraphIfNeeded() {
    if (paragraphOpen_) body_ += "\\par\n";
    paragraphOpen_ = false;
}

void RtfWriter::writeBlock(const QTextBlock& block, bool inTable) {
    if (!inTable) endParagraphIfNeeded();
    writeParagraphFormat(block, inTable);
    writeListMarker(block);
    for (auto it = block.begin(); !it.atEnd(); ++it) writeFragment(it.fragment());
    paragraphOpen_ = !inTable;
}

void RtfWriter::writeParagraphFormat(const QTextBlock& block, bool inTable) {
    const QTextBlockFormat format = block.blockFormat();
    body_ += "\\pard";
    if (inTable) body_ += "\\intbl";
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter) body_ += "\\qc";
    else if (alignment & Qt::AlignJustify) body_ += "\\qj";
    else if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) body_ += "\\qr";
    double left = format.leftMargin() + format.indent() * document_.indentWidth();
    double firstLine = format.textIndent();
    if (const QTextList* list = block.textList()) {
        left += list->format().indent() * document_.indentWidth();
        firstLine = -twipsPerListLevel / twipsPerPixel;
    }
    const std::pair<const char*, double> lengths[] = {
        {"\\li", left}, {"\\ri", format.rightMargin()}, {"\\fi", firstLine},
        {"\\sb", format.topMargin()}, {"\\sa", format.bottomMargin()},
    };
    for (const auto& [word, pixels] : lengths)
        if (twips(pixels) != 0) body_ += word + QByteArray::number(twips(pixels));
    if (format.lineHeightType() == QTextBlockFormat::ProportionalHeight)
        body_ += "\\sl" + QByteArray::number(qRound(format.lineHeight() * 240 / 100)) + "\\slmult1";
    else if (format.lineHeightType() == QTextBlockFormat::MinimumHeight)
        body_ += "\\sl" + QByteArray::number(twips(format.lineHeight())) + "\\slmult0";
    else if (format.lineHeightType() == QTextBlockFormat::FixedHeight)
        body_ += "\\sl-" + QByteArray::number(twips(format.lineHeight())) + "\\slmult0";
    writeTabStops(format.tabPositions(), left + firstLine);
    body_ += ' ';
}

// Stops are kept from where the first line starts; RTF measures them from the column's edge.
void RtfWriter::writeTabStops(const QList<QTextOption::Tab>& tabs, double firstLineStart) {
    for (const QTextOption::Tab& tab : tabs) {
        if (tab.type == QTextOption::RightTab) body_ += "\\tqr";
        else if (tab.type == QTextOption::CenterTab) body_ += "\\tqc";
        else if (tab.type == QTextOption::DelimiterTab) body_ += "\\tqdec";
        body_ += "\\tx" + QByteArray::number(twips(tab.position + firstLineStart));
    }
}

// The number or bullet as word processors write it for readers that know no list tables.
void RtfWriter::writeListMarker(const QTextBlock& block) {
    const QTextList* list = block.textList();
    if (list == nullptr) return;
    QString marker;
    switch (list->format().style()) {
    case QTextListFormat::ListDisc: marker = QStringLiteral("\u2022"); break;
    case QTextListFormat::ListCircle: marker = QStringLiteral("\u25E6"); break;
    case QTextListFormat::ListSquare: marker = QStringLiteral("\u25AA"); break;
    default: marker = list->itemText(block); break;
    }
    body_ += "{\\listtext ";
    appendText(body_, marker);
    body_ += "\\tab}";
}

void RtfWriter::writeFragment(const QTextFragment& fragment) {
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat()) {
        for (qsizetype i = 0; i < fragment.length(); ++i) writePicture(format.toImageFormat());
        return;
    }
    body_ += '{';
    writeCharacterFormat(format);
    appendText(body_, fragment.text());
    body_ += '}';
}

void RtfWriter::writeCharacterFormat(const QTextCharFormat& format) {
    body_ += "\\f" + QByteArray::number(fontIndex(format));
    double points = format.fontPointSize();
    if (points <= 0) points = document_.defaultFont().pointSizeF();
    if (points > 0) body_ += "\\fs" + QByteArray::number(qRound(points * 2));
    if (format.fontWeight() >= QFont::DemiBold) body_ += "\\b";
    if (format.fontItalic()) body_ += "\\i";
    if (format.fontUnderline()) body_ += "\\ul";
    if (format.fontStrikeOut()) body_ += "\\strike";
    if (format.fontCapitalization() == QFont::AllUppercase) body_ += "\\caps";
    if (format.fontCapitalization() == QFont::SmallCaps) body_ += "\\scaps";
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) body_ += "\\super";
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) body_ += "\\sub";
    if (const int color = colorIndex(format.foreground()); color > 0) body_ += "\\cf" + QByteArray::number(color);
    if (const int color = colorIndex(format.background()); color > 0)
        body_ += "\\highlight" + QByteArray::number(color);
    body_ += ' ';
}

std::optional<PictureSource> RtfWriter::pictureBytes(const QTextImageFormat& format) const {
    if (auto source = unchangedPictureSource(document_, format)) return source;
    const QVariant stored = document_.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image = stored.value<QImage>();
    if (image.isNull()) image = stored.value<QPixmap>().toImage();
    if (image.isNull()) return std::nullopt;
    PictureSource source{{}, "pngblip"};
    QBuffer buffer(&source.bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "png")) return std::nullopt;
    return source;
}

void RtfWriter::writePicture(const QTextImageFormat& format) {
    const std::optional<PictureSource> source = pictureBytes(format);
    if (!source) return;
    QSize pixels = document_.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>().size();
    QSize shown(qRound(format.width()), qRound(format.height()));
    if (shown.width() <= 0 || shown.height() <= 0) shown = pixels;
    // A metafile is measured in HIMETRIC, and what is stored for it is only a frame.
    if (source->kind != "pngblip" && source->kind != "jpegblip") pixels = (QSizeF(shown) * himetricPerPixel).toSize();
    body_ += "{\\pict\\" + source->kind;
    if (!pixels.isEmpty())
        body_ += "\\picw" + QByteArray::number(pixels.width()) + "\\pich" + QByteArray::number(pixels.height());
    if (!shown.isEmpty())
        body_ += "\\picwgoal" + QByteArray::number(twips(shown.width())) + "\\pichgoal" +
                 QByteArray::number(twips(shown.height()));
    body_ += '\n';
    for (qsizetype start = 0; start < source->bytes.size(); start += hexBytesPerLine)
        body_ += source->bytes.sliced(start, std::min<qsizetype>(hexBytesPerLine, source->bytes.size() - start))
                     .toHex() +
                 '\n';
    body_ += '}';
}

}  // namespace

QByteArray writeRtf(const QTextDocument& document) {
    return RtfWriter(document).write();
}
