#pragma once
// The window system contract on Qt: modal runs, the application's end request, focus moves.
#include <QDialog>

class QWidget;

// Shows the dialog modally and returns its result. After an end request it returns
// QDialog::Rejected at once, as if the window had been cancelled the moment it opened.
int RunModal(QDialog& dialog);

// From now on every modal window closes at once as cancelled; those open now are cancelled too.
void RequestEnd();
bool EndRequested();
void ClearEndRequest();  // for tests that run several programs in one process

// Moves the focus to the next control in tab order that can take it, wrapping after the last.
void FocusNextControl(QWidget* window);

// Message boxes for ShowNotice and AskQuestion; installed by the program at start-up.
void InstallMessageBoxNotices();

// The texts of the toolkit's own buttons and dialogs ("Да", "Нет", the Open dialog) in Russian,
// like the rest of the program, whatever the system's language. False when they are not installed.
bool InstallRussianStandardTexts();
