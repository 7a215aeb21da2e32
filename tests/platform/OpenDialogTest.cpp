#include "OpenDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include "QtPrinting.h"

TEST(OpenDialog, FilterChoicesShowTheirNamesWithoutPatterns) {
    setOpenDialog(nullptr);
    bool opened = false;
    QString title;
    QStringList choices;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        opened = true;
        title = dialog->windowTitle();
        if (auto* filters = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            for (int i = 0; i < filters->count(); ++i) choices << filters->itemText(i);
        dialog->reject();
    });
    const QString chosen = ChooseFileToOpen(QStringLiteral("Открыть файл тестов"),
                                            QStringLiteral("TestFile (*.qzt);;All files (*)"));
    ASSERT_TRUE(opened) << "the Open dialog never opened";
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(title, QStringLiteral("Открыть файл тестов"));
    EXPECT_EQ(choices, (QStringList{QStringLiteral("TestFile"), QStringLiteral("All files")}));
}
