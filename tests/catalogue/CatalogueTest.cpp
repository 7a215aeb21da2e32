#include "Catalogue.h"
#include "FolderListing.h"
#include "QtPrinting.h"
#include "SharedState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class Tree {
public:
    Tree() { EXPECT_TRUE(dir_.isValid()); }
    QString root() const { return dir_.path() + QLatin1Char('/'); }
    void file(const QString& relative) const {
        QDir().mkpath(QFileInfo(root() + relative).path());
        QFile f(root() + relative);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    void folder(const QString& relative) const { ASSERT_TRUE(QDir().mkpath(root() + relative)); }
    void link(const QString& relative, const QString& target) const {
        ASSERT_TRUE(QFile::link(target, root() + relative));
    }

private:
    QTemporaryDir dir_;
};

QStringList search(const QString& folder, const QString& mask = QStringLiteral("*.qzt")) {
    Shared().TestFileList.clear();
    FindTestFiles(folder, mask);
    return Shared().TestFileList;
}

QStringList prefixed(const QString& root, const QStringList& relative) {
    QStringList paths;
    for (const QString& r : relative) paths << root + r;
    return paths;
}

}  // namespace

TEST(MaskMatching, WholeNameWithStarAndQuestionMarkIgnoringCase) {
    struct Case {
        const char16_t* name;
        const char16_t* mask;
        bool matches;
    };
    const Case cases[] = {
        {u"a.qzt", u"*.qzt", true},        {u"A.QZT", u"*.qzt", true},
        {u"Физика.QzT", u"*.qzt", true},   {u".qzt", u"*.qzt", true},
        {u"x.qzt.bak", u"*.qzt", false},   {u"qzt", u"*.qzt", false},
        {u"x.qzt1", u"*.qzt", false},      {u"xqzt", u"*.qzt", false},
        {u"a.b.qzt", u"*.qzt", true},      {u"ФИЗИКА", u"физика", true},
        {u"ab", u"a?", true},              {u"a", u"a?", false},
        {u"abcbc", u"*bc", true},          {u"anything", u"*", true},
        {u"", u"*", true},                 {u"", u"?", false},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.name), mask = QString::fromUtf16(c.mask);
        EXPECT_EQ(matchesMask(name, mask), c.matches) << name.toStdString() << " ~ " << mask.toStdString();
    }
}

TEST(FindTestFiles, DepthFirstInNameOrderWithMatchingFoldersAfterTheirContents) {
    Tree tree;
    for (const char* f : {"b.QZT", "x.qzt.bak", "qzt", "notes.txt", ".hidden.qzt",
                          "a.qzt/inner.qzt", "a.qzt/deeper/deep.Qzt", "c/same.qzt",
                          "d/same.qzt", "d/readme"})
        tree.file(QString::fromUtf8(f));
    tree.folder(QStringLiteral("empty"));
    EXPECT_EQ(search(tree.root()),
              prefixed(tree.root(), {".hidden.qzt", "a.qzt/deeper/deep.Qzt", "a.qzt/inner.qzt",
                                     "a.qzt", "b.QZT", "c/same.qzt", "d/same.qzt"}));
}

TEST(FindTestFiles, AppendsToWhatTheListAlreadyHolds) {
    Tree tree;
    tree.file(QStringLiteral("one.qzt"));
    Shared().TestFileList = QStringList{QStringLiteral("earlier")};
    FindTestFiles(tree.root(), QStringLiteral("*.qzt"));
    EXPECT_EQ(Shared().TestFileList, QStringList({QStringLiteral("earlier"), tree.root() + "one.qzt"}));
}

TEST(FindTestFiles, CyrillicNamesKeepTheirText) {
    Tree tree;
    tree.file(QStringLiteral("Тесты/Физика.qzt"));
    EXPECT_EQ(search(tree.root()), prefixed(tree.root(), {QStringLiteral("Тесты/Физика.qzt")}));
}

TEST(FindTestFiles, MissingOrFileRootGivesNothing) {
    Tree tree;
    tree.file(QStringLiteral("plain.qzt"));
    EXPECT_TRUE(search(tree.root() + "missing/").isEmpty());
    EXPECT_TRUE(search(tree.root() + "plain.qzt/").isEmpty());
}

TEST(FindTestFiles, EmptyFolderTextSearchesTheCurrentFolder) {
    Tree tree;
    tree.file(QStringLiteral("here.qzt"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tree.root()));
    const QStringList found = search(QString());
    QDir::setCurrent(previous);
    EXPECT_EQ(found, QStringList{QStringLiteral("here.qzt")});
}

TEST(FindTestFiles, LinkLoopsEndAndEveryRealFolderIsListedOnce) {
    Tree tree;
    tree.file(QStringLiteral("sub/t.qzt"));
    tree.link(QStringLiteral("sub/back"), tree.root());              // loop to the root
    tree.link(QStringLiteral("sub/self"), tree.root() + "sub/self");  // dangling: points at itself
    tree.link(QStringLiteral("alias.qzt"), tree.root() + "sub");     // second path to a folder
    tree.link(QStringLiteral("linked.qzt"), tree.root() + "sub/t.qzt");
    // "alias.qzt" sorts first, so sub's contents are listed through it and sub itself is not
    // entered again; both folder names are matched on their own.
    EXPECT_EQ(search(tree.root()),
              prefixed(tree.root(), {"alias.qzt/t.qzt", "alias.qzt", "linked.qzt"}));
}

TEST(FindTestFiles, VeryDeepTreeNeitherOverflowsNorLosesTheFile) {
    Tree tree;
    QString deep;
    for (int level = 0; level < 1500; ++level) deep += QStringLiteral("d/");
    tree.file(deep + "bottom.qzt");
    EXPECT_EQ(search(tree.root()), prefixed(tree.root(), {deep + "bottom.qzt"}));
}

TEST(FindTestFiles, FolderTheFileSystemRefusesIsSkipped) {
    Tree tree;
    tree.file(QStringLiteral("locked/hidden.qzt"));
    tree.file(QStringLiteral("locked.qzt/inner.qzt"));
    tree.file(QStringLiteral("open.qzt"));
    const QString locked = tree.root() + "locked/", lockedTest = tree.root() + "locked.qzt/";
    setFolderRefusal([&](const QString& folder) { return folder == locked || folder == lockedTest; });
    const QStringList found = search(tree.root());
    setFolderRefusal({});
    // A refused folder whose name matches is still listed itself, as a file would be.
    EXPECT_EQ(found, prefixed(tree.root(), {"locked.qzt", "open.qzt"}));
    setFolderRefusal([&](const QString&) { return true; });
    EXPECT_TRUE(search(tree.root()).isEmpty());
    setFolderRefusal({});
}

TEST(FindTestFiles, FolderWithoutReadPermissionIsSkipped) {
    if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root; the refusal seam covers the skip";
    Tree tree;
    tree.file(QStringLiteral("locked/hidden.qzt"));
    tree.file(QStringLiteral("open.qzt"));
    ASSERT_TRUE(QFile::setPermissions(tree.root() + "locked", QFileDevice::Permissions()));
    const QStringList found = search(tree.root());
    QFile::setPermissions(tree.root() + "locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
    EXPECT_EQ(found, prefixed(tree.root(), {"open.qzt"}));
}

#ifndef _WIN32
// Folder reading order on Linux is a hash order; entries come the way Windows lists them.
TEST(FindTestFiles, EntriesComeByUpperCasedUtf16NotByBytes) {
    Tree tree;
    for (const char16_t* name : {u"Б", u"C", u"а", u"b", u"a"})
        tree.file(QString::fromUtf16(name) + QStringLiteral(".qzt"));
    EXPECT_EQ(search(tree.root()), prefixed(tree.root(), {"a.qzt", "b.qzt", "C.qzt", "а.qzt", "Б.qzt"}));
}
#endif

TEST(FolderOrder, NamesCompareByUpperCasedCodeUnits) {
    struct Case {
        const char16_t *a, *b;
        bool before;
    };
    const Case cases[] = {
        {u"a", u"b", true},   {u"b", u"C", true},   {u"C", u"а", true},   {u"а", u"Б", true},
        {u"Б", u"a", false},  {u"ab", u"AB", false}, {u"AB", u"ab", true}, {u"a", u"ab", true},
        {u"_", u"a", false},  {u"ё", u"я", true},   {u"Z", u"[", true},   {u"x.qzt", u"X.QZT", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(listsBefore(QString::fromUtf16(c.a), QString::fromUtf16(c.b)), c.before)
            << QString::fromUtf16(c.a).toStdString() << " before " << QString::fromUtf16(c.b).toStdString();
}
