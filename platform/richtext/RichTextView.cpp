#include "RichTextView.h"

#include "RtfReader.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>

RichTextView::RichTextView(QWidget* parent) : QTextBrowser(parent) {
    // Display only: no caret, no selection, no links to follow, nothing dropped or pasted in.
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setTabChangesFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void RichTextView::loadRtf(const QByteArray& rtf) {
    readRtf(rtf, *document());
    // The view's own cursor moved along with the inserted text; left at the end it would keep
    // the view scrolled to the bottom.
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void RichTextView::keyPressEvent(QKeyEvent* event) {
    // Enter belongs to the dialog's default button and space chooses an answer: both go to the parent.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->ignore();
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Delete) || event->matches(QKeySequence::Undo) ||
        event->matches(QKeySequence::Redo)) {
        event->ignore();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

bool RichTextView::canInsertFromMimeData(const QMimeData*) const { return false; }

void RichTextView::insertFromMimeData(const QMimeData*) {}
