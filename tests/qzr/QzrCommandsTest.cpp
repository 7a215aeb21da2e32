// The commands beyond list, CSV and JSON: stats, xlsx, report, and the manners of a command line.
#include "DayCount.h"
#include "LittleEndian.h"
#include "ResultRecord.h"
#include "ResultsFolderTest.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int exitCode;
    QByteArray out, err;
};

ProgramRun runProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TZ", "UTC");
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

ProgramRun qzr(const QStringList& arguments) { return runProgram(QStringLiteral(QZR_EXECUTABLE), arguments); }

// answers[i]: answer chosen for row i + 1; boxes show answers reversed.
QByteArray recordBytes(const char* last, const char* title, const std::vector<int>& answers) {
    ResultRecord r;
    r.FirstName = "\xC8\xE2\xE0\xED";  // Иван
    r.LastName = last;
    r.Group = "G";
    r.TestTitle = title;
    r.TestDate = dayCount(QDate(2026, 12, 7));
    r.TimeSpent = "00:10:00";
    r.QuestionCount = r.QuestionCount2 = int(answers.size());
    r.PointsPerAnswer = 1.5f;
    for (int p = 1; p <= int(answers.size()); ++p) {
        r.slot(p).QuestionRow = p;
        r.slot(p).AnswerOrder = {5, 4, 3, 2, 1};
        r.slot(p).ChosenBox = answers[std::size_t(p - 1)] ? 6 - answers[std::size_t(p - 1)] : 0;
        if (r.slot(p).isCorrect()) ++r.CorrectCount;
    }
    const RecordBytes b = encodeRecord(r);
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
}

class QzrCommands : public ResultsFolderTest {
protected:
    QString classFile() {
        return write("day.qzr", recordBytes("\xCF\xE5\xF2\xF0\xEE\xE2", "\xD2\xE5\xF1\xF2", {1, 1, 1}) +
                                    recordBytes("B", "\xD2\xE5\xF1\xF2", {1, 2, 1}) +
                                    recordBytes("C", "\xD2\xE5\xF1\xF2", {1, 0, 3}) +
                                    recordBytes("D", "\xD2\xE5\xF1\xF2", {2, 3, 3}));
    }
};

TEST_F(QzrCommands, StatsJsonIsTheItemAnalysisGroupedByTitle) {
    const ProgramRun run = qzr({"stats", "--json", classFile()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(json.keys(), QStringList{"tests"});
    const QJsonArray tests = json["tests"].toArray();
    ASSERT_EQ(tests.size(), 1);
    EXPECT_EQ(tests[0]["title"].toString(), QString::fromUtf8("Тест"));
    EXPECT_EQ(tests[0]["attempts"].toInt(), 4);
    const QJsonArray questions = tests[0]["questions"].toArray();
    ASSERT_EQ(questions.size(), 3);
    const QJsonObject row2 = questions[1].toObject();
    EXPECT_EQ(row2["row"].toInt(), 2);
    EXPECT_EQ(row2["asked"].toInt(), 4);
    EXPECT_EQ(row2["correct"].toInt(), 1);
    EXPECT_EQ(row2["unanswered"].toInt(), 1);
    EXPECT_EQ(row2["chosen"].toVariant().toList(), (QVariantList{1, 1, 1, 0, 0}));
    EXPECT_DOUBLE_EQ(row2["facility"].toDouble(), 0.25);
    EXPECT_NEAR(row2["discrimination"].toDouble(), 0.75 / std::sqrt(0.75 * 2.75), 1e-9);
}

TEST_F(QzrCommands, StatsTextNamesTheTestAndItsRows) {
    const ProgramRun run = qzr({"stats", classFile()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(QString::fromUtf8("Тест: 4 attempts\n").toUtf8())) << run.out.toStdString();
    EXPECT_EQ(run.out.count('\n'), 5);
}

TEST_F(QzrCommands, XlsxIsReadBackByAnIndependentReader) {
    if (QStandardPaths::findExecutable("node").isEmpty()) GTEST_SKIP() << "node is not installed";
    const QString folder = QStringLiteral(QUIZZARD_SOURCE_DIR) + "/tests/xlsxreader";
    ASSERT_TRUE(QDir(folder + "/node_modules/xlsx").exists()) << "run npm install in " << folder.toStdString();
    const QString out = dir.filePath("class.xlsx");
    const ProgramRun run = qzr({"xlsx", out, classFile()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const ProgramRun dump = runProgram("node", {folder + "/dump.js", out});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(dump.out)["rows"].toArray();
    ASSERT_EQ(rows.size(), 5);
    const QJsonArray header = rows[0].toArray();
    EXPECT_EQ(header[0].toObject()["v"].toString(), "Date");
    EXPECT_EQ(header[10].toObject()["v"].toString(), "Mark");
    const QJsonArray first = rows[1].toArray();
    const struct {
        int column;
        const char* type;
        QJsonValue value;
    } cells[] = {
        {0, "d", "2026-12-07T00:00:00"}, {1, "s", QString::fromUtf8("Петров")}, {2, "s", QString::fromUtf8("Иван")},
        {4, "s", QString::fromUtf8("Тест")}, {5, "d", "1899-12-30T00:10:00"}, {6, "n", 3}, {7, "n", 3},
        {8, "n", 4.5}, {9, "n", 100}, {10, "n", 5},
    };
    for (const auto& c : cells) {
        const QJsonObject cell = first[c.column].toObject();
        EXPECT_EQ(cell["t"].toString().toStdString(), c.type) << "column " << c.column;
        if (c.value.isDouble()) EXPECT_NEAR(cell["v"].toDouble(), c.value.toDouble(), 1e-9) << "column " << c.column;
        else EXPECT_EQ(cell["v"], c.value) << "column " << c.column;
    }
    EXPECT_EQ(rows[4].toArray()[10].toObject()["v"].toInt(), 2) << "D answered none right";
}

TEST_F(QzrCommands, ReportIsAPdf) {
    const QString out = dir.filePath("class.pdf");
    const ProgramRun run = qzr({"report", out, classFile()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile pdf(out);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(QzrCommands, OutputThatCannotBeWrittenFailsAndLeavesNoFile) {
    const QString out = dir.filePath("no/such/folder/class.xlsx");
    const ProgramRun run = qzr({"xlsx", out, classFile()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("qzr: ")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(QzrCommands, HelpAndVersionGoToStdoutWithExitZero) {
    const ProgramRun help = qzr({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("usage: qzr"));
    EXPECT_TRUE(help.err.isEmpty());
    const ProgramRun version = qzr({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.toStdString(), "qzr " QUIZZARD_VERSION "\n");
}

TEST_F(QzrCommands, RefusesWhatIsNotARegularFileAtOnce) {
#ifdef Q_OS_UNIX
    const ProgramRun run = qzr({"list", "/dev/zero"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.toStdString(), "qzr: cannot read /dev/zero: not a regular file\n");
#else
    GTEST_SKIP() << "no /dev/zero here";
#endif
}

// Hostile files: every command names the bad stretches and never crashes.
TEST_F(QzrCommands, HostileFilesGiveWarningsNotResults) {
    const QByteArray good = recordBytes("A", "T", {1, 2});
    const auto changed = [&](std::function<void(std::uint8_t*)> change) {
        QByteArray bytes = good;
        change(reinterpret_cast<std::uint8_t*>(bytes.data()));
        return bytes;
    };
    namespace L = RecordLayout;
    const struct {
        const char* what;
        QByteArray bad;
    } cases[] = {
        {"torn", good.left(2000)},
        {"length byte over capacity", changed([](std::uint8_t* b) { b[L::Group] = 255; })},
        {"title length over capacity", changed([](std::uint8_t* b) { b[L::TestTitle] = 121; })},
        {"counts over 100", changed([](std::uint8_t* b) {
             putI32(b + L::QuestionCount, 5000);
             putI32(b + L::QuestionCount2, 5000);
         })},
        {"row out of range", changed([](std::uint8_t* b) { putI32(b + L::Slots + L::SlotQuestionRow, -7); })},
        {"answer out of range", changed([](std::uint8_t* b) { putI32(b + L::Slots + L::SlotAnswerOrder, 99); })},
        {"box out of range", changed([](std::uint8_t* b) { putI32(b + L::Slots + L::SlotChosenBox, 6); })},
    };
    for (const auto& c : cases) {
        const QString path = write("hostile.qzr", good + c.bad);
        for (const char* command : {"list", "stats"}) {
            const ProgramRun run = qzr({command, path});
            EXPECT_EQ(run.exitCode, 0) << c.what << " " << command;
            EXPECT_TRUE(run.err.contains("offset 3472: ")) << c.what << " " << command << ": " << run.err.toStdString();
        }
        const QJsonObject stats = QJsonDocument::fromJson(qzr({"stats", "--json", path}).out).object();
        EXPECT_EQ(stats["tests"][0]["attempts"].toInt(), 1) << c.what;
    }
}

}  // namespace
