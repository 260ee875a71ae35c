// Tests of the lookup of data files by bare name: the working directory, then beside the program,
// then the chosen tables folder, then the XDG data folders; each with the others missing.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "core/datafile.h"

using namespace Qt::Literals::StringLiterals;

namespace {

enum Folder { Working, Beside, Chosen, Xdg, FolderCount };
#ifdef Q_OS_WIN
constexpr int expectedFolderCount = 4;
#else
constexpr int expectedFolderCount = 6;
#endif

// Where the settings are kept: ~/.config/Vardo/Vardo.conf (under XDG_CONFIG_HOME); on Windows
// %APPDATA%\Vardo\Vardo.ini, a file beside the user's other programs' data, not the registry.
QSettings keptSettings() {
#ifdef Q_OS_WIN
    return QSettings(qEnvironmentVariable("APPDATA") + u"/Vardo/Vardo.ini"_s, QSettings::IniFormat);
#else
    return QSettings(u"Vardo"_s, u"Vardo"_s);
#endif
}

bool touch(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

}  // namespace

class DataFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString previousDirectory_;
    QString name_;

    QString folder(Folder f) const {
        switch (f) {
            case Working:
                return root_.filePath(u"working"_s);
            case Beside:
                return QCoreApplication::applicationDirPath();
            case Chosen:
                return root_.filePath(u"chosen"_s);
            case Xdg:
#ifdef Q_OS_WIN
                return QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")) + u"/Vardo"_s;
#else
                return root_.filePath(u"xdg2/vardo"_s);  // the second of two XDG folders
#endif
            case FolderCount:
                break;
        }
        return {};
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(root_.isValid());
        // Settings and data folders of a home of our own: the user's are never read or changed.
        qputenv("XDG_CONFIG_HOME", root_.filePath(u"config"_s).toUtf8());
        qputenv("XDG_DATA_HOME", root_.filePath(u"data-home"_s).toUtf8());
        qputenv("XDG_DATA_DIRS",
                (root_.filePath(u"xdg1"_s) + u':' + root_.filePath(u"xdg2"_s)).toUtf8());
        for (const QString& f : {u"working"_s, u"chosen"_s, u"xdg1/vardo"_s, u"xdg2/vardo"_s})
            QVERIFY(QDir().mkpath(root_.filePath(f)));
        QVERIFY(QDir().mkpath(folder(Xdg)));
        previousDirectory_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder(Working)));
        // Unique beside the program: tests of other runs may share the build folder.
        name_ = u"vardo-lookup-%1.xls"_s.arg(QCoreApplication::applicationPid());
    }

    void cleanupTestCase() {
        QFile::remove(QDir(folder(Beside)).filePath(name_));
        QDir::setCurrent(previousDirectory_);
    }

    void init() {
        vardo::setTablesFolder(folder(Chosen));
        vardo::useTablesFolderForThisRun({});
    }

    // Every combination of the four folders holding the file or not: the first one holding it,
    // in the order working directory, beside the program, chosen folder, XDG folders, wins.
    void firstFolderHoldingTheFileWins_data() {
        QTest::addColumn<int>("present");   // one bit per Folder
        QTest::addColumn<int>("expected");  // a Folder, FolderCount for "nowhere"
        const char* names[] = {"working", "beside", "chosen", "xdg"};
        for (int present = 0; present < (1 << FolderCount); ++present) {
            QByteArray row;
            int expected = FolderCount;
            for (int f = 0; f < FolderCount; ++f) {
                if (!(present & (1 << f))) continue;
                row += (row.isEmpty() ? "" : "+") + QByteArray(names[f]);
                if (expected == FolderCount) expected = f;
            }
            QTest::newRow(row.isEmpty() ? "nowhere" : row.constData()) << present << expected;
        }
    }
    void firstFolderHoldingTheFileWins() {
        QFETCH(int, present);
        QFETCH(int, expected);
        // State: the file lies in the folders of the row only.
        for (int f = 0; f < FolderCount; ++f) {
            const QString path = QDir(folder(Folder(f))).filePath(name_);
            QFile::remove(path);
            if (present & (1 << f)) QVERIFY2(touch(path), qPrintable(path));
        }
        // Action, expected: the path in the first folder holding it; found nowhere, its path in
        // the working directory.
        const Folder winner = expected == FolderCount ? Working : Folder(expected);
        QCOMPARE(vardo::locateDataFile(name_), QDir(folder(winner)).filePath(name_));
        QCOMPARE(vardo::dataFileExists(name_), present != 0);
        for (int f = 0; f < FolderCount; ++f)
            QFile::remove(QDir(folder(Folder(f))).filePath(name_));
    }

    void searchedFoldersInOrder() {
#ifdef Q_OS_WIN
        const QStringList expected{folder(Working), folder(Beside), folder(Chosen), folder(Xdg)};
#else
        const QStringList expected{folder(Working),
                                   folder(Beside),
                                   folder(Chosen),
                                   root_.filePath(u"data-home/vardo"_s),
                                   root_.filePath(u"xdg1/vardo"_s),
                                   root_.filePath(u"xdg2/vardo"_s)};
#endif
        QCOMPARE(vardo::dataSearchFolders(), expected);
    }

    void noChosenFolderIsNotSearched() {
        // State: the choice forgotten. Expected: the four other folders only.
        vardo::setTablesFolder({});
        QCOMPARE(vardo::tablesFolder(), QString());
        QVERIFY(!vardo::dataSearchFolders().contains(folder(Chosen)));
        QCOMPARE(vardo::dataSearchFolders().size(), expectedFolderCount - 1);
        QVERIFY(touch(QDir(folder(Chosen)).filePath(name_)));
        QCOMPARE(vardo::locateDataFile(name_), QDir(folder(Working)).filePath(name_));
        QFile::remove(QDir(folder(Chosen)).filePath(name_));
    }

    void chosenFolderIsKeptInTheSettings() {
        // Kept under organisation "Vardo", application "Vardo", as an absolute path.
        QVERIFY(QDir::setCurrent(root_.path()));
        vardo::setTablesFolder(u"chosen"_s);
        QVERIFY(QDir::setCurrent(folder(Working)));
        const QSettings kept = keptSettings();
        QCOMPARE(kept.value(u"tables/folder"_s).toString(), folder(Chosen));
        QCOMPARE(vardo::tablesFolder(), folder(Chosen));
    }

    void folderForThisRunTakesThePlaceOfTheKeptOne() {
        // State: a file in another folder, given for this run only.
        const QString other = root_.filePath(u"other"_s);
        QVERIFY(QDir().mkpath(other));
        QVERIFY(touch(QDir(other).filePath(name_)));
        QVERIFY(touch(QDir(folder(Chosen)).filePath(name_)));
        vardo::useTablesFolderForThisRun(other);
        // Expected: the run's folder is searched instead of the kept one, which stays kept.
        QCOMPARE(vardo::locateDataFile(name_), QDir(other).filePath(name_));
        QVERIFY(!vardo::dataSearchFolders().contains(folder(Chosen)));
        QCOMPARE(keptSettings().value(u"tables/folder"_s).toString(), folder(Chosen));
        vardo::useTablesFolderForThisRun({});
        QCOMPARE(vardo::locateDataFile(name_), QDir(folder(Chosen)).filePath(name_));
        QFile::remove(QDir(other).filePath(name_));
        QFile::remove(QDir(folder(Chosen)).filePath(name_));
    }
};

QTEST_GUILESS_MAIN(DataFileTest)
#include "datafile_test.moc"
