#include "JournalXlsx.h"

#include <QFile>
#include <xlsxwriter.h>

namespace {

const char* const Headers[] = {"Date", "Last name", "First name", "Group", "Test", "Time spent",
                               "Correct", "Asked", "Points", "Percent", "Mark"};

void writeText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const QString& text) {
    worksheet_write_string(sheet, row, col, text.toUtf8().constData(), nullptr);
}

void writeAttempt(lxw_worksheet* sheet, lxw_row_t row, const Attempt& a, const MarkSettings& marks,
                  lxw_format* dateFormat, lxw_format* timeFormat) {
    lxw_datetime date = {a.date.year(), a.date.month(), a.date.day(), 0, 0, 0};
    worksheet_write_datetime(sheet, row, 0, &date, dateFormat);
    writeText(sheet, row, 1, a.lastName);
    writeText(sheet, row, 2, a.firstName);
    writeText(sheet, row, 3, a.group);
    writeText(sheet, row, 4, a.test);
    worksheet_write_number(sheet, row, 5, a.seconds / 86400.0, timeFormat);
    worksheet_write_number(sheet, row, 6, a.correct, nullptr);
    worksheet_write_number(sheet, row, 7, a.asked, nullptr);
    worksheet_write_number(sheet, row, 8, a.points, nullptr);
    worksheet_write_number(sheet, row, 9, a.percent, nullptr);
    worksheet_write_number(sheet, row, 10, marks.markOf(a.test, a.correct, a.asked), nullptr);
}

}  // namespace

QString writeJournalXlsx(const QString& path, const std::vector<const Attempt*>& shown, const MarkSettings& marks) {
    {
        // Asked first, so the reason is ours to give and the library has nothing to complain about.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write %1: %2").arg(path, probe.errorString());
    }
    const QByteArray name = QFile::encodeName(path);
    lxw_workbook* book = workbook_new(name.constData());
    if (!book) return QStringLiteral("cannot create %1").arg(path);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Journal");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* dateFormat = workbook_add_format(book);
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    lxw_format* timeFormat = workbook_add_format(book);
    format_set_num_format(timeFormat, "hh:mm:ss");
    for (lxw_col_t c = 0; c < lxw_col_t(std::size(Headers)); ++c)
        worksheet_write_string(sheet, 0, c, Headers[c], bold);
    lxw_row_t row = 1;
    for (const Attempt* a : shown) writeAttempt(sheet, row++, *a, marks, dateFormat, timeFormat);
    worksheet_set_column(sheet, 0, 0, 11, nullptr);
    worksheet_set_column(sheet, 1, 4, 18, nullptr);
    const lxw_error error = workbook_close(book);
    if (error == LXW_NO_ERROR) return {};
    QFile::remove(path);  // never leave half a workbook behind
    return QString::fromUtf8(lxw_strerror(error));
}
