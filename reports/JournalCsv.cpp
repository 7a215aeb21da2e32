#include "JournalCsv.h"

#include "ResultsReport.h"

#include <QStringList>

QByteArray journalCsv(const std::vector<const Attempt*>& shown, const MarkSettings& marks) {
    QString text = QStringLiteral("date,last_name,first_name,group,test,time,correct,asked,points,percent,mark\r\n");
    for (const Attempt* a : shown) {
        const QStringList fields = {a->date.toString(Qt::ISODate), csvField(a->lastName), csvField(a->firstName),
                                    csvField(a->group), csvField(a->test), csvField(a->timeSpent),
                                    QString::number(a->correct), QString::number(a->asked),
                                    QString::number(a->points, 'g', 15), QString::number(a->percent, 'f', 1),
                                    QString::number(marks.markOf(a->test, a->correct, a->asked))};
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
