#include "RtfReader.h"

#include "Cp1251.h"
#include "PictureSource.h"
#include "SymbolFont.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Limits that keep hostile documents from exhausting memory or time; real questions stay far below.
constexpr int maxGroupDepth = 512;
constexpr qsizetype maxPictureDataBytes = 64 * 1024 * 1024;
constexpr qint64 maxDecodedPictureBytes = 64 * 1024 * 1024;
constexpr int maxPictureSide = 8000;
constexpr int maxPlaceholderSide = 2048;
constexpr int maxTableColumns = 64;
// Every new row or column makes the layout rebuild the table's grid; beyond these bounds the
// text joins the last cell instead.
constexpr int maxTableRows = 256;
constexpr int maxTableCells = 4096;
constexpr qint64 maxDecodedBytesPerDocument = 256 * 1024 * 1024;
// The layout works in 26.6 fixed point and never finishes a document taller than about 2^25
// pixels, so reading stops once an estimate of the height, made for a narrow view, passes this.
constexpr double maxEstimatedHeight = 8e6;
constexpr double narrowViewWidth = 200;
constexpr std::size_t maxTabStops = 32;
constexpr int maxTwips = 31680;  // 22 inches, the largest page a word processor offers
constexpr double twipsPerPixel = 15.0;  // 1440 twips per inch at 96 pixels per inch
constexpr double himetricPerPixel = 2540.0 / 96.0;
constexpr int defaultHalfPoints = 24;
constexpr int symbolCodePage = 42;  // the code page Windows gives the Symbol charset

enum class Destination { Text, Skip, FontTable, ColorTable, Picture };

enum class VerticalPosition { Normal, Super, Sub };

struct CharacterState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool capitals = false;
    bool smallCapitals = false;
    VerticalPosition position = VerticalPosition::Normal;
    int halfPoints = defaultHalfPoints;
    int font = -1;  // -1: the document's default font
    int foreground = 0;  // colour table index; 0 is "auto"
    int background = 0;
    bool operator==(const CharacterState&) const = default;
};

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstLineTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
    int lineSpacing = 0;  // \sl: twips, negative for an exact height; 0 for single spacing
    bool lineSpacingMultiple = false;
    bool inTable = false;
    std::vector<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharacterState characters;
    ParagraphState paragraph;
    int unicodeSkip = 1;
    bool listNumber = false;  // a list's number or bullet: shown, but never moves in or out of a table
};

struct FontEntry {
    std::string name;  // bytes as written, in the font's own code page
    QString family;
    bool nameComplete = false;
    int charset = -1;
    int codePage = 0;  // 0: the document's ANSI code page
    bool symbol = false;
};

enum class PictureKind { Unknown, Png, Jpeg, Metafile };

struct PictureState {
    PictureKind kind = PictureKind::Unknown;
    QByteArray typeWord;  // the control word that gave the kind, with its parameter
    QByteArray data;
    int pendingNibble = -1;
    int width = 0, height = 0;          // \picw \pich: pixels, or HIMETRIC for metafiles
    int goalWidth = 0, goalHeight = 0;  // twips
    int scaleX = 100, scaleY = 100;
};

// Hex digit values, -1 for every other byte.
constexpr std::array<signed char, 256> hexDigits = [] {
    std::array<signed char, 256> digits{};
    digits.fill(-1);
    for (int c = '0'; c <= '9'; ++c) digits[c] = static_cast<signed char>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) digits[c] = static_cast<signed char>(c - 'a' + 10);
    for (int c = 'A'; c <= 'F'; ++c) digits[c] = static_cast<signed char>(c - 'A' + 10);
    return digits;
}();

int clampInt(std::int64_t value, int low, int high) {
    return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
}

int codePageOfCharset(int charset) {
    switch (charset) {
    case 0: return 1252;
    case 2: return symbolCodePage;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

const char* encodingNameOfCodePage(int codePage) {
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1250: return "windows-1250";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    default: return nullptr;
    }
}

// Control words that open a destination whose content is never shown.
bool isSkippedDestination(std::string_view word) {
    static const std::unordered_set<std::string_view> words = {
        "stylesheet", "info", "listtable", "listoverridetable", "pn", "header", "headerl", "headerr",
        "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "fldinst",
        "objdata", "objclass", "objname", "nonshppict", "filetbl", "revtbl", "rsidtbl", "xe", "tc",
        "txe", "rxe", "template", "private", "pgdsctbl", "themedata", "colorschememapping",
        "datastore", "latentstyles", "generator", "xmlnstbl", "mmathPr", "bkmkstart", "bkmkend",
        "picprop", "blipuid", "falt", "panose", "fname", "atnid", "atnauthor",
    };
    return words.contains(word);
}

// Destinations whose content this reader shows or interprets; after \* every other one is skipped.
bool isKnownDestination(std::string_view word) {
    static const std::unordered_set<std::string_view> words = {
        "fonttbl", "colortbl", "pict", "shppict", "fldrslt", "result",
        "shprslt", "pntext", "listtext", "field", "object", "shp",
    };
    return words.contains(word);
}

class RtfParser {
public:
    RtfParser(const QByteArray& rtf, QTextDocument& document)
        : input_(rtf), document_(document), cursor_(&document) {}

    void run();

private:
    // Tokens
    bool atEnd() const { return position_ >= input_.size(); }
    unsigned char peek() const { return static_cast<unsigned char>(input_[position_]); }
    void readControl();
    void readControlWord();
    void readHexByte();
    void readTextRun();

    // Groups
    void openGroup();
    void closeGroup();
    GroupState& state() { return groups_.back(); }
    const GroupState& state() const { return groups_.back(); }

    // Control words
    void handleWord(std::string_view word, bool hasParameter, int parameter);
    bool handleCharacterWord(std::string_view word, bool hasParameter, int parameter);
    bool handleParagraphWord(std::string_view word, int parameter);
    bool handleSpecialCharacter(std::string_view word);
    void handleFontTableWord(std::string_view word, int parameter);
    void handleColorTableWord(std::string_view word, int parameter);
    void handlePictureWord(std::string_view word, bool hasParameter, int parameter);
    void enterDestination(std::string_view word);
    void skipBinary(int count);

    // Text
    void appendByte(unsigned char byte);
    void appendText(QStringView text);
    void appendUnicode(int code);
    bool consumeSkippedCharacter();
    void decodePendingBytes();
    void flushRun();
    int currentCodePage() const;
    const FontEntry* fontEntry(int index) const;
    bool isSymbolFont(int index) const;
    QTextCharFormat characterFormat(const CharacterState& characters) const;
    QTextBlockFormat blockFormat(const ParagraphState& paragraph) const;
    QString decode(const std::string& bytes, int codePage);

    // Structure
    void endParagraph();
    double lineHeight() const;
    void addHeight(double pixels);
    void addCharacters(qsizetype count);
    void placeCursorForContent();
    void startTable();
    void leaveTable();
    void overflowTable();
    void endCell();
    void endRow();

    // Tables of fonts and colours
    void fontTableText(unsigned char byte);
    void colorTableText(unsigned char byte);

    // Pictures
    void pictureHex(QByteArrayView text);
    void finishPicture();
    QImage decodePicture(QSize& displaySize) const;
    QString placeholderName(QSize displaySize);
    static QImage placeholderFrame(QSize displaySize);

    const QByteArray& input_;
    QTextDocument& document_;
    QTextCursor cursor_;
    qsizetype position_ = 0;
    bool finished_ = false;

    std::vector<GroupState> groups_;
    int overflowDepth_ = 0;
    bool ignorableNext_ = false;
    int skipCharacters_ = 0;

    int ansiCodePage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, FontEntry> fonts_;
    int fontBeingRead_ = -1;
    std::vector<std::optional<QColor>> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;

    CharacterState runCharacters_;
    QString runText_;
    std::string pendingBytes_;
    int pendingCodePage_ = 0;
    std::map<int, std::unique_ptr<QStringDecoder>> decoders_;

    bool paragraphHasContent_ = false;
    int paragraphCount_ = 0;

    QTextTable* table_ = nullptr;
    int tableRow_ = 0;
    int tableColumn_ = 0;
    bool rowEnded_ = false;
    bool cellEnded_ = false;
    bool tableOverflow_ = false;
    std::vector<int> cellRightTwips_;

    PictureState picture_;
    int pictureCount_ = 0;
    qint64 decodedBytes_ = 0;
    double estimatedHeight_ = 0;
    std::map<std::pair<int, int>, QString> placeholderNames_;
};

void RtfParser::run() {
    groups_.reserve(64);
    groups_.emplace_back();
    document_.clear();
    cursor_ = QTextCursor(&document_);
    // Inside one edit block the cursors skip their per-insert line layout and the document
    // reports one change at the end, so long paragraphs and cells stay linear.
    QTextCursor editBlock(&document_);
    editBlock.beginEditBlock();
    // The root group is opened by the document's first brace, which the caller has checked.
    ++position_;
    while (!atEnd() && !finished_) {
        const unsigned char c = peek();
        if (c == '{') {
            ++position_;
            openGroup();
        } else if (c == '}') {
            ++position_;
            closeGroup();
        } else if (c == '\\') {
            readControl();
        } else {
            readTextRun();
        }
    }
    // A truncated document still shows what it holds, open pictures included.
    while (groups_.size() > 1) closeGroup();
    flushRun();
    cursor_.setBlockFormat(blockFormat(state().paragraph));
    // A final paragraph mark leaves an empty last block that shows only as a blank line.
    if (!paragraphHasContent_ && paragraphCount_ > 0 && table_ == nullptr) {
        QTextCursor previous(cursor_);
        if (previous.movePosition(QTextCursor::PreviousBlock) && previous.currentTable() == nullptr)
            cursor_.deletePreviousChar();
    }
    editBlock.endEditBlock();
}

void RtfParser::openGroup() {
    skipCharacters_ = 0;
    if (static_cast<int>(groups_.size()) >= maxGroupDepth) {
        ++overflowDepth_;
        return;
    }
    groups_.push_back(groups_.back());
}

void RtfParser::closeGroup() {
    skipCharacters_ = 0;
    ignorableNext_ = false;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    if (groups_.size() == 1) {
        finished_ = true;
        return;
    }
    const Destination closing = state().destination;
    if (closing == Destination::FontTable) fontBeingRead_ = -1;
    groups_.pop_back();
    if (closing == Destination::Picture && state().destination != Destination::Picture) finishPicture();
}

void RtfParser::readControl() {
    ++position_;  // the backslash
    if (atEnd()) return;
    const unsigned char c = peek();
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        readControlWord();
        return;
    }
    ++position_;
    switch (c) {
    case '\'': readHexByte(); return;
    case '*': ignorableNext_ = true; return;
    case '\\':
    case '{':
    case '}':
        if (consumeSkippedCharacter()) return;
        if (state().destination == Destination::Text) {
            const char16_t literal = c;
            appendText(QStringView(&literal, 1));
        } else if (state().destination == Destination::FontTable) {
            fontTableText(c);
        }
        return;
    case '\r':
    case '\n': handleWord("par", false, 0); return;
    case '~': handleWord("~", false, 0); return;
    case '_': handleWord("_", false, 0); return;
    case '-': handleWord("-", false, 0); return;
    default: consumeSkippedCharacter(); return;
    }
}

void RtfParser::readControlWord() {
    const qsizetype start = position_;
    while (!atEnd() && ((peek() >= 'a' && peek() <= 'z') || (peek() >= 'A' && peek() <= 'Z'))) ++position_;
    const std::string_view word(input_.constData() + start,
                                static_cast<std::size_t>(std::min<qsizetype>(position_ - start, 32)));
    bool negative = false;
    if (!atEnd() && peek() == '-' && position_ + 1 < input_.size() && input_[position_ + 1] >= '0' &&
        input_[position_ + 1] <= '9') {
        negative = true;
        ++position_;
    }
    bool hasParameter = false;
    std::int64_t value = 0;
    while (!atEnd() && peek() >= '0' && peek() <= '9') {
        hasParameter = true;
        if (value < 0x7fffffff) value = value * 10 + (peek() - '0');
        ++position_;
    }
    if (!atEnd() && peek() == ' ') ++position_;
    const int parameter = clampInt(negative ? -value : value, -0x7fffffff, 0x7fffffff);
    if (word == "bin") {
        skipBinary(hasParameter ? parameter : 0);
        return;
    }
    handleWord(word, hasParameter, parameter);
}

void RtfParser::readHexByte() {
    int value = -1;
    for (int i = 0; i < 2 && !atEnd(); ++i) {
        const int digit = hexDigits[peek()];
        if (digit < 0) break;
        value = value < 0 ? digit : value * 16 + digit;
        ++position_;
    }
    if (value < 0) return;
    if (consumeSkippedCharacter()) return;
    switch (state().destination) {
    case Destination::Text: appendByte(static_cast<unsigned char>(value)); break;
    case Destination::FontTable: fontTableText(static_cast<unsigned char>(value)); break;
    default: break;
    }
}

void RtfParser::readTextRun() {
    const Destination destination = state().destination;
    if (destination == Destination::Text && skipCharacters_ == 0 && !isSymbolFont(state().characters.font)) {
        // Plain ASCII goes in one piece; everything else byte by byte below.
        const qsizetype start = position_;
        while (!atEnd()) {
            const unsigned char c = peek();
            if (c < 0x20 || c >= 0x80 || c == '\\' || c == '{' || c == '}') break;
            ++position_;
        }
        if (position_ > start) {
            appendText(QString::fromLatin1(input_.constData() + start, position_ - start));
            return;
        }
    }
    if ((destination == Destination::Picture || destination == Destination::Skip) && skipCharacters_ == 0) {
        // Picture data and skipped destinations are most of a large document's bytes.
        const qsizetype start = position_;
        while (!atEnd()) {
            const unsigned char c = peek();
            if (c == '\\' || c == '{' || c == '}') break;
            ++position_;
        }
        if (destination == Destination::Picture) pictureHex(QByteArrayView(input_).sliced(start, position_ - start));
        return;
    }
    const unsigned char c = peek();
    ++position_;
    if (c == '\r' || c == '\n' || c == 0) return;
    if (consumeSkippedCharacter()) return;
    switch (destination) {
    case Destination::Text:
        if (c == '\t') handleWord("tab", false, 0);
        else if (c >= 0x20) appendByte(c);
        break;
    case Destination::FontTable: fontTableText(c); break;
    case Destination::ColorTable: colorTableText(c); break;
    case Destination::Picture: break;
    case Destination::Skip: break;
    }
}

void RtfParser::skipBinary(int count) {
    const qsizetype available = input_.size() - position_;
    const qsizetype length = std::clamp<qsizetype>(count, 0, available);
    if (state().destination == Destination::Picture &&
        picture_.data.size() + length <= maxPictureDataBytes) {
        picture_.data.append(input_.constData() + position_, length);
    }
    position_ += length;
}

bool RtfParser::consumeSkippedCharacter() {
    if (skipCharacters_ == 0) return false;
    --skipCharacters_;
    return true;
}

void RtfParser::handleWord(std::string_view word, bool hasParameter, int parameter) {
    const bool ignorable = ignorableNext_;
    ignorableNext_ = false;
    GroupState& group = state();
    if (group.destination == Destination::Skip) return;
    if (skipCharacters_ > 0 && word != "u") {
        --skipCharacters_;
        return;
    }
    if (isKnownDestination(word)) {
        enterDestination(word);
        return;
    }
    if (ignorable || isSkippedDestination(word)) {
        group.destination = Destination::Skip;
        return;
    }
    switch (group.destination) {
    case Destination::FontTable: handleFontTableWord(word, parameter); return;
    case Destination::ColorTable: handleColorTableWord(word, parameter); return;
    case Destination::Picture: handlePictureWord(word, hasParameter, parameter); return;
    default: break;
    }
    if (word == "u") {
        appendUnicode(parameter);
        skipCharacters_ = group.unicodeSkip;
        return;
    }
    if (word == "uc") {
        group.unicodeSkip = std::clamp(parameter, 0, 16);
        return;
    }
    if (word == "ansicpg") {
        ansiCodePage_ = parameter;
        return;
    }
    if (word == "deff") {
        defaultFont_ = parameter;
        return;
    }
    if (handleCharacterWord(word, hasParameter, parameter)) return;
    if (handleParagraphWord(word, parameter)) return;
    handleSpecialCharacter(word);
}

void RtfParser::enterDestination(std::string_view word) {
    GroupState& group = state();
    if (word == "fonttbl") {
        group.destination = Destination::FontTable;
    } else if (word == "colortbl") {
        group.destination = Destination::ColorTable;
        colors_.clear();
        colorSet_ = false;
        red_ = green_ = blue_ = 0;
    } else if (word == "pict") {
        group.destination = Destination::Picture;
        picture_ = PictureState{};
    }
    else if (word == "pntext" || word == "listtext") {
        group.listNumber = true;
    }
    // The other known destinations (field and object results, shapes) show as text.
}

bool RtfParser::handleCharacterWord(std::string_view word, bool hasParameter, int parameter) {
    CharacterState& characters = state().characters;
    const bool on = !hasParameter || parameter != 0;
    if (word == "b") characters.bold = on;
    else if (word == "i") characters.italic = on;
    else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash" ||
             word == "ulth" || word == "ulwave")
        characters.underline = on;
    else if (word == "ulnone") characters.underline = false;
    else if (word == "strike" || word == "striked") characters.strike = on;
    else if (word == "v") characters.hidden = on;
    else if (word == "caps") characters.capitals = on;
    else if (word == "scaps") characters.smallCapitals = on;
    else if (word == "up") characters.position = on ? VerticalPosition::Super : VerticalPosition::Normal;
    else if (word == "dn") characters.position = on ? VerticalPosition::Sub : VerticalPosition::Normal;
    else if (word == "super") characters.position = VerticalPosition::Super;
    else if (word == "sub") characters.position = VerticalPosition::Sub;
    else if (word == "nosupersub") characters.position = VerticalPosition::Normal;
    else if (word == "fs") characters.halfPoints = hasParameter ? std::clamp(parameter, 2, 3276) : defaultHalfPoints;
    else if (word == "f") characters.font = parameter;
    else if (word == "cf") characters.foreground = parameter;
    else if (word == "cb" || word == "highlight" || word == "chcbpat") characters.background = parameter;
    else if (word == "plain") {
        characters = CharacterState{};
        characters.font = defaultFont_;
    } else return false;
    return true;
}

bool RtfParser::handleParagraphWord(std::string_view word, int parameter) {
    ParagraphState& paragraph = state().paragraph;
    const int twips = std::clamp(parameter, -maxTwips, maxTwips);
    if (word == "par" || word == "sect" || word == "page") endParagraph();
    else if (word == "pard") {
        // A list number's own \pard must not take its paragraph out of a table cell.
        const bool keepTable = state().listNumber && paragraph.inTable;
        paragraph = ParagraphState{};
        paragraph.inTable = keepTable;
    }
    else if (word == "ql") paragraph.alignment = Qt::AlignLeft;
    else if (word == "qc") paragraph.alignment = Qt::AlignHCenter;
    else if (word == "qr") paragraph.alignment = Qt::AlignRight;
    else if (word == "qj") paragraph.alignment = Qt::AlignJustify;
    else if (word == "li") paragraph.leftTwips = twips;
    else if (word == "ri") paragraph.rightTwips = twips;
    else if (word == "fi") paragraph.firstLineTwips = twips;
    else if (word == "sb") paragraph.beforeTwips = std::max(0, twips);
    else if (word == "sa") paragraph.afterTwips = std::max(0, twips);
    else if (word == "intbl") paragraph.inTable = true;
    else if (word == "sl") paragraph.lineSpacing = twips;
    else if (word == "slmult") paragraph.lineSpacingMultiple = parameter != 0;
    else if (word == "tqr") paragraph.nextTabType = QTextOption::RightTab;
    else if (word == "tqc") paragraph.nextTabType = QTextOption::CenterTab;
    else if (word == "tqdec") paragraph.nextTabType = QTextOption::DelimiterTab;
    else if (word == "tx" || word == "tb") {
        if (paragraph.tabs.size() < maxTabStops)
            paragraph.tabs.emplace_back(std::max(0, twips) / twipsPerPixel, paragraph.nextTabType);
        paragraph.nextTabType = QTextOption::LeftTab;
    }
    else if (word == "trowd") cellRightTwips_.clear();
    else if (word == "cellx") {
        if (static_cast<int>(cellRightTwips_.size()) < maxTableColumns) cellRightTwips_.push_back(twips);
    } else if (word == "cell") endCell();
    else if (word == "row") endRow();
    else return false;
    return true;
}

bool RtfParser::handleSpecialCharacter(std::string_view word) {
    static const std::unordered_map<std::string_view, char16_t> characters = {
        {"tab", u'\t'},        {"line", u'\x2028'},     {"emdash", u'\x2014'},  {"endash", u'\x2013'},
        {"bullet", u'\x2022'}, {"lquote", u'\x2018'},   {"rquote", u'\x2019'},  {"ldblquote", u'\x201C'},
        {"rdblquote", u'\x201D'}, {"~", u'\xA0'},       {"_", u'\x2011'},       {"emspace", u'\x2003'},
        {"enspace", u'\x2002'}, {"qmspace", u'\x2005'}, {"zwj", u'\x200D'},     {"zwnj", u'\x200C'},
    };
    const auto found = characters.find(word);
    if (found == characters.end()) return false;
    appendText(QStringView(&found->second, 1));
    return true;
}

void RtfParser::handleFontTableWord(std::string_view word, int parameter) {
    if (word == "f") {
        fontBeingRead_ = parameter;
        fonts_[parameter] = FontEntry{};
    } else if (fontBeingRead_ >= 0 && word == "fcharset") {
        fonts_[fontBeingRead_].charset = parameter;
    } else if (fontBeingRead_ >= 0 && word == "cpg") {
        fonts_[fontBeingRead_].codePage = parameter;
    }
}

void RtfParser::fontTableText(unsigned char byte) {
    if (fontBeingRead_ < 0) return;
    FontEntry& font = fonts_[fontBeingRead_];
    if (font.nameComplete) return;
    if (byte == ';') {
        font.nameComplete = true;
        const int codePage = font.codePage > 0 ? font.codePage : codePageOfCharset(font.charset);
        const bool symbolCharset = codePage == symbolCodePage;
        font.family = decode(font.name, symbolCharset || codePage == 0 ? ansiCodePage_ : codePage).trimmed();
        font.symbol = font.family.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
    }
    else if (font.name.size() < 64) font.name.push_back(static_cast<char>(byte));
}

void RtfParser::handleColorTableWord(std::string_view word, int parameter) {
    const int component = std::clamp(parameter, 0, 255);
    if (word == "red") red_ = component;
    else if (word == "green") green_ = component;
    else if (word == "blue") blue_ = component;
    else return;
    colorSet_ = true;
}

void RtfParser::colorTableText(unsigned char byte) {
    if (byte != ';') return;
    if (colorSet_) colors_.emplace_back(QColor(red_, green_, blue_));
    else colors_.emplace_back(std::nullopt);
    colorSet_ = false;
    red_ = green_ = blue_ = 0;
}

void RtfParser::handlePictureWord(std::string_view word, bool hasParameter, int parameter) {
    const bool typeWord = word == "pngblip" || word == "jpegblip" || word == "wmetafile" || word == "emfblip" ||
                          word == "macpict";
    if (typeWord) {
        picture_.typeWord = QByteArray(word.data(), qsizetype(word.size()));
        if (hasParameter) picture_.typeWord += QByteArray::number(parameter);
    }
    if (word == "pngblip") picture_.kind = PictureKind::Png;
    else if (word == "jpegblip") picture_.kind = PictureKind::Jpeg;
    else if (word == "wmetafile" || word == "emfblip" || word == "macpict") picture_.kind = PictureKind::Metafile;
    else if (word == "picw") picture_.width = std::clamp(parameter, 0, 1 << 20);
    else if (word == "pich") picture_.height = std::clamp(parameter, 0, 1 << 20);
    else if (word == "picwgoal") picture_.goalWidth = std::clamp(parameter, 0, 1 << 20);
    else if (word == "pichgoal") picture_.goalHeight = std::clamp(parameter, 0, 1 << 20);
    else if (word == "picscalex") picture_.scaleX = std::clamp(parameter, 1, 1000);
    else if (word == "picscaley") picture_.scaleY = std::clamp(parameter, 1, 1000);
}

void RtfParser::pictureHex(QByteArrayView text) {
    const qsizetype used = picture_.data.size();
    const qsizetype room = std::min(maxPictureDataBytes - used, text.size() / 2 + 1);
    if (room <= 0) return;
    picture_.data.resize(used + room);
    char* out = picture_.data.data() + used;
    char* const end = out + room;
    int nibble = picture_.pendingNibble;
    for (const char c : text) {
        const int digit = hexDigits[static_cast<unsigned char>(c)];
        if (digit < 0) continue;
        if (nibble < 0) {
            nibble = digit;
            continue;
        }
        if (out == end) break;
        *out++ = static_cast<char>(nibble * 16 + digit);
        nibble = -1;
    }
    picture_.data.truncate(out - picture_.data.constData());
    picture_.pendingNibble = nibble;
}

QImage RtfParser::decodePicture(QSize& displaySize) const {
    const char* format = picture_.kind == PictureKind::Png    ? "png"
                         : picture_.kind == PictureKind::Jpeg ? "jpeg"
                                                              : nullptr;
    if (format == nullptr || picture_.data.isEmpty()) return {};
    QBuffer buffer;
    buffer.setData(picture_.data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (!size.isValid() || size.width() > maxPictureSide || size.height() > maxPictureSide ||
        bytes > maxDecodedPictureBytes || decodedBytes_ + bytes > maxDecodedBytesPerDocument)
        return {};
    QImage image = reader.read();
    if (!image.isNull() && displaySize.isEmpty()) displaySize = image.size();
    return image;
}

// One frame per size serves every placeholder of that size.
QString RtfParser::placeholderName(QSize displaySize) {
    const auto key = std::make_pair(displaySize.width(), displaySize.height());
    const auto found = placeholderNames_.find(key);
    if (found != placeholderNames_.end()) return found->second;
    const QString name = QStringLiteral("rtf-placeholder:%1x%2").arg(key.first).arg(key.second);
    document_.addResource(QTextDocument::ImageResource, QUrl(name), placeholderFrame(displaySize));
    placeholderNames_.emplace(key, name);
    return name;
}

QImage RtfParser::placeholderFrame(QSize displaySize) {
    const QSize size = displaySize.boundedTo(QSize(maxPlaceholderSide, maxPlaceholderSide));
    QImage frame(size, QImage::Format_MonoLSB);
    frame.setColorTable({qRgba(0, 0, 0, 0), qRgb(128, 128, 128)});
    frame.fill(0);
    for (int x = 0; x < size.width(); ++x) {
        frame.setPixel(x, 0, 1);
        frame.setPixel(x, size.height() - 1, 1);
    }
    for (int y = 0; y < size.height(); ++y) {
        frame.setPixel(0, y, 1);
        frame.setPixel(size.width() - 1, y, 1);
    }
    return frame;
}

void RtfParser::finishPicture() {
    // The goal size is what the writer meant to show; without it, the picture's own size.
    QSize displaySize;
    if (picture_.goalWidth > 0 && picture_.goalHeight > 0) {
        displaySize = QSize(qRound(picture_.goalWidth / twipsPerPixel), qRound(picture_.goalHeight / twipsPerPixel));
    } else if (picture_.width > 0 && picture_.height > 0) {
        const double unit = picture_.kind == PictureKind::Metafile ? himetricPerPixel : 1.0;
        displaySize = QSize(qRound(picture_.width / unit), qRound(picture_.height / unit));
    }
    QImage image = decodePicture(displaySize);
    const PictureSource source{picture_.data, picture_.typeWord};
    if (displaySize.isEmpty()) displaySize = QSize(32, 32);
    displaySize = QSize(clampInt(qint64(displaySize.width()) * picture_.scaleX / 100, 1, maxPictureSide),
                        clampInt(qint64(displaySize.height()) * picture_.scaleY / 100, 1, maxPictureSide));
    picture_ = PictureState{};

    placeCursorForContent();
    flushRun();
    QString name;
    if (!image.isNull()) {
        decodedBytes_ += image.sizeInBytes();
        name = QStringLiteral("rtf-picture:%1").arg(++pictureCount_);
        document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    } else {
        name = placeholderName(displaySize);
    }
    addHeight(displaySize.height());
    QTextImageFormat format;
    format.setName(name);
    if (!source.kind.isEmpty() && !source.bytes.isEmpty())
        keepPictureSource(format, source, document_.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>());
    format.setWidth(displaySize.width());
    format.setHeight(displaySize.height());
    cursor_.insertImage(format);
    paragraphHasContent_ = true;
}

int RtfParser::currentCodePage() const {
    const int index = state().characters.font;
    if (isSymbolFont(index)) return symbolCodePage;
    const FontEntry* font = fontEntry(index);
    if (font != nullptr) {
        if (font->codePage > 0) return font->codePage;
        const int fromCharset = codePageOfCharset(font->charset);
        if (fromCharset > 0) return fromCharset;
    }
    return ansiCodePage_;
}

const FontEntry* RtfParser::fontEntry(int index) const {
    const auto found = fonts_.find(index < 0 ? defaultFont_ : index);
    return found == fonts_.end() ? nullptr : &found->second;
}

bool RtfParser::isSymbolFont(int index) const {
    const FontEntry* font = fontEntry(index);
    if (font == nullptr) return false;
    return font->symbol || (font->charset == 2 && font->family.isEmpty());
}

QString RtfParser::decode(const std::string& bytes, int codePage) {
    QString text;
    if (codePage == 1251) {
        text.reserve(qsizetype(bytes.size()));
        for (const char byte : bytes) text.append(QChar(cp1251ToUnicode(static_cast<unsigned char>(byte))));
        return text;
    }
    if (codePage == symbolCodePage) {
        text.reserve(qsizetype(bytes.size()));
        for (const char byte : bytes) text.append(QChar(symbolToUnicode(static_cast<unsigned char>(byte))));
        return text;
    }
    auto& decoder = decoders_[codePage];
    if (!decoder) {
        const char* name = encodingNameOfCodePage(codePage);
        decoder = std::make_unique<QStringDecoder>(name != nullptr ? name : "windows-1252");
    }
    if (!decoder->isValid()) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    text = decoder->decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    decoder->resetState();
    return text;
}

void RtfParser::appendByte(unsigned char byte) {
    if (state().characters.hidden) return;
    placeCursorForContent();
    if (!(runCharacters_ == state().characters)) flushRun();
    runCharacters_ = state().characters;
    const int codePage = currentCodePage();
    if (!pendingBytes_.empty() && codePage != pendingCodePage_) decodePendingBytes();
    pendingCodePage_ = codePage;
    pendingBytes_.push_back(static_cast<char>(byte));
    addCharacters(1);
}

void RtfParser::appendText(QStringView text) {
    if (state().characters.hidden) return;
    placeCursorForContent();
    if (!(runCharacters_ == state().characters)) flushRun();
    runCharacters_ = state().characters;
    decodePendingBytes();
    runText_.append(text);
    addCharacters(text.size());
}

void RtfParser::appendUnicode(int code) {
    char16_t unit = static_cast<char16_t>(code < 0 ? code + 65536 : code);
    if (isSymbolFont(state().characters.font)) unit = symbolPrivateUseToUnicode(unit);
    if (unit == 0) return;
    appendText(QStringView(&unit, 1));
}

void RtfParser::decodePendingBytes() {
    if (pendingBytes_.empty()) return;
    runText_.append(decode(pendingBytes_, pendingCodePage_));
    pendingBytes_.clear();
}

void RtfParser::flushRun() {
    decodePendingBytes();
    if (runText_.isEmpty()) return;
    cursor_.insertText(runText_, characterFormat(runCharacters_));
    runText_.clear();
    paragraphHasContent_ = true;
}

QTextCharFormat RtfParser::characterFormat(const CharacterState& characters) const {
    QTextCharFormat format;
    const FontEntry* font = fontEntry(characters.font);
    if (font != nullptr && !font->family.isEmpty() && !isSymbolFont(characters.font))
        format.setFontFamilies({font->family});
    format.setFontPointSize(characters.halfPoints / 2.0);
    format.setFontWeight(characters.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(characters.italic);
    format.setFontUnderline(characters.underline);
    format.setFontStrikeOut(characters.strike);
    if (characters.capitals) format.setFontCapitalization(QFont::AllUppercase);
    else if (characters.smallCapitals) format.setFontCapitalization(QFont::SmallCaps);
    if (characters.position == VerticalPosition::Super) format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (characters.position == VerticalPosition::Sub) format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    auto color = [this](int index) -> std::optional<QColor> {
        if (index <= 0 || index >= static_cast<int>(colors_.size())) return std::nullopt;
        return colors_[static_cast<std::size_t>(index)];
    };
    if (const auto foreground = color(characters.foreground)) format.setForeground(*foreground);
    if (const auto background = color(characters.background)) format.setBackground(*background);
    return format;
}

QTextBlockFormat RtfParser::blockFormat(const ParagraphState& paragraph) const {
    QTextBlockFormat format;
    format.setAlignment(paragraph.alignment);
    format.setLeftMargin(paragraph.leftTwips / twipsPerPixel);
    format.setRightMargin(paragraph.rightTwips / twipsPerPixel);
    format.setTextIndent(paragraph.firstLineTwips / twipsPerPixel);
    format.setTopMargin(paragraph.beforeTwips / twipsPerPixel);
    format.setBottomMargin(paragraph.afterTwips / twipsPerPixel);
    if (paragraph.lineSpacing != 0) {
        if (paragraph.lineSpacingMultiple && paragraph.lineSpacing > 0)
            format.setLineHeight(std::min(paragraph.lineSpacing, 2400) * 100.0 / 240.0,
                                 QTextBlockFormat::ProportionalHeight);
        else if (paragraph.lineSpacing > 0)
            format.setLineHeight(paragraph.lineSpacing / twipsPerPixel, QTextBlockFormat::MinimumHeight);
        else
            format.setLineHeight(-paragraph.lineSpacing / twipsPerPixel, QTextBlockFormat::FixedHeight);
    }
    // Stops are measured from the column's edge; the layout measures them from where the first
    // line starts. A hanging first line (a list's number) tabs to the left indent without a stop.
    const double firstLineStart = (paragraph.leftTwips + paragraph.firstLineTwips) / twipsPerPixel;
    QList<QTextOption::Tab> tabs;
    for (const QTextOption::Tab& tab : paragraph.tabs)
        if (tab.position > firstLineStart) tabs << QTextOption::Tab(tab.position - firstLineStart, tab.type);
    if (tabs.isEmpty() && paragraph.firstLineTwips < 0 && paragraph.leftTwips > 0)
        tabs << QTextOption::Tab(-paragraph.firstLineTwips / twipsPerPixel, QTextOption::LeftTab);
    if (!tabs.isEmpty()) format.setTabPositions(tabs);
    return format;
}

double RtfParser::lineHeight() const {
    const ParagraphState& paragraph = state().paragraph;
    const double fontLine = state().characters.halfPoints * (2.0 / 3.0) * 1.2;
    if (paragraph.lineSpacing == 0) return fontLine;
    if (paragraph.lineSpacingMultiple) return fontLine * std::min(std::abs(paragraph.lineSpacing), 2400) / 240.0;
    return std::max(fontLine, std::abs(paragraph.lineSpacing) / twipsPerPixel);
}

void RtfParser::addHeight(double pixels) {
    estimatedHeight_ += pixels;
    if (estimatedHeight_ > maxEstimatedHeight) finished_ = true;
}

// In a table cell every character may wrap onto a line of its own; elsewhere a character takes
// its share of a line of the narrow view.
void RtfParser::addCharacters(qsizetype count) {
    const double line = lineHeight();
    const double characterWidth = state().characters.halfPoints * (2.0 / 3.0) * 0.6;
    const double perCharacter = table_ != nullptr ? line : line * characterWidth / narrowViewWidth;
    addHeight(double(count) * perCharacter);
}

void RtfParser::endParagraph() {
    addHeight(lineHeight() + (state().paragraph.beforeTwips + state().paragraph.afterTwips) / twipsPerPixel);
    placeCursorForContent();
    flushRun();
    cursor_.setBlockFormat(blockFormat(state().paragraph));
    cursor_.setBlockCharFormat(characterFormat(state().characters));
    cursor_.insertBlock();
    paragraphHasContent_ = false;
    ++paragraphCount_;
}

// Content goes into the current table cell while the paragraph is marked as in a table, and
// after the table once a paragraph is not. Rows and cells beyond the table's bounds follow it
// as paragraphs, their cells parted by tabs.
void RtfParser::placeCursorForContent() {
    if (state().destination != Destination::Text) return;
    if (!state().paragraph.inTable) {
        tableOverflow_ = false;
        if (table_ != nullptr) leaveTable();
        return;
    }
    if (tableOverflow_) return;
    if (table_ == nullptr) {
        startTable();
        return;
    }
    if (!rowEnded_ && !cellEnded_) return;
    flushRun();
    const bool newRow = rowEnded_;
    rowEnded_ = false;
    cellEnded_ = false;
    const int rows = table_->rows();
    const int columns = table_->columns();
    if (newRow) {
        if (rows >= maxTableRows || (rows + 1) * columns > maxTableCells) return overflowTable();
        table_->appendRows(1);
        ++tableRow_;
        tableColumn_ = 0;
    } else {
        if (tableColumn_ + 1 >= columns) {
            if (columns >= maxTableColumns || (columns + 1) * rows > maxTableCells) return overflowTable();
            table_->appendColumns(1);
        }
        ++tableColumn_;
    }
    cursor_ = table_->cellAt(tableRow_, tableColumn_).firstCursorPosition();
}

void RtfParser::overflowTable() {
    leaveTable();
    tableOverflow_ = true;
}

void RtfParser::startTable() {
    flushRun();
    const int columns = std::max(1, static_cast<int>(cellRightTwips_.size()));
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    QList<QTextLength> widths;
    int left = 0;
    for (const int right : cellRightTwips_) {
        widths << QTextLength(QTextLength::FixedLength, std::max(8.0, (right - left) / twipsPerPixel));
        left = right;
    }
    if (widths.size() == columns) format.setColumnWidthConstraints(widths);
    table_ = cursor_.insertTable(1, columns, format);
    tableRow_ = 0;
    tableColumn_ = 0;
    rowEnded_ = false;
    cellEnded_ = false;
    cursor_ = table_->cellAt(0, 0).firstCursorPosition();
}

void RtfParser::leaveTable() {
    flushRun();
    const int after = table_->lastPosition() + 1;
    table_ = nullptr;
    cursor_.setPosition(after);
    paragraphHasContent_ = false;
}

void RtfParser::endCell() {
    state().paragraph.inTable = true;
    placeCursorForContent();
    if (tableOverflow_) {
        const char16_t tab = u'\t';
        appendText(QStringView(&tab, 1));
        return;
    }
    if (table_ == nullptr) return;
    flushRun();
    cursor_.setBlockFormat(blockFormat(state().paragraph));
    cellEnded_ = true;
}

void RtfParser::endRow() {
    if (tableOverflow_) {
        endParagraph();
        return;
    }
    if (table_ == nullptr) return;
    flushRun();
    rowEnded_ = true;
}

bool looksLikeRtf(const QByteArray& bytes) {
    qsizetype start = 0;
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\r' || bytes[start] == '\n' ||
                                    bytes[start] == '\t'))
        ++start;
    const QByteArrayView rest = QByteArrayView(bytes).sliced(start);
    return rest.startsWith("{\\rtf") || rest.startsWith("{\\urtf");
}

}  // namespace

void readRtf(const QByteArray& rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    if (looksLikeRtf(rtf)) {
        const qsizetype start = rtf.indexOf('{');
        const QByteArray body = rtf.sliced(start);
        RtfParser parser(body, document);
        parser.run();
    } else {
        // Plain 8-bit text, as the rest of the system writes it; it ends at the first NUL.
        const qsizetype end = rtf.indexOf('\0');
        const QByteArray text = end < 0 ? rtf : rtf.first(end);
        document.setPlainText(fromCp1251(text.toStdString()));
    }
    document.setUndoRedoEnabled(undo);
}
