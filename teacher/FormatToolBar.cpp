#include "FormatToolBar.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QImageReader>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>
#include <QUuid>

namespace {

const QStringList Symbols = {"α", "β", "γ", "δ", "π", "λ", "μ", "Ω", "Δ", "Σ", "±", "×", "÷", "≤", "≥", "≠",
                             "≈", "√", "∞", "°", "→", "∠", "⊥", "∈"};

}  // namespace

FormatToolBar::FormatToolBar(QWidget* parent) : QToolBar(tr("Format"), parent), font_(new QFontComboBox), size_(new QComboBox) {
    setObjectName("formatToolBar");
    QAction* bold = addFormatAction("bold", tr("Bold"), QKeySequence::Bold);
    connect(bold, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(f);
    });
    QAction* italic = addFormatAction("italic", tr("Italic"), QKeySequence::Italic);
    connect(italic, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        mergeFormat(f);
    });
    QAction* underline = addFormatAction("underline", tr("Underline"), QKeySequence::Underline);
    connect(underline, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontUnderline(on);
        mergeFormat(f);
    });
    QAction* sub = addFormatAction("subscript", tr("Subscript"), QKeySequence("Ctrl+="));
    connect(sub, &QAction::toggled, this, [this](bool on) { toggleVerticalAlignment(on, QTextCharFormat::AlignSubScript); });
    QAction* super = addFormatAction("superscript", tr("Superscript"), QKeySequence("Ctrl+Shift+="));
    connect(super, &QAction::toggled, this, [this](bool on) { toggleVerticalAlignment(on, QTextCharFormat::AlignSuperScript); });
    addSeparator();

    font_->setObjectName("font");
    font_->setToolTip(tr("Font"));
    addWidget(font_);
    connect(font_, &QFontComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat f;
        f.setFontFamilies({family});
        mergeFormat(f);
    });
    size_->setObjectName("size");
    size_->setToolTip(tr("Size"));
    size_->setEditable(true);
    for (int points : QFontDatabase::standardSizes()) size_->addItem(QString::number(points));
    addWidget(size_);
    connect(size_, &QComboBox::textActivated, this, [this](const QString& text) {
        const double points = text.toDouble();
        if (points <= 0) return;
        QTextCharFormat f;
        f.setFontPointSize(points);
        mergeFormat(f);
    });
    QAction* colour = addAction(tr("Colour"), this, &FormatToolBar::chooseColour);
    colour->setObjectName("colour");
    addSeparator();

    auto* alignments = new QActionGroup(this);
    const struct {
        const char* name;
        QString text;
        Qt::Alignment alignment;
    } aligns[] = {{"alignLeft", tr("Left"), Qt::AlignLeft},
                  {"alignCenter", tr("Centre"), Qt::AlignHCenter},
                  {"alignRight", tr("Right"), Qt::AlignRight},
                  {"alignJustify", tr("Justify"), Qt::AlignJustify}};
    for (const auto& a : aligns) {
        QAction* action = addAction(a.text);
        action->setObjectName(a.name);
        action->setCheckable(true);
        alignments->addAction(action);
        const Qt::Alignment alignment = a.alignment;
        connect(action, &QAction::triggered, this, [this, alignment] {
            if (target_) target_->setAlignment(alignment);
        });
    }
    const struct {
        const char* name;
        QString text;
        QTextListFormat::Style style;
    } lists[] = {{"bulletList", tr("Bulleted list"), QTextListFormat::ListDisc},
                 {"numberedList", tr("Numbered list"), QTextListFormat::ListDecimal}};
    for (const auto& l : lists) {
        QAction* action = addAction(l.text);
        action->setObjectName(l.name);
        const QTextListFormat::Style style = l.style;
        connect(action, &QAction::triggered, this, [this, style] {
            if (target_) target_->textCursor().createList(style);
        });
    }
    addSeparator();

    QAction* picture = addAction(tr("Picture…"), this, &FormatToolBar::choosePicture);
    picture->setObjectName("picture");
    QAction* paste = addAction(tr("Paste picture"), this, &FormatToolBar::insertPictureFromClipboard);
    paste->setObjectName("pastePicture");
    auto* symbols = new QMenu(tr("Symbol"), this);
    for (const QString& symbol : Symbols)
        symbols->addAction(symbol, this, [this, symbol] { insertSymbol(symbol); });
    QAction* symbol = symbols->menuAction();
    symbol->setObjectName("symbol");
    addAction(symbol);
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(symbol)))
        button->setPopupMode(QToolButton::InstantPopup);
}

QAction* FormatToolBar::addFormatAction(const QString& name, const QString& text, const QKeySequence& shortcut) {
    QAction* action = addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setShortcut(shortcut);
    action->setToolTip(QString("%1 (%2)").arg(text, shortcut.toString(QKeySequence::NativeText)));
    return action;
}

QAction* FormatToolBar::action(const QString& name) const { return findChild<QAction*>(name); }

void FormatToolBar::setTarget(QTextEdit* editor) {
    if (target_) disconnect(target_, nullptr, this, nullptr);
    target_ = editor;
    if (!target_) return;
    connect(target_, &QTextEdit::currentCharFormatChanged, this, &FormatToolBar::showFormatOf);
    showFormatOf(target_->currentCharFormat());
}

void FormatToolBar::showFormatOf(const QTextCharFormat& format) {
    const auto show = [this](const char* name, bool on) {
        QAction* a = action(name);
        const QSignalBlocker blocker(a);
        a->setChecked(on);
    };
    show("bold", format.fontWeight() >= QFont::Bold);
    show("italic", format.fontItalic());
    show("underline", format.fontUnderline());
    show("subscript", format.verticalAlignment() == QTextCharFormat::AlignSubScript);
    show("superscript", format.verticalAlignment() == QTextCharFormat::AlignSuperScript);
    const QSignalBlocker fontBlocker(font_), sizeBlocker(size_);
    if (!format.fontFamilies().toStringList().isEmpty()) font_->setCurrentFont(QFont(format.fontFamilies().toStringList().first()));
    if (format.fontPointSize() > 0) size_->setCurrentText(QString::number(format.fontPointSize()));
}

void FormatToolBar::mergeFormat(const QTextCharFormat& format) {
    if (!target_) return;
    QTextCursor cursor = target_->textCursor();
    if (!cursor.hasSelection()) cursor.select(QTextCursor::WordUnderCursor);
    cursor.mergeCharFormat(format);
    target_->mergeCurrentCharFormat(format);
}

void FormatToolBar::toggleVerticalAlignment(bool on, int alignment) {
    QTextCharFormat f;
    f.setVerticalAlignment(on ? static_cast<QTextCharFormat::VerticalAlignment>(alignment) : QTextCharFormat::AlignNormal);
    mergeFormat(f);
    showFormatOf(f);
}

void FormatToolBar::chooseColour() {
    if (!target_) return;
    const QColor colour = QColorDialog::getColor(target_->textColor(), this, tr("Text colour"));
    if (!colour.isValid()) return;
    QTextCharFormat f;
    f.setForeground(colour);
    mergeFormat(f);
}

void FormatToolBar::choosePicture() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Insert picture"), QString(),
                                                      tr("Pictures (*.png *.jpg *.jpeg)"));
    if (!path.isEmpty()) insertPictureFile(path);
}

void FormatToolBar::insertPictureFile(const QString& path) {
    QImageReader reader(path);
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (image.isNull() || (format != "png" && format != "jpeg")) {
        QMessageBox::warning(this, tr("Insert picture"), tr("%1 is not a PNG or JPEG picture.").arg(path));
        return;
    }
    insertImage(image);
}

void FormatToolBar::insertPictureFromClipboard() {
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) {
        QMessageBox::information(this, tr("Paste picture"), tr("The clipboard holds no picture."));
        return;
    }
    insertImage(image);
}

void FormatToolBar::insertImage(const QImage& image) {
    if (!target_) return;
    const QUrl name(QString("picture-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
    target_->document()->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(image.width());
    format.setHeight(image.height());
    target_->textCursor().insertImage(format);
}

void FormatToolBar::insertSymbol(const QString& symbol) {
    if (target_) target_->textCursor().insertText(symbol);
}
