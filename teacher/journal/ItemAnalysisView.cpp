#include "ItemAnalysisView.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

QString flagsOf(const QuestionStats& q) {
    QStringList flags;
    if (q.tooEasy) flags << ItemAnalysisView::tr("too easy");
    if (q.tooHard) flags << ItemAnalysisView::tr("too hard");
    if (q.likelyWrongKey) flags << ItemAnalysisView::tr("likely wrong key");
    return flags.join(QStringLiteral(", "));
}

QTableWidget* questionTable(const TestStats& test) {
    auto* table = new QTableWidget(int(test.questions.size()), 11);
    table->setHorizontalHeaderLabels({ItemAnalysisView::tr("Row"), ItemAnalysisView::tr("Asked"),
                                      ItemAnalysisView::tr("Facility"), ItemAnalysisView::tr("Discrimination"),
                                      ItemAnalysisView::tr("Right (1)"), ItemAnalysisView::tr("Wrong 2"),
                                      ItemAnalysisView::tr("Wrong 3"), ItemAnalysisView::tr("Wrong 4"),
                                      ItemAnalysisView::tr("Wrong 5"), ItemAnalysisView::tr("Unanswered"),
                                      ItemAnalysisView::tr("Flags")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (int r = 0; r < int(test.questions.size()); ++r) {
        const QuestionStats& q = test.questions[std::size_t(r)];
        QStringList cells = {QString::number(q.row), QString::number(q.asked), QLocale().toString(q.facility, 'f', 2),
                             q.discrimination ? QLocale().toString(*q.discrimination, 'f', 2) : QStringLiteral("-")};
        for (int c : q.chosen) cells << QString::number(c);
        cells << QString::number(q.unanswered) << flagsOf(q);
        for (int c = 0; c < cells.size(); ++c) table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table->resizeColumnsToContents();
    return table;
}

QChartView* distributionChart(const TestStats& test) {
    auto* set = new QBarSet(ItemAnalysisView::tr("Attempts"));
    QStringList bins;
    for (std::size_t i = 0; i < test.scoreDistribution.size(); ++i) {
        *set << test.scoreDistribution[i];
        bins << (i < 10 ? QStringLiteral("%1-%2").arg(i * 10).arg(i * 10 + 9) : QStringLiteral("100"));
    }
    auto* series = new QBarSeries;
    series->append(set);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->setTitle(ItemAnalysisView::tr("Score distribution, percent"));
    chart->legend()->hide();
    auto* axisX = new QBarCategoryAxis;
    axisX->append(bins);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->setMin(0);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(220);
    return view;
}

}  // namespace

ItemAnalysisView::ItemAnalysisView(const std::vector<TestStats>& tests, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Item analysis"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Discrimination: point-biserial correlation of the question with the rest "
                                    "of the score.")));
    tabs_ = new QTabWidget(this);
    for (const TestStats& test : tests) {
        auto* splitter = new QSplitter(Qt::Vertical);
        splitter->addWidget(questionTable(test));
        splitter->addWidget(distributionChart(test));
        tabs_->addTab(splitter, tr("%1 (%2 attempts)").arg(test.title).arg(test.attempts));
    }
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(900, 640);
}
