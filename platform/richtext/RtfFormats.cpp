// Character and paragraph formats, and the text runs that carry them.
#include "RtfParser.h"

#include "SymbolFont.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <cmath>
#include <unordered_map>

namespace rtf {

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

void RtfParser::appendByte(unsigned char byte) {
    if (state().characters.hidden) return;
    placeCursorForContent();
    if (!(runCharacters_ == state().characters)) flushRun();
    runCharacters_ = state().characters;
    const int codePage = currentCodePage();
    if (!pendingBytes_.empty() && codePage != pendingCodePage_) decodePendingBytes();
    pendingCodePage_ = codePage;
    if (byte != ' ' && countUnbroken(1)) {
        decodePendingBytes();
        runText_.append(lineSeparator);
    }
    pendingBytes_.push_back(static_cast<char>(byte));
    addCharacters(1);
}

void RtfParser::appendText(QStringView text) {
    if (state().characters.hidden) return;
    placeCursorForContent();
    if (!(runCharacters_ == state().characters)) flushRun();
    runCharacters_ = state().characters;
    decodePendingBytes();
    for (const QChar character : text) appendBounded(character.unicode());
    addCharacters(text.size());
}

// Layout time grows with the square of an unbroken line and of a paragraph's tabs, so such runs
// are cut short: a long unbroken run goes on onto a new line, and tabs past the bound are spaces.
void RtfParser::appendBounded(char16_t character) {
    if (character == u'\t' && ++paragraphTabs_ > maxTabsPerParagraph) character = u' ';
    if (character == u' ' || character == u'\t' || character == lineSeparator) unbrokenRun_ = 0;
    else if (countUnbroken(1)) runText_.append(lineSeparator);
    runText_.append(QChar(character));
}

// Counts characters without a break opportunity; true when the run must break before them.
bool RtfParser::countUnbroken(int count) {
    const QTextBlock block = cursor_.block();
    if (block != countedBlock_) {
        countedBlock_ = block;
        unbrokenRun_ = 0;
        paragraphTabs_ = 0;
    }
    unbrokenRun_ += count;
    if (unbrokenRun_ <= maxUnbrokenRun) return false;
    unbrokenRun_ = count;
    return true;
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
    unbrokenRun_ = 0;
    paragraphTabs_ = 0;
    // Every paragraph costs the layout time, even an empty one.
    if (paragraphCount_ >= maxParagraphs) finished_ = true;
}

}  // namespace rtf
