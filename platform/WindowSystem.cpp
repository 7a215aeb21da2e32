#include "WindowSystem.h"

#include "Notices.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

namespace {

bool endRequested = false;

class MessageBoxNotices final : public Notices {
public:
    void notice(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok);
        box.exec();
    }
    bool question(const QString& text) override {
        QMessageBox box(QMessageBox::Question, QuestionCaption, text,
                        QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }
};

MessageBoxNotices messageBoxNotices;

}  // namespace

int RunModal(QDialog& dialog) {
    if (endRequested) return QDialog::Rejected;
    return dialog.exec();
}

void RequestEnd() {
    endRequested = true;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
            dialog->reject();
    }
}

bool EndRequested() { return endRequested; }

void ClearEndRequest() { endRequested = false; }

// The focus chain is circular: the search ends when it comes back to where it began, so a
// window with no control that takes the focus leaves the focus where it is.
void FocusNextControl(QWidget* window) {
    QWidget* start = window->focusWidget() ? window->focusWidget() : window;
    for (QWidget* candidate = start->nextInFocusChain(); candidate && candidate != start;
         candidate = candidate->nextInFocusChain()) {
        if (candidate->window() == window && candidate->isEnabled() && candidate->isVisible() &&
            (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void InstallMessageBoxNotices() { setNotices(&messageBoxNotices); }

bool InstallRussianStandardTexts() {
    static QTranslator translator;
    if (!translator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
