// Shows the journal alone: quizzard-journal-harness [FOLDER]. Without a folder it opens the
// results folder of "param.ini" beside the program.
#include "JournalFolders.h"
#include "JournalWidget.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    JournalWidget journal;
    journal.setWindowTitle(JournalWidget::tr("Quizzard: results journal"));
    const QStringList arguments = QApplication::arguments();
    journal.openFolder(arguments.size() > 1 ? arguments[1] : defaultResultsFolder(QApplication::applicationDirPath()));
    journal.resize(1200, 760);
    journal.show();
    return QApplication::exec();
}
