#include "JsonFormat.h"

#include "Cp1251.h"
#include "Description.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The test file stores RTF in cp1251; the description carries it as text.
QJsonValue documentValue(const QByteArray& rtf) {
    if (rtf.isEmpty()) return QString();
    return QJsonObject{{"rtf", fromCp1251(rtf.toStdString())}};
}

QJsonObject settingsObject(const TestSettings& settings) {
    return {{"questionCount", settings.questionsPerTest},
            {"minutes", settings.minutes},
            {"answerBalls", settings.pointsTenths},
            {"allowReturn", settings.allowReturn},
            {"resultHere", settings.runningScore}};
}

}  // namespace

ImportResult importJsonDescription(const QString& path) {
    TestSpec spec;
    try {
        spec = readDescription(path);
    } catch (const DescriptionError& error) {
        throw FormatError(error.what());
    }
    ImportResult result;
    TestSettings& settings = result.document.settings;
    settings.title = QString::fromStdString(spec.title);
    settings.questionsPerTest = spec.questionCountForAnswer.value_or(settings.questionsPerTest);
    settings.minutes = spec.timeForAnswer.value_or(settings.minutes);
    settings.pointsTenths = spec.answerBalls.value_or(settings.pointsTenths);
    settings.allowReturn = spec.allowReturn.value_or(settings.allowReturn);
    settings.runningScore = spec.resultHere.value_or(settings.runningScore);
    for (const QuestionSpec& question : spec.questions) {
        AuthoredQuestion authored{QByteArray::fromStdString(question.question), {}};
        for (std::size_t k = 0; k < authored.answers.size() && k < question.answers.size(); ++k)
            authored.answers[k] = QByteArray::fromStdString(question.answers[k]);
        result.document.questions.push_back(authored);
    }
    result.report.imported = static_cast<int>(spec.questions.size());
    return result;
}

QByteArray exportJsonDescription(const TestDocument& test) {
    QJsonArray questions;
    for (const AuthoredQuestion& question : test.questions) {
        QJsonArray answers;
        for (const QByteArray& answer : question.answers) answers.append(documentValue(answer));
        questions.append(QJsonObject{{"question", documentValue(question.question)}, {"answers", answers}});
    }
    const QJsonObject root{{"title", test.settings.title}, {"settings", settingsObject(test.settings)}, {"questions", questions}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
