#include "RecordFixtures.h"

#include "DayCount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

ResultRecord answeredRecord(const char* last, const char* group, const char* title, QDate date,
                            const std::vector<int>& answers) {
    ResultRecord r;
    r.FirstName = "Ann";
    r.LastName = last;
    r.Group = group;
    r.TestTitle = title;
    r.TestDate = dayCount(date);
    r.TimeSpent = "00:04:10";
    r.QuestionCount = r.QuestionCount2 = int(answers.size());
    r.PointsPerAnswer = 2;
    for (int p = 1; p <= int(answers.size()); ++p) {
        QuestionSlot& slot = r.slot(p);
        slot.QuestionRow = p;
        slot.AnswerOrder = {5, 4, 3, 2, 1};
        const int answer = answers[std::size_t(p - 1)];
        slot.ChosenBox = answer == 0 ? 0 : 6 - answer;
        if (slot.isCorrect()) ++r.CorrectCount;
    }
    return r;
}

QByteArray bytesOf(const std::vector<ResultRecord>& records) {
    QByteArray bytes;
    for (const ResultRecord& r : records) {
        const RecordBytes b = encodeRecord(r);
        bytes.append(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void appendToFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(bytes);
}
