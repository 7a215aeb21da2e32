#include "KeyboardLayout.h"

#include <utility>

namespace {

// Key by key, unshifted and shifted, from the US layout to the Russian one. Digits, "-", "=",
// blank, backslash and the other keys whose characters agree on both layouts are left out.
constexpr std::pair<char16_t, char16_t> usToRussian[] = {
    {u'q', u'й'}, {u'w', u'ц'}, {u'e', u'у'}, {u'r', u'к'}, {u't', u'е'}, {u'y', u'н'},
    {u'u', u'г'}, {u'i', u'ш'}, {u'o', u'щ'}, {u'p', u'з'}, {u'[', u'х'}, {u']', u'ъ'},
    {u'a', u'ф'}, {u's', u'ы'}, {u'd', u'в'}, {u'f', u'а'}, {u'g', u'п'}, {u'h', u'р'},
    {u'j', u'о'}, {u'k', u'л'}, {u'l', u'д'}, {u';', u'ж'}, {u'\'', u'э'},
    {u'z', u'я'}, {u'x', u'ч'}, {u'c', u'с'}, {u'v', u'м'}, {u'b', u'и'}, {u'n', u'т'},
    {u'm', u'ь'}, {u',', u'б'}, {u'.', u'ю'}, {u'/', u'.'}, {u'`', u'ё'},
    {u'Q', u'Й'}, {u'W', u'Ц'}, {u'E', u'У'}, {u'R', u'К'}, {u'T', u'Е'}, {u'Y', u'Н'},
    {u'U', u'Г'}, {u'I', u'Ш'}, {u'O', u'Щ'}, {u'P', u'З'}, {u'{', u'Х'}, {u'}', u'Ъ'},
    {u'A', u'Ф'}, {u'S', u'Ы'}, {u'D', u'В'}, {u'F', u'А'}, {u'G', u'П'}, {u'H', u'Р'},
    {u'J', u'О'}, {u'K', u'Л'}, {u'L', u'Д'}, {u':', u'Ж'}, {u'"', u'Э'},
    {u'Z', u'Я'}, {u'X', u'Ч'}, {u'C', u'С'}, {u'V', u'М'}, {u'B', u'И'}, {u'N', u'Т'},
    {u'M', u'Ь'}, {u'<', u'Б'}, {u'>', u'Ю'}, {u'?', u','}, {u'~', u'Ё'},
    {u'@', u'"'}, {u'#', u'№'}, {u'$', u';'}, {u'^', u':'}, {u'&', u'?'}, {u'|', u'/'},
};

QChar russianLayoutCharacter(QChar usCharacter) {
    const char16_t c = usCharacter.unicode();
    for (const auto& [us, russian] : usToRussian)
        if (us == c) return QChar(russian);
    return usCharacter;
}

}  // namespace

QString russianLayoutText(const QString& usText) {
    QString text = usText;
    for (QChar& c : text) c = russianLayoutCharacter(c);
    return text;
}
