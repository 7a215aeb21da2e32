// Control words by destination, the font and colour tables, and code pages.
#include "RtfParser.h"

#include "Cp1251.h"
#include "SymbolFont.h"

#include <unordered_set>

namespace rtf {

namespace {

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

}  // namespace

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

}  // namespace rtf
