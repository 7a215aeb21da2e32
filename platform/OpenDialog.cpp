#include "OpenDialog.h"

#include <QFileDialog>

namespace {

class FileDialog final : public OpenDialog {
public:
    QString choose(const QString& title, const QString& filter) override {
        QFileDialog dialog(nullptr, title, QString(), filter);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // The choices read by their names alone ("TestFile", "All files"), without the patterns.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    }
};

FileDialog fileDialog;
OpenDialog* current = &fileDialog;

}  // namespace

void setOpenDialog(OpenDialog* replacement) { current = replacement ? replacement : &fileDialog; }

QString ChooseFileToOpen(const QString& title, const QString& filter) {
    return current->choose(title, filter);
}
