#pragma once
// Formatting of the editor that has the focus: character formats, font, size, colour,
// alignment, lists, pictures and symbols.
#include <QToolBar>

class QAction;
class QFontComboBox;
class QComboBox;
class QTextCharFormat;
class QTextEdit;

class FormatToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit FormatToolBar(QWidget* parent = nullptr);
    void setTarget(QTextEdit* editor);
    QAction* action(const QString& name) const;

    void insertPictureFile(const QString& path);  // PNG or JPEG; anything else is refused with a message
    void insertPictureFromClipboard();
    void insertSymbol(const QString& symbol);

private:
    QAction* addFormatAction(const QString& name, const QString& text, const QKeySequence& shortcut);
    void mergeFormat(const QTextCharFormat& format);
    void toggleVerticalAlignment(bool on, int alignment);
    void chooseColour();
    void choosePicture();
    void insertImage(const QImage& image);
    void showFormatOf(const QTextCharFormat& format);

    QTextEdit* target_ = nullptr;
    QFontComboBox* font_;
    QComboBox* size_;
};
