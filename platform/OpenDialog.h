#pragma once
// The Open File dialog, behind a seam so tests can answer it with a chosen path.
#include <QString>

class OpenDialog {
public:
    virtual ~OpenDialog() = default;
    // Returns the chosen path, or an empty text when the user cancels.
    virtual QString choose(const QString& title, const QString& filter) = 0;
};

void setOpenDialog(OpenDialog* replacement);  // nullptr puts the real dialog back
QString ChooseFileToOpen(const QString& title, const QString& filter);
