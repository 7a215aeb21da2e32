// The journal window driven as a teacher would: filters, sorting by a header click, an attempt's
// detail, and attempts arriving while it watches the folder.
#include "AttemptDetailView.h"
#include "DayCount.h"
#include "ItemAnalysisView.h"
#include "JournalWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray recordBytes(const char* last, const char* group, std::vector<int> answers) {
    ResultRecord r;
    r.FirstName = "Ann";
    r.LastName = last;
    r.Group = group;
    r.TestTitle = "Math";
    r.TestDate = dayCount(QDate(2026, 12, 7));
    r.TimeSpent = "00:03:00";
    r.QuestionCount = r.QuestionCount2 = int(answers.size());
    r.PointsPerAnswer = 1;
    for (int p = 1; p <= int(answers.size()); ++p) {
        r.slot(p).QuestionRow = p;
        r.slot(p).AnswerOrder = {2, 1, 3, 4, 5};
        const int answer = answers[std::size_t(p - 1)];
        r.slot(p).ChosenBox = answer == 0 ? 0 : (answer == 1 ? 2 : (answer == 2 ? 1 : answer));
        if (r.slot(p).isCorrect()) ++r.CorrectCount;
    }
    const RecordBytes b = encodeRecord(r);
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
}

class JournalWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    JournalWidget journal;
    void SetUp() override {
        QFile file(dir.filePath("07.12.2026.qzr"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(recordBytes("Orlov", "G1", {1, 1, 1, 1}) + recordBytes("Belov", "G2", {1, 2, 0, 1}) +
                   recordBytes("Zaitsev", "G1", {2, 2, 2, 1}));
        file.close();
        journal.resize(1000, 600);
        journal.show();
        journal.openFolder(dir.path());
    }
    QString lastNameAt(int row) const {
        return journal.proxy()->index(row, int(JournalColumn::LastName)).data().toString();
    }
};

TEST_F(JournalWindow, FiltersByGroupAndNameAndUpdatesTheTotals) {
    EXPECT_EQ(journal.proxy()->rowCount(), 3);
    journal.groupFilter()->setCurrentIndex(journal.groupFilter()->findText("G1"));
    EXPECT_EQ(journal.proxy()->rowCount(), 2);
    EXPECT_TRUE(journal.totals()->text().contains("2")) << journal.totals()->text().toStdString();
    QTest::keyClicks(journal.nameSearch(), "zai");
    ASSERT_EQ(journal.proxy()->rowCount(), 1);
    EXPECT_EQ(lastNameAt(0), "Zaitsev");
    journal.nameSearch()->clear();
    journal.groupFilter()->setCurrentIndex(0);
    EXPECT_EQ(journal.proxy()->rowCount(), 3);
}

TEST_F(JournalWindow, HeaderClicksSortByThatColumnBothWays) {
    QHeaderView* header = journal.table()->horizontalHeader();
    const auto clickColumn = [&](JournalColumn column) {
        const int x = header->sectionViewportPosition(int(column)) + header->sectionSize(int(column)) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    };
    clickColumn(JournalColumn::LastName);
    EXPECT_EQ(lastNameAt(0), "Belov");
    clickColumn(JournalColumn::LastName);
    EXPECT_EQ(lastNameAt(0), "Zaitsev");
    clickColumn(JournalColumn::Percent);
    EXPECT_EQ(lastNameAt(0), "Zaitsev") << "25% first";
    EXPECT_EQ(lastNameAt(2), "Orlov");
}

TEST_F(JournalWindow, DetailShowsEachQuestionTheAnswerChosenAndUnanswered) {
    const int belov = lastNameAt(0) == "Belov" ? 0 : (lastNameAt(1) == "Belov" ? 1 : 2);
    QStringList verdicts, answers;
    QTimer::singleShot(0, [&] {
        auto* detail = qobject_cast<AttemptDetailView*>(QApplication::activeModalWidget());
        ASSERT_NE(detail, nullptr);
        for (int r = 0; r < detail->questions()->rowCount(); ++r) {
            answers << detail->questions()->item(r, 3)->text();
            verdicts << detail->questions()->item(r, 4)->text();
        }
        detail->reject();
    });
    journal.showDetailOf(belov);
    EXPECT_EQ(answers, (QStringList{"1", "2", "-", "1"})) << "answers, not the boxes they stood in";
    EXPECT_EQ(verdicts, (QStringList{"Right", "Wrong", "Unanswered", "Right"}));
}

TEST_F(JournalWindow, ItemAnalysisShowsOneTabPerTest) {
    int tabs = -1;
    QTimer::singleShot(0, [&] {
        auto* view = qobject_cast<ItemAnalysisView*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        tabs = view->tabs()->count();
        view->reject();
    });
    journal.showItemAnalysis();
    EXPECT_EQ(tabs, 1);
}

#ifdef Q_OS_UNIX
TEST_F(JournalWindow, AnAttemptAppendedByAnotherProcessAppearsWithinTwoSeconds) {
    const QString record = dir.filePath("one.bin");
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(recordBytes("Novikov", "G3", {1, 1, 2, 2}));
    file.close();
    QProcess::execute("sh", {"-c", QStringLiteral("cat '%1' >> '%2'").arg(record, dir.filePath("07.12.2026.qzr"))});
    QTRY_COMPARE_WITH_TIMEOUT(journal.proxy()->rowCount(), 4, 2000);
    EXPECT_NE(journal.groupFilter()->findText("G3"), -1);

    QProcess::execute("sh", {"-c", QStringLiteral("mkdir -p '%1/ws2' && cat '%2' > '%1/ws2/08.12.2026.qzr'")
                                       .arg(dir.path(), dir.filePath("07.12.2026.qzr"))});
    QTest::qWait(1500);
    EXPECT_EQ(journal.proxy()->rowCount(), 4) << "a copy of the shared file adds nothing";
}
#endif

}  // namespace
