// Tables: rows and cells within their bounds, the rest as tab-parted paragraphs.
#include "RtfParser.h"

namespace rtf {

// Content goes into the current table cell while the paragraph is marked as in a table, and
// after the table once a paragraph is not. Rows and cells beyond the table's bounds follow it
// as paragraphs, their cells parted by tabs.
void RtfParser::placeCursorForContent() {
    if (state().destination != Destination::Text) return;
    if (!state().paragraph.inTable) {
        tableOverflow_ = false;
        if (table_ != nullptr) leaveTable();
        return;
    }
    if (tableOverflow_) return;
    if (table_ == nullptr) {
        startTable();
        return;
    }
    if (!rowEnded_ && !cellEnded_) return;
    flushRun();
    const bool newRow = rowEnded_;
    rowEnded_ = false;
    cellEnded_ = false;
    const int rows = table_->rows();
    const int columns = table_->columns();
    if (newRow) {
        if (rows >= maxTableRows || (rows + 1) * columns > maxTableCells) return overflowTable();
        table_->appendRows(1);
        ++tableRow_;
        tableColumn_ = 0;
    } else {
        if (tableColumn_ + 1 >= columns) {
            if (columns >= maxTableColumns || (columns + 1) * rows > maxTableCells) return overflowTable();
            table_->appendColumns(1);
        }
        ++tableColumn_;
    }
    cursor_ = table_->cellAt(tableRow_, tableColumn_).firstCursorPosition();
}

void RtfParser::overflowTable() {
    leaveTable();
    tableOverflow_ = true;
}

void RtfParser::startTable() {
    flushRun();
    const int columns = std::max(1, static_cast<int>(cellRightTwips_.size()));
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    QList<QTextLength> widths;
    int left = 0;
    for (const int right : cellRightTwips_) {
        widths << QTextLength(QTextLength::FixedLength, std::max(8.0, (right - left) / twipsPerPixel));
        left = right;
    }
    if (widths.size() == columns) format.setColumnWidthConstraints(widths);
    table_ = cursor_.insertTable(1, columns, format);
    tableRow_ = 0;
    tableColumn_ = 0;
    rowEnded_ = false;
    cellEnded_ = false;
    cursor_ = table_->cellAt(0, 0).firstCursorPosition();
}

void RtfParser::leaveTable() {
    flushRun();
    const int after = table_->lastPosition() + 1;
    table_ = nullptr;
    cursor_.setPosition(after);
    paragraphHasContent_ = false;
}

void RtfParser::endCell() {
    state().paragraph.inTable = true;
    placeCursorForContent();
    if (tableOverflow_) {
        const char16_t tab = u'\t';
        appendText(QStringView(&tab, 1));
        return;
    }
    if (table_ == nullptr) return;
    flushRun();
    cursor_.setBlockFormat(blockFormat(state().paragraph));
    cellEnded_ = true;
}

void RtfParser::endRow() {
    if (tableOverflow_) {
        endParagraph();
        return;
    }
    if (table_ == nullptr) return;
    flushRun();
    rowEnded_ = true;
}

}  // namespace rtf
