#include "ufrmInput.h"

#include "Cp1251.h"
#include "KeyboardLayout.h"
#include "SharedState.h"
#include "TestRun.h"
#include "TextCase.h"
#include "WindowSystem.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QValidator>
#include <QWindow>

namespace {

constexpr unsigned char Blank = 32, Hyphen = 45;
constexpr int NameLimit = 30, GroupLimit = 10;
constexpr int LabelSpacing = 3;
constexpr QSize InitialOuterSize(603, 171), MinimumOuterSize(400, 150);

bool isCyrillicLetter(unsigned char code) { return code >= 192; }
bool isNameCharacter(unsigned char code) { return isCyrillicLetter(code); }
bool isGroupCharacter(unsigned char code) {
    return isCyrillicLetter(code) || code == Hyphen || (code >= '0' && code <= '9');
}

unsigned char cp1251Code(QChar c) { return static_cast<unsigned char>(toCp1251(QString(c)).front()); }

std::string cp1251Text(const QLineEdit* edit) { return toCp1251(edit->text()); }

// The case rules keep the length, so the caret stays valid. Replacing raises the change
// handler once more, which then finds nothing left to change.
void replaceKeepingCaret(QLineEdit* edit, const QString& normalised) {
    if (normalised == edit->text()) return;
    const int caret = edit->cursorPosition();
    edit->setText(normalised);
    edit->setCursorPosition(caret);
}

bool hasNonBlank(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > Blank) return true;
    return false;
}

// Text pasted through the context menu keeps only the characters the field's key filter would
// have let through; the caret keeps its place among them.
class TypedCharactersOnly final : public QValidator {
public:
    TypedCharactersOnly(bool (*allowed)(unsigned char), QObject* parent)
        : QValidator(parent), allowed_(allowed) {}

    State validate(QString& input, int& pos) const override {
        QString kept;
        int keptBeforeCaret = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (!allowed_(cp1251Code(input[i]))) continue;
            kept += input[i];
            if (i < pos) ++keptBeforeCaret;
        }
        input = kept;
        pos = keptBeforeCaret;
        return Acceptable;
    }

private:
    bool (*allowed_)(unsigned char);
};

// Keystrokes that edit without typing a character: with Ctrl or Alt they are control characters
// (Ctrl+V, Ctrl+Z, Ctrl+X, Ctrl+A, ...), and Shift+Insert and Shift+Delete paste and cut. Moving
// the caret, Enter, Escape and Tab keep their meaning.
bool refusedEditingKey(const QKeyEvent& key) {
    if (key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Cut)) return true;
    if (!(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) return false;
    switch (key.key()) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Return: case Qt::Key_Enter:
    case Qt::Key_Escape: case Qt::Key_Tab: case Qt::Key_Backtab:
    case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_Meta: case Qt::Key_Shift:
        return false;
    default:
        return true;
    }
}

}  // namespace

TfrmInput::TfrmInput(QWidget* parent) : QDialog(parent) { FormCreate(); }

void TfrmInput::FormCreate() {
    setWindowTitle(QStringLiteral("Введите имя, фамилию и группу:"));
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    edLastName = addLabelledEdit(lbLastName, QStringLiteral("Фамилия:"), NameLimit, {12, 20, 149, 28});
    edFirstName = addLabelledEdit(lbFirstName, QStringLiteral("Имя:"), NameLimit, {188, 20, 181, 28});
    edGroup = addLabelledEdit(lbGroup, QStringLiteral("Группа:"), GroupLimit, {8, 72, 121, 28});
    edGroup->setToolTip(QStringLiteral("Группа-№"));
    edLastName->setValidator(new TypedCharactersOnly(isNameCharacter, edLastName));
    edFirstName->setValidator(new TypedCharactersOnly(isNameCharacter, edFirstName));
    edGroup->setValidator(new TypedCharactersOnly(isGroupCharacter, edGroup));

    btOK = new QPushButton(QStringLiteral("Начать"), this);
    btOK->setGeometry(232, 112, 147, 29);
    btOK->setDefault(true);
    btOK->setEnabled(false);
    btCancel = new QPushButton(QStringLiteral("Отмена"), this);
    btCancel->setGeometry(4, 112, 147, 29);
    setTabOrder(edLastName, edFirstName);
    setTabOrder(edFirstName, edGroup);
    setTabOrder(edGroup, btOK);
    setTabOrder(btOK, btCancel);

    for (QLineEdit* name : {edLastName, edFirstName})
        connect(name, &QLineEdit::textChanged, this, [this, name] { edFirstNameChange(name); });
    connect(edGroup, &QLineEdit::textChanged, this, [this] { edGroupChange(edGroup); });
    connect(btOK, &QPushButton::clicked, this, &TfrmInput::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &TfrmInput::btCancelClick);
    setMinimumSize(MinimumOuterSize);
    resize(InitialOuterSize);
    edLastName->setFocus();
}

QLineEdit* TfrmInput::addLabelledEdit(QLabel*& label, const QString& caption, int maxLength,
                                      const QRect& design) {
    auto* edit = new QLineEdit(this);
    QFont editFont(QStringLiteral("MS Sans Serif"));
    editFont.setPixelSize(16);
    editFont.setBold(true);
    edit->setFont(editFont);
    edit->setMaxLength(maxLength);
    edit->setGeometry(design);
    // Names are typed key by key; with no input method composing text, every key reaches
    // the layout mapping and the key filter below.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setAcceptDrops(false);
    edit->installEventFilter(this);
    label = new QLabel(caption, this);
    label->setBuddy(edit);
    label->adjustSize();
    label->move(design.left(), design.top() - label->height() - LabelSpacing);
    return edit;
}

bool TfrmInput::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::Show || event->type() == QEvent::Move || event->type() == QEvent::Resize ||
        event->type() == QEvent::WindowActivate)
        fitOuterSizes();
    return handled;
}

// The window's sizes include its frame, which is known only once the window system has framed
// the window (by the time it is activated): the client sizes follow whenever it becomes known
// or changes. The initial size is
// kept only while nobody has resized the window.
void TfrmInput::fitOuterSizes() {
    if (!windowHandle()) return;
    const QMargins margins = windowHandle()->frameMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    if (frame == appliedFrame_ || !frame.isValid()) return;
    const bool stillInitial = size() == InitialOuterSize - appliedFrame_;
    setMinimumSize(MinimumOuterSize - frame);
    if (stillInitial) resize(InitialOuterSize - frame);
    appliedFrame_ = frame;
}

void TfrmInput::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TfrmInput::FormResize() {
    const int w = width();
    const int h = w / 2;
    placeEdit(edLastName, lbLastName, 4, h - 6);
    placeEdit(edFirstName, lbFirstName, h + 2, h - 6);
    placeEdit(edGroup, lbGroup, 4, w - 8);
    btOK->move(h + 2, btOK->y());
    btCancel->move(h - btCancel->width() - 2, btCancel->y());
}

void TfrmInput::placeEdit(QLineEdit* edit, QLabel* label, int left, int width) {
    edit->setGeometry(left, edit->y(), width, edit->height());
    label->move(left, label->y());
}

// Keys reach the edits as the Russian layout gives them, and only the characters the field's
// key filter accepts are inserted. Control characters pass untouched: the edit never inserts
// them, Backspace deletes as it should, and Enter, Escape and Tab keep their meaning. Pasting
// is left to the context menu, and the middle button's paste of the selection is refused.
bool TfrmInput::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || forwardingKey_) return false;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)
        return static_cast<const QMouseEvent&>(*event).button() == Qt::MiddleButton;
    if (event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (refusedEditingKey(key)) return true;
    return filterTyped(edit, key);
}

// Returns true when the event was handled here instead of by the edit.
bool TfrmInput::filterTyped(QLineEdit* edit, const QKeyEvent& key) {
    const QString typed = russianLayoutText(key.nativeScanCode(), platformKeyNumbering(),
                                            key.modifiers() & Qt::ShiftModifier, key.text());
    if (typed.isEmpty()) return false;
    for (QChar c : typed)
        if (!c.isPrint()) return false;
    QString accepted;
    for (QChar c : typed)
        if (acceptsTyped(edit, cp1251Code(c))) accepted += c;
    if (accepted == key.text()) return false;
    if (!accepted.isEmpty()) {
        QKeyEvent mapped(QEvent::KeyPress, key.key(), key.modifiers(), accepted, key.isAutoRepeat(),
                         static_cast<quint16>(key.count()));
        forwardingKey_ = true;
        QCoreApplication::sendEvent(edit, &mapped);
        forwardingKey_ = false;
    }
    return true;
}

bool TfrmInput::acceptsTyped(QLineEdit* sender, unsigned char key) {
    return sender == edGroup ? edGroupKeyPress(sender, key) : edLastNameKeyPress(sender, key);
}

bool TfrmInput::edLastNameKeyPress(QLineEdit*, unsigned char key) {
    if (key == Blank) FocusNextControl(this);
    return isNameCharacter(key);
}

bool TfrmInput::edGroupKeyPress(QLineEdit*, unsigned char key) {
    if (key == Blank) FocusNextControl(this);
    return isGroupCharacter(key);
}

void TfrmInput::updateStartButton() {
    btOK->setEnabled(hasNonBlank(edGroup->text()) && hasNonBlank(edFirstName->text()) &&
                     hasNonBlank(edLastName->text()));
}

void TfrmInput::edFirstNameChange(QLineEdit* sender) {
    updateStartButton();
    replaceKeepingCaret(sender, fromCp1251(CapitalizeWords(cp1251Text(sender))));
}

void TfrmInput::edGroupChange(QLineEdit* sender) {
    updateStartButton();
    replaceKeepingCaret(sender, fromCp1251(UpperCaseRu(cp1251Text(sender))));
}

void TfrmInput::btOKClick() {
    Shared().ContinueFlag = 1;
    accept();
}

void TfrmInput::btCancelClick() { reject(); }

void AskStudent() {
    SharedState& s = Shared();
    s.ContinueFlag = 0;
    TfrmInput form;
    RunModal(form);
    ResetRun();
    if (s.ContinueFlag == 1) {
        s.FirstName = cp1251Text(form.edFirstName);
        s.LastName = cp1251Text(form.edLastName);
        s.Group = cp1251Text(form.edGroup);
    }
    s.Record.FirstName = cutToCapacity(s.FirstName, RecordLayout::NameCapacity);
    s.Record.LastName = cutToCapacity(s.LastName, RecordLayout::NameCapacity);
    s.Record.Group = cutToCapacity(s.Group, RecordLayout::GroupCapacity);
}
