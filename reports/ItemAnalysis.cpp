#include "ItemAnalysis.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <map>

namespace {

// One attempt's answer to one row: the answer chosen (0 none) and the rest of its score.
struct Response {
    int answer = 0;
    int rest = 0;
    bool correct() const { return answer == 1; }
};

std::optional<double> pointBiserial(const std::vector<Response>& responses) {
    const double n = double(responses.size());
    double sumX = 0, sumY = 0, sumXY = 0, sumXX = 0, sumYY = 0;
    for (const Response& r : responses) {
        const double x = r.correct(), y = r.rest;
        sumX += x, sumY += y, sumXY += x * y, sumXX += x * x, sumYY += y * y;
    }
    const double covariance = n * sumXY - sumX * sumY;
    const double spread = (n * sumXX - sumX * sumX) * (n * sumYY - sumY * sumY);
    if (spread <= 0) return std::nullopt;
    return covariance / std::sqrt(spread);
}

double meanRest(const std::vector<Response>& responses, int answer, int& count) {
    double sum = 0;
    count = 0;
    for (const Response& r : responses)
        if (r.answer == answer) sum += r.rest, ++count;
    return count ? sum / count : 0;
}

bool likelyWrongKey(const std::vector<Response>& responses) {
    int keyed = 0;
    const double keyedMean = meanRest(responses, 1, keyed);
    for (int answer = 2; answer <= 5; ++answer) {
        int count = 0;
        const double mean = meanRest(responses, answer, count);
        if (count >= 2 && (keyed == 0 || mean > keyedMean)) return true;
    }
    return false;
}

QuestionStats statsOf(int row, const std::vector<Response>& responses) {
    QuestionStats q;
    q.row = row;
    q.asked = int(responses.size());
    for (const Response& r : responses) {
        if (r.answer == 0) ++q.unanswered;
        else ++q.chosen[std::size_t(r.answer - 1)];
    }
    q.correct = q.chosen[0];
    q.facility = q.asked ? double(q.correct) / q.asked : 0;
    q.discrimination = pointBiserial(responses);
    q.tooEasy = q.facility > TooEasyFacility;
    q.tooHard = q.facility < TooHardFacility;
    q.likelyWrongKey = likelyWrongKey(responses);
    return q;
}

int answerChosen(const QuestionSlot& slot) {
    return slot.ChosenBox >= 1 && slot.ChosenBox <= 5 ? slot.AnswerOrder[std::size_t(slot.ChosenBox - 1)] : 0;
}

TestStats analyseTest(const QString& title, const std::vector<const Attempt*>& attempts) {
    TestStats test;
    test.title = title;
    test.attempts = int(attempts.size());
    std::map<int, std::vector<Response>> byRow;
    for (const Attempt* a : attempts) {
        ++test.scoreDistribution[std::size_t(std::clamp(int(a->percent / 10), 0, 10))];
        for (int p = 1; p <= a->asked; ++p) {
            const QuestionSlot& slot = a->record.slot(p);
            if (slot.QuestionRow < 1) continue;  // a record without the detail of its questions
            const int answer = answerChosen(slot);
            byRow[slot.QuestionRow].push_back({answer, a->correct - (answer == 1 ? 1 : 0)});
        }
    }
    for (const auto& [row, responses] : byRow) test.questions.push_back(statsOf(row, responses));
    return test;
}

}  // namespace

std::vector<TestStats> analyseItems(const std::vector<const Attempt*>& attempts) {
    std::map<QString, std::vector<const Attempt*>> byTitle;
    for (const Attempt* a : attempts) byTitle[a->test].push_back(a);
    std::vector<TestStats> tests;
    for (const auto& [title, ofTitle] : byTitle) tests.push_back(analyseTest(title, ofTitle));
    return tests;
}

QString itemAnalysisJson(const std::vector<TestStats>& tests) {
    QJsonArray testArray;
    for (const TestStats& t : tests) {
        QJsonArray questions;
        for (const QuestionStats& q : t.questions) {
            QJsonArray chosen;
            for (int c : q.chosen) chosen.append(c);
            questions.append(QJsonObject{
                {"row", q.row}, {"asked", q.asked}, {"correct", q.correct}, {"unanswered", q.unanswered},
                {"chosen", chosen}, {"facility", q.facility},
                {"discrimination", q.discrimination ? QJsonValue(*q.discrimination) : QJsonValue()}});
        }
        testArray.append(QJsonObject{{"title", t.title}, {"attempts", t.attempts}, {"questions", questions}});
    }
    return QString::fromUtf8(QJsonDocument(QJsonObject{{"tests", testArray}}).toJson(QJsonDocument::Indented));
}
