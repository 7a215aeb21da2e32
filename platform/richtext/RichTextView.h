#pragma once
// Read-only view of an RTF document: no caret, no editing, no drop or paste; it scrolls.
#include <QByteArray>
#include <QTextBrowser>

class RichTextView : public QTextBrowser {
    Q_OBJECT
public:
    explicit RichTextView(QWidget* parent = nullptr);
    void loadRtf(const QByteArray& rtf);  // replaces the whole content; never throws

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
