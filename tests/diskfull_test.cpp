// Saving onto a full disk: a small tmpfs mounted in a private mount namespace (root only) is
// filled to the last byte, then a calculation is saved over an existing file and vardo-report
// writes over an existing PDF. Both must fail with "нет места" in Russian, keep the old file's
// bytes and leave no temporary file. Without root, or where a private mount namespace cannot be
// made, every test says that it is skipped and why.

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>

#include "document/calculation.h"
#include "tests/support/files.h"

using namespace Qt::Literals::StringLiterals;
namespace doc = vardo::document;

using vardo::testing::fileBytes;

namespace {

// Where the small disk is mounted, or why there is none.
QString gDisk;
QString gWhyNot;

// Runs before the application starts threads: unshare needs a single-threaded process.
void mountSmallDisk(const QString& where) {
    if (::geteuid() != 0) {
        gWhyNot = u"not running as root: no private mount namespace"_s;
        return;
    }
    if (::unshare(CLONE_NEWNS) != 0) {
        gWhyNot = u"unshare(CLONE_NEWNS) failed: "_s + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    // Mounts made here stay in this process and its children.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        gWhyNot =
            u"cannot make the mounts private: "_s + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    if (::mount("vardo-full", QFile::encodeName(where).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                "size=1m,mode=0755") != 0) {
        gWhyNot = u"cannot mount a tmpfs: "_s + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    gDisk = where;
}

// Writes until the disk takes no more byte.
bool fill(const QString& folder) {
    QFile filler(QDir(folder).filePath(u"filler"_s));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
    return true;
}

QStringList entries(const QString& folder) {
    QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeAll(u"filler"_s);
    return names;
}

doc::Calculation calculation() {
    QString error;
    const std::optional<doc::Calculation> c =
        doc::readFile(QStringLiteral(VARDO_TEST_DATA) + u"/road.vardo"_s, &error);
    if (!c) qFatal("%s", qPrintable(error));
    return *c;
}

// An empty folder on the small disk for one test.
QString freshFolder(const char* name) {
    const QString folder = QDir(gDisk).filePath(QString::fromLatin1(name));
    QDir(folder).removeRecursively();
    QFile::remove(QDir(gDisk).filePath(u"filler"_s));
    QDir().mkpath(folder);
    return folder;
}

}  // namespace

class DiskFullTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() {
        if (gDisk.isEmpty()) QSKIP(qPrintable(u"skipped, no small disk: "_s + gWhyNot));
    }

    void saveKeepsTheOldFile() {
        // State: a calculation file on a disk then filled up. Action: save a changed calculation
        // over it. Expected: refused with "нет места", the old bytes kept, nothing left over.
        const QString folder = freshFolder("save");
        const QString path = QDir(folder).filePath(u"расчет.vardo"_s);
        QString error;
        doc::Calculation c = calculation();
        QVERIFY2(doc::writeFile(path, c, &error), qPrintable(error));
        const QByteArray before = fileBytes(path);
        QVERIFY(fill(gDisk));
        c.inputs[u"txtProlet"_s] = u"24"_s;
        QVERIFY(!doc::writeFile(path, c, &error));
        QVERIFY2(error.contains(u"«расчет.vardo»"_s) && error.contains(u"нет места"_s) &&
                     error.contains(u"Прежний файл не изменен"_s),
                 qPrintable(error));
        QVERIFY2(!error.contains(u"No space"_s), qPrintable(error));
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(entries(folder), QStringList{u"расчет.vardo"_s});
    }

    void savedWithoutProc() {
        // State: no /proc (a container may have none), so that a temporary file made without a
        // name cannot be given one. Action: save anew and over the file. Expected: saved whole
        // both times, nothing left over.
        const QString folder = freshFolder("noproc");
        if (::mount("vardo-noproc", "/proc", "tmpfs", MS_NOSUID | MS_NODEV, "size=4k") != 0)
            QSKIP("cannot mount a tmpfs over /proc");
        const QString path = QDir(folder).filePath(u"расчет.vardo"_s);
        QString error;
        doc::Calculation c = calculation();
        const bool created = doc::writeFile(path, c, &error);
        c.inputs[u"txtProlet"_s] = u"24"_s;
        const bool replaced = created && doc::writeFile(path, c, &error);
        ::umount2("/proc", MNT_DETACH);
        QVERIFY2(replaced, qPrintable(error));
        QVERIFY(doc::readFile(path, &error) == c);
        QCOMPARE(entries(folder), QStringList{u"расчет.vardo"_s});
    }

    void reportKeepsTheOldOutput_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("output");
        QTest::newRow("PDF report") << u"-o"_s << u"a.pdf"_s;
        QTest::newRow("DXF scheme") << u"--dxf"_s << u"a.dxf"_s;
        QTest::newRow("schedule") << u"--schedule"_s << u"a.xlsx"_s;
    }
    void reportKeepsTheOldOutput() {
#ifndef VARDO_REPORT_EXE
        QSKIP("vardo-report is not built");
#else
        // State: a calculation and what vardo-report wrote of it on a disk then filled up.
        // Action: vardo-report again. Expected: status 1, "нет места", the old output kept,
        // nothing left over.
        QFETCH(QString, option);
        QFETCH(QString, output);
        const QString folder = freshFolder("report");
        const QString input = QDir(folder).filePath(u"a.vardo"_s);
        const QString written = QDir(folder).filePath(output);
        QString error;
        QVERIFY2(doc::writeFile(input, calculation(), &error), qPrintable(error));
        QProcess run;
        run.setWorkingDirectory(QStringLiteral(VARDO_SAMPLE_DATA));
        run.start(QStringLiteral(VARDO_REPORT_EXE), {input, option, written});
        QVERIFY(run.waitForFinished(120000));
        QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());
        const QByteArray before = fileBytes(written);
        QVERIFY(!before.isEmpty());
        QVERIFY(fill(gDisk));
        run.start(QStringLiteral(VARDO_REPORT_EXE), {input, option, written});
        QVERIFY(run.waitForFinished(120000));
        const QString err = QString::fromUtf8(run.readAllStandardError());
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QVERIFY2(run.exitCode() == 1, qPrintable(err));
        QVERIFY2(err.contains(u'«' + output + u'»') && err.contains(u"нет места"_s),
                 qPrintable(err));
        QCOMPARE(fileBytes(written), before);
        QStringList expected{output, u"a.vardo"_s};
        expected.sort();
        QCOMPARE(entries(folder), expected);
#endif
    }
};

int main(int argc, char* argv[]) {
    // The mount point lives in /tmp; the small disk is seen only by this process and its
    // children, and goes with them.
    QTemporaryDir mountPoint;
    mountPoint.setAutoRemove(true);
    if (mountPoint.isValid()) mountSmallDisk(mountPoint.path());
    int status = 0;
    {
        QCoreApplication app(argc, argv);
        DiskFullTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    if (!gDisk.isEmpty()) ::umount2(QFile::encodeName(gDisk).constData(), MNT_DETACH);
    return status;
}

#include "diskfull_test.moc"
