#include "MoodleXmlFormat.h"

#include "QuestionRules.h"
#include "RichText.h"

#include <QDomDocument>
#include <QTextDocument>
#include <QUrl>
#include <QXmlStreamWriter>

namespace {

const QString kPluginFile = "@@PLUGINFILE@@/";

QString lineOf(const QDomNode& node) { return QString("line %1").arg(node.lineNumber()); }

QImage decodePicture(const QDomElement& element, const QString& name) {
    const auto decoded = QByteArray::fromBase64Encoding(element.text().toLatin1().simplified().replace(' ', ""),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) throw FormatError(lineOf(element), "picture \"" + name + "\" has broken base64 data");
    const QImage image = QImage::fromData(*decoded);
    if (image.isNull()) throw FormatError(lineOf(element), "picture \"" + name + "\" is not a picture that can be read");
    return image;
}

std::map<QString, QImage> filesOf(const QDomElement& owner) {
    std::map<QString, QImage> pictures;
    for (QDomElement file = owner.firstChildElement("file"); !file.isNull(); file = file.nextSiblingElement("file")) {
        const QString name = file.attribute("name");
        const QImage image = decodePicture(file, name);
        pictures[kPluginFile + name] = image;
        pictures[kPluginFile + QString::fromLatin1(QUrl::toPercentEncoding(name, "/"))] = image;
    }
    return pictures;
}

// A text element as Moodle writes it: <X format="html"><text>...</text><file .../></X>.
QByteArray richTextOf(const QDomElement& owner, QString extraHtml = {}, std::map<QString, QImage> extra = {}) {
    const QString format = owner.attribute("format", "html");
    const QString text = owner.firstChildElement("text").text();
    if (format == "markdown" && extraHtml.isEmpty()) return markdownToRtf(text);
    const bool plain = format == "plain_text" || format == "markdown";
    std::map<QString, QImage> pictures = filesOf(owner);
    pictures.merge(extra);
    return htmlToRtf((plain ? "<p>" + text.toHtmlEscaped() + "</p>" : text) + extraHtml, pictures);
}

QString plainOf(const QDomElement& owner) {
    QTextDocument document;
    document.setHtml(owner.firstChildElement("text").text());
    return document.toPlainText();
}

// The older layout: one picture beside the question, <image> naming it and <image_base64> its data.
QByteArray questionText(const QDomElement& question) {
    const QDomElement data = question.firstChildElement("image_base64");
    const QDomElement text = question.firstChildElement("questiontext");
    if (data.isNull()) return richTextOf(text);
    const QString name = "image_base64:" + question.firstChildElement("image").text();
    return richTextOf(text, "<p><img src=\"" + name.toHtmlEscaped() + "\"></p>", {{name, decodePicture(data, name)}});
}

void readChoices(const QDomElement& element, BankQuestion& question) {
    for (QDomElement answer = element.firstChildElement("answer"); !answer.isNull();
         answer = answer.nextSiblingElement("answer")) {
        bool number = false;
        const double fraction = answer.attribute("fraction").toDouble(&number);
        if (!number) throw FormatError(lineOf(answer), "the answer's fraction is not a number");
        QByteArray rtf = richTextOf(answer);
        if (question.trueFalse) {
            const QString word = answer.firstChildElement("text").text().trimmed().toLower();
            rtf = plainTextToRtf(word == "true" ? "Верно" : word == "false" ? "Неверно" : word);
        }
        question.choices.push_back({rtf, fraction >= 100, fraction > 0 && fraction < 100});
    }
}

QString typeName(const QString& type) {
    static const std::map<QString, QString> names{
        {"shortanswer", "short answer"}, {"numerical", "numerical"},   {"matching", "matching"},
        {"essay", "essay"},              {"cloze", "embedded answers (cloze)"}, {"description", "description"},
        {"calculated", "calculated"},    {"ddwtos", "drag and drop"},  {"gapselect", "select missing words"}};
    const auto found = names.find(type);
    return found == names.end() ? "\"" + type + "\"" : found->second;
}

BankQuestion readQuestion(const QDomElement& element) {
    const QString type = element.attribute("type");
    BankQuestion question;
    question.position = lineOf(element);
    question.title = element.firstChildElement("name").firstChildElement("text").text().trimmed();
    if (question.title.isEmpty()) question.title = firstLine(plainOf(element.firstChildElement("questiontext")));
    if (type != "multichoice" && type != "truefalse") {
        question.otherType = typeName(type);
        return question;
    }
    question.trueFalse = type == "truefalse";
    question.rtf = questionText(element);
    readChoices(element, question);
    return question;
}

QDomDocument parse(const QByteArray& bytes) {
    QDomDocument document;
    QString message;
    int line = 0, column = 0;
    if (!document.setContent(bytes, &message, &line, &column))
        throw FormatError(QString("line %1, column %2").arg(line).arg(column), "not well-formed XML: " + message);
    if (document.documentElement().tagName() != "quiz")
        throw FormatError(lineOf(document.documentElement()), "not a Moodle XML question bank: expected <quiz>");
    return document;
}

void writeText(QXmlStreamWriter& xml, const QString& element, const QByteArray& rtf, const QString& fraction) {
    const HtmlWithPictures html = rtfToHtml(rtf, kPluginFile, 1);
    xml.writeStartElement(element);
    if (!fraction.isEmpty()) xml.writeAttribute("fraction", fraction);
    xml.writeAttribute("format", "html");
    xml.writeTextElement("text", html.html);
    for (const NamedPicture& picture : html.pictures) {
        xml.writeStartElement("file");
        xml.writeAttribute("name", picture.name);
        xml.writeAttribute("path", "/");
        xml.writeAttribute("encoding", "base64");
        xml.writeCharacters(QString::fromLatin1(picture.png.toBase64()));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void writeQuestion(QXmlStreamWriter& xml, const AuthoredQuestion& question, std::size_t number) {
    xml.writeStartElement("question");
    xml.writeAttribute("type", "multichoice");
    xml.writeStartElement("name");
    QString name = firstLine(rtfToPlainText(question.question));
    xml.writeTextElement("text", name.isEmpty() ? QString("Вопрос %1").arg(number) : name);
    xml.writeEndElement();
    writeText(xml, "questiontext", question.question, {});
    xml.writeTextElement("defaultgrade", "1");
    xml.writeTextElement("single", "true");
    xml.writeTextElement("shuffleanswers", "true");
    xml.writeTextElement("answernumbering", "abc");
    for (std::size_t k = 0; k < question.answers.size(); ++k)
        if (!question.answers[k].isEmpty()) writeText(xml, "answer", question.answers[k], k == 0 ? "100" : "0");
    xml.writeEndElement();
}

}  // namespace

ImportResult importMoodleXml(const QByteArray& bytes) {
    const QDomDocument document = parse(bytes);
    ImportResult result;
    const QDomElement quiz = document.documentElement();
    for (QDomElement element = quiz.firstChildElement("question"); !element.isNull();
         element = element.nextSiblingElement("question"))
        if (element.attribute("type") != "category") addBankQuestion(readQuestion(element), result);
    return result;
}

QByteArray exportMoodleXml(const TestDocument& test) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement("quiz");
    for (std::size_t i = 0; i < test.questions.size(); ++i) writeQuestion(xml, test.questions[i], i + 1);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}
