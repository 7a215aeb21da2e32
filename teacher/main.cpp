// quizzard-teacher: makes and edits test files. quizzard-teacher FILE opens that file.
#include "FileActions.h"
#include "TeacherWindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quizzard");
    QApplication::setApplicationName("quizzard-teacher");
    // Russian is the program's first language; other locales get the English translation.
    QTranslator ownTexts, qtTexts;
    const bool russian = QLocale().language() == QLocale::Russian;
    if (ownTexts.load(QString(":/translations/quizzard-teacher_%1").arg(russian ? "ru" : "en")))
        QApplication::installTranslator(&ownTexts);
    if (qtTexts.load(QLocale(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    TeacherWindow window;
    window.show();
    const QStringList args = QApplication::arguments().mid(1);
    if (!args.isEmpty())
        window.files().openFile(args.first());
    else
        QTimer::singleShot(0, &window, [&window] { window.files().offerRecovery(); });
    return QApplication::exec();
}
