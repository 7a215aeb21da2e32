// Tokens and groups: control words, hex bytes, text runs and binary data.
#include "RtfParser.h"

namespace rtf {

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

}  // namespace rtf
