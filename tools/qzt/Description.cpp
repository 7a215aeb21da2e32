#include "Description.h"

#include "Cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace {

constexpr qsizetype kAnswerCount = 5;
constexpr int kMaxMinutes = 1439;    // the longest time of day the program accepts
constexpr int kMaxQuestionCount = 100;  // question slots of a result record

[[noreturn]] void fail(const QString& where, const QString& what) {
    throw DescriptionError((where + ": " + what).toStdString());
}

std::optional<int> wholeNumber(const QJsonObject& settings, const QString& key, int low, int high,
                               std::optional<int> fallback) {
    const QString where = "settings." + key;
    if (!settings.contains(key)) return fallback;
    const QJsonValue value = settings.value(key);
    const double number = value.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!value.isDouble() || std::floor(number) != number)
        fail(where, "expected a whole number");
    if (number < low || number > high)
        fail(where, QString("must be %1 to %2").arg(low).arg(high));
    return static_cast<int>(number);
}

std::optional<bool> yesNo(const QJsonObject& settings, const QString& key, std::optional<bool> fallback) {
    if (!settings.contains(key)) return fallback;
    const QJsonValue value = settings.value(key);
    if (!value.isBool()) fail("settings." + key, "expected true or false");
    return value.toBool();
}

std::vector<std::uint8_t> readPicture(const QString& where, const QDir& folder, const QString& name,
                                      PictureFormat& format, QSize& size) {
    const QString path = folder.filePath(name);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "png")
        format = PictureFormat::Png;
    else if (suffix == "jpg" || suffix == "jpeg")
        format = PictureFormat::Jpeg;
    else
        fail(where, "picture " + name + " is neither .png nor .jpg");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) fail(where, "cannot read picture " + path + ": " + file.errorString());
    const QByteArray bytes = file.readAll();
    QImageReader reader(path, format == PictureFormat::Png ? "png" : "jpeg");
    size = reader.size();
    if (!size.isValid() || reader.read().isNull())
        fail(where, "picture " + path + " is not a readable " + suffix.toUpper() + " image");
    return {bytes.begin(), bytes.end()};
}

std::string document(const QString& where, const QJsonValue& item, const QDir& folder) {
    if (item.isString()) return plainTextToRtf(item.toString().toStdString());
    if (!item.isObject()) fail(where, "expected a text, or an object with \"rtf\", \"text\" or \"image\"");
    const QJsonObject object = item.toObject();
    if (object.contains("rtf")) {
        if (!object.value("rtf").isString()) fail(where, "\"rtf\" must be a text");
        return toCp1251(object.value("rtf").toString());
    }
    if (object.contains("text") && !object.value("text").isString()) fail(where, "\"text\" must be a text");
    if (!object.contains("image")) {
        if (!object.contains("text")) fail(where, "expected \"rtf\", \"text\" or \"image\"");
        return plainTextToRtf(object.value("text").toString().toStdString());
    }
    if (!object.value("image").isString()) fail(where, "\"image\" must name a .png or .jpg file");
    PictureFormat format;
    QSize size;
    const auto picture = readPicture(where, folder, object.value("image").toString(), format, size);
    std::string body = rtfParagraphs(object.value("text").toString().toStdString());
    if (!body.empty()) body += "\\par\r\n";
    return rtfDocument(body + pictureRtf(picture, format, size.width(), size.height()));
}

QuestionSpec question(const QString& where, const QJsonValue& value, const QDir& folder) {
    if (!value.isObject()) fail(where, "expected an object with \"question\" and \"answers\"");
    const QJsonObject object = value.toObject();
    if (!object.contains("question")) fail(where, "\"question\" is missing");
    QuestionSpec spec{document(where + ".question", object.value("question"), folder), {}};
    const QJsonArray answers = object.value("answers").toArray();
    if (!object.value("answers").isArray() || answers.size() != kAnswerCount)
        fail(where + ".answers", QString("expected %1 answers, the first one correct").arg(kAnswerCount));
    for (qsizetype k = 0; k < answers.size(); ++k)
        spec.answers.push_back(document(where + QString(".answers[%1]").arg(k), answers[k], folder));
    return spec;
}

QJsonObject parse(const QString& jsonPath) {
    QFile file(jsonPath);
    if (!file.open(QIODevice::ReadOnly)) fail(jsonPath, "cannot read: " + file.errorString());
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        fail(jsonPath, QString("not valid JSON at byte %1: %2").arg(error.offset).arg(error.errorString()));
    if (!json.isObject()) fail(jsonPath, "expected an object with \"title\", \"settings\" and \"questions\"");
    return json.object();
}

}  // namespace

TestSpec readDescription(const QString& jsonPath) {
    const QJsonObject root = parse(jsonPath);
    const QDir folder = QFileInfo(jsonPath).absoluteDir();
    TestSpec spec;
    if (!root.value("title").isString()) fail("title", "expected a text");
    spec.title = root.value("title").toString().toStdString();
    if (root.value("title").toString().size() > 255) fail("title", "longer than 255 characters");

    if (root.contains("settings") && !root.value("settings").isObject()) fail("settings", "expected an object");
    const QJsonObject settings = root.value("settings").toObject();
    spec.questionCountForAnswer =
        wholeNumber(settings, "questionCount", 1, kMaxQuestionCount, spec.questionCountForAnswer);
    spec.timeForAnswer = wholeNumber(settings, "minutes", 1, kMaxMinutes, spec.timeForAnswer);
    spec.answerBalls = wholeNumber(settings, "answerBalls", 0, std::numeric_limits<int>::max(), spec.answerBalls);
    spec.allowReturn = yesNo(settings, "allowReturn", spec.allowReturn);
    spec.resultHere = yesNo(settings, "resultHere", spec.resultHere);

    if (!root.value("questions").isArray()) fail("questions", "expected a list of questions");
    const QJsonArray questions = root.value("questions").toArray();
    for (qsizetype i = 0; i < questions.size(); ++i)
        spec.questions.push_back(question(QString("questions[%1]").arg(i), questions[i], folder));
    // The program refuses a file whose table has no more rows than a test asks.
    if (static_cast<int>(spec.questions.size()) <= *spec.questionCountForAnswer)
        fail("questions", QString("%1 questions given; a test of %2 needs at least %3")
                              .arg(spec.questions.size())
                              .arg(*spec.questionCountForAnswer)
                              .arg(*spec.questionCountForAnswer + 1));
    return spec;
}
