#pragma once
// The reader's parser, shared by the files of its concerns: the tokenizer (RtfTokenizer.cpp),
// destinations, font and colour tables and code pages (RtfDestinations.cpp), character and
// paragraph formats (RtfFormats.cpp), pictures (RtfPictures.cpp) and tables (RtfTables.cpp).
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextOption>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rtf {

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
// Bounds on what makes the layout slow, so that no document takes more than about 200 ms to lay
// out: an unbroken run of characters, the tabs of one paragraph, and paragraphs.
constexpr int maxUnbrokenRun = 2000;
constexpr int maxTabsPerParagraph = 1000;
constexpr int maxParagraphs = 10000;
constexpr char16_t lineSeparator = u'\x2028';
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

inline int clampInt(std::int64_t value, int low, int high) {
    return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
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
    void appendBounded(char16_t character);
    bool countUnbroken(int count);
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
    QTextBlock countedBlock_;  // the block the two counts below are for
    int unbrokenRun_ = 0;
    int paragraphTabs_ = 0;

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

}  // namespace rtf
