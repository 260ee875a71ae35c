// vardo-report: the report of saved calculations without the window. Each calculation file is
// read and checked, its results are worked out again from its inputs with the window's own
// procedures (the saved results are not trusted, only named where they differ), the crossbeam
// grades of its series are checked against the allowable-moment workbook found by its bare name,
// and a PDF is written; the verdict is printed per file. With --schedule the same check of every
// file goes into one schedule of crossbeams (.xlsx or .csv) instead of the PDFs; with --dxf the
// suspension scheme of one file goes to CAD as a DXF drawing instead of its PDF.

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <QTextStream>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "core/catalogue.h"
#include "core/clocale.h"
#include "core/datafile.h"
#include "core/safefile.h"
#include "core/visibletext.h"
#include "document/calculation.h"
#include "document/recompute.h"
#include "document/report.h"
#include "document/schedule.h"
#include "document/schemedxf.h"
#include "tables/workbook.h"

using namespace Qt::Literals::StringLiterals;
namespace doc = vardo::document;
namespace names = vardo::names;

namespace {

// A text of the program's own with line breaks of its own, such as the help.
struct Help {
    QString text;
};

// A line of the terminal. The program's own words are written as they are (string literals,
// numbers, the help); every QString is data (a file name, a grade's name, a message that quotes
// them) and has its control and other unseen characters escaped ("\x1b", "\n", "\u202e", a byte
// that is not UTF-8 as "\xff"): an ESC in a file name would otherwise clear the screen and a line
// feed forge a line.
class Terminal {
  public:
    explicit Terminal(FILE* file) : stream_(file) {}
    Terminal& operator<<(const QString& data) {
        stream_ << vardo::terminalText(data);
        return *this;
    }
    Terminal& operator<<(const Help& help) {
        stream_ << help.text;
        return *this;
    }
    template <typename Own>
    Terminal& operator<<(const Own& own) {
        stream_ << own;
        return *this;
    }

  private:
    QTextStream stream_;
};

Terminal& out() {
    static Terminal stream(stdout);
    return stream;
}
Terminal& err() {
    static Terminal stream(stderr);
    return stream;
}

// The arguments as given. On Linux argv holds bytes: each one, UTF-8 or not, stays in the name so
// that the file is found (Qt's own arguments() turns a byte that is not UTF-8 into U+FFFD).
QStringList commandLine(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QGuiApplication::arguments().mid(1);
#else
    QStringList args;
    for (int i = 1; i < argc; ++i) args << vardo::fileNameFromBytes(QByteArray(argv[i]));
    return args;
#endif
}

QString helpText() {
    return u"Использование: vardo-report ФАЙЛ.vardo... [-o ПУТЬ] [--tables ПАПКА]\n"
           u"               vardo-report --schedule ВЕДОМОСТЬ.xlsx|.csv ФАЙЛ.vardo...\n"
           u"               vardo-report ФАЙЛ.vardo --dxf СХЕМА.dxf\n"
           u"\n"
           u"Пересчитывает каждый файл расчета Vardo теми же процедурами, что и окно программы\n"
           u"(сохраненные в файле результаты не используются, а только упоминаются в отчете,\n"
           u"если расходятся с пересчетом), проверяет марки поперечин серии расчета по таблице\n"
           u"допускаемых моментов и записывает отчет PDF. Для каждого файла печатает расчетные\n"
           u"моменты и вывод проверки.\n"
           u"\n"
           u"  -o, --output ПУТЬ  один файл расчета: путь отчета PDF;\n"
           u"                     несколько файлов (или ПУТЬ — существующая папка, или ПУТЬ\n"
           u"                     кончается знаком «/»): папка для отчетов, она создается;\n"
           u"                     отчет называется как файл расчета,\n"
           u"                     с расширением .pdf (a.vardo -> ПУТЬ/a.pdf); у файлов с\n"
           u"                     одинаковым именем к имени отчета добавляется -2, -3, ...\n"
           u"                     Без -o отчет пишется рядом с файлом расчета (a.vardo -> a.pdf).\n"
           u"  --schedule ПУТЬ    вместо отчетов PDF — одна ведомость поперечин: по строке на\n"
           u"                     файл расчета (данные объекта, l, Lр, серия, сечение, шесть\n"
           u"                     расчетных моментов, подобранная марка или «не подобрана»,\n"
           u"                     ее наибольшее использование и определяющий режим, вывод,\n"
           u"                     имя файла); формат по расширению: .xlsx (книга Excel) или\n"
           u"                     .csv (UTF-8, «;», десятичная запятая). Непрочитанный файл —\n"
           u"                     строка с причиной, код возврата тогда 1.\n"
           u"  --dxf ПУТЬ         вместо отчета PDF — схема подвеса одного файла расчета для\n"
           u"                     САПР (DXF R2000, метры, 1:1; ригель, опоры, точки,\n"
           u"                     нагрузки, сечения, размеры и надписи — каждые на своем слое)\n"
           u"  -t, --tables ПАПКА папка таблиц на этот запуск вместо выбранной в программе\n"
           u"                     (настройка «Папка таблиц» не меняется)\n"
           u"  -h, --help         эта справка\n"
           u"  --                 дальше только имена файлов, даже начинающиеся с «-»\n"
           u"\n"
           u"Отчет пишется только в обычный файл (не в устройство, канал или папку) и никогда\n"
           u"не заменяет файл, который читается в этом же запуске: файл расчета или таблицу.\n"
           u"Прежний отчет заменяется только целиком записанным новым.\n"
           u"\n"
           u"Таблицы допускаемых моментов (т36.1.xls для серии П, т36.2.xls для ОП) ищутся по\n"
           u"имени в рабочей папке, затем рядом с программой, затем в папке таблиц (--tables\n"
#ifdef Q_OS_WIN
           u"или выбранной в программе), затем в папке Vardo в %APPDATA%; так же таблицы\n"
           u"т37Gp.xls, Т37Gрг.xls и\n"
#else
           u"или выбранной в программе), затем в папках данных XDG (~/.local/share/vardo,\n"
           u"/usr/local/share/vardo, /usr/share/vardo); так же таблицы т37Gp.xls, Т37Gрг.xls и\n"
#endif
           u"т37gama.xls, по которым каждая марка проверяется со своими gр, gрг и Pp, и\n"
           u"таблица Мфс т38.1.xls.\n"
           u"\n"
           u"Код возврата: 0 — все отчеты (ведомость) записаны с проверкой марок; 1 — хотя бы\n"
           u"один файл расчета не прочитан, его отчет (ведомость) не записан или таблица\n"
           u"допускаемых моментов либо таблицы марок не прочитаны (отчет тогда пишется без\n"
           u"проверки марок); 2 — неверные аргументы.\n"_s;
}

// The help, written as it is.
Help usage() {
    return {helpText()};
}

struct ReadTable {
    vardo::tables::Table table;
    QString error;
};

// Each workbook is read once for all files; a workbook that cannot be read is said once.
const ReadTable& workbook(const QString& bareName) {
    static QHash<QString, ReadTable> cache;
    auto it = cache.find(bareName);
    if (it == cache.end()) {
        vardo::tables::ReadResult read =
            vardo::tables::readWorkbook(vardo::locateDataFile(bareName));
        it = cache.insert(bareName, {std::move(read.table), read.errorText});
        if (!it->error.isEmpty()) {
            err() << "vardo-report: таблица «" << bareName << "» не прочитана: " << it->error;
            if (!vardo::dataFileExists(bareName))
                err() << " (искалась в папках: "
                      << QDir::toNativeSeparators(vardo::dataSearchFolders().join(u"; "_s)) << ")";
            err() << Qt::endl;
        }
    }
    return *it;
}

const vardo::tables::Table& workbookTable(const char16_t* bareName) {
    return workbook(QString::fromUtf16(bareName)).table;
}

// The crossbeam's own tables, found by their workbooks' names.
doc::CrossbeamTables crossbeamTables() {
    return doc::crossbeamTablesOf(
        [](const QString& source) { return workbook(vardo::catalogue::workbookOf(source)).table; });
}

QString momentText(const doc::Results& results, const QString& field) {
    const doc::ResultValue v = results.value(field);
    return v.computed ? v.text : u"не вычислено"_s;
}

// One calculation file to one PDF; false when either cannot be done.
bool reportOne(const QString& path, const QString& pdfPath) {
    QString error;
    const std::optional<doc::Calculation> calculation = doc::readFile(path, &error);
    if (!calculation) {
        err() << "vardo-report: " << error << Qt::endl;
        return false;
    }
    doc::ReportInput in;
    in.calculation = *calculation;
    const doc::Recomputation again = doc::recompute(*calculation);
    in.results = again.results;
    // A saved result is named where it differs; a blank one was never computed on the window.
    for (const QString& field : doc::recomputedFields())
        if (!calculation->results.value(field).isEmpty())
            in.comparison.insert(field, calculation->results.value(field));
    in.comparisonCaption = u"в файле"_s;
    in.governingG = again.governingG;
    in.governingGice = again.governingGice;
    in.fileName = QFileInfo(path).fileName();
    in.date = QDateTime::currentDateTime();
    // The series' own workbook by its fixed name, whatever name the file recorded.
    in.allowableWorkbook = doc::allowableWorkbookName(*calculation);
    const ReadTable& allowable = workbook(in.allowableWorkbook);
    in.allowable = allowable.table;
    in.allowableError = allowable.error;
    // Every grade is checked with its own rows of the crossbeam tables.
    in.crossbeamTables = crossbeamTables();
    in.mfsTable = workbookTable(doc::kMfsWorkbook);

    const doc::Report report(std::move(in));
    const QString section = vardo::catalogue::sectionText(
        calculation->options.value(names::kSectionFrame) == names::Option10);
    const doc::Results& r = report.input().results;
    out() << QDir::toNativeSeparators(path) << " -> " << QDir::toNativeSeparators(pdfPath) << '\n';
    out() << "  моменты, тс·м: середина " << momentText(r, names::kEmergencyMidMoment) << "; "
          << momentText(r, names::kIceMidMoment) << "; " << momentText(r, names::kMaxWindMidMoment)
          << " | " << section << ' ' << momentText(r, names::kEmergencySectionMoment) << "; "
          << momentText(r, names::kIceSectionMoment) << "; "
          << momentText(r, names::kMaxWindSectionMoment) << '\n';
    out() << "  вывод: " << report.verdict() << Qt::endl;
    if (!report.writePdf(pdfPath, &error)) {
        err() << "vardo-report: " << error << Qt::endl;
        return false;
    }
    // Without the crossbeam tables no grade is checked: as incomplete as without the allowable
    // moments.
    bool tablesRead = allowable.error.isEmpty();
    for (const vardo::Name& source : doc::kCrossbeamSources)
        tablesRead =
            tablesRead && workbook(vardo::catalogue::workbookOf(source.view())).error.isEmpty();
    return tablesRead;
}

QString pdfBeside(const QString& path) {
    const QFileInfo info(path);
    return info.path() + u'/' + info.completeBaseName() + u".pdf"_s;
}

// "a.pdf" -> "a-2.pdf"; the name is never read as a pattern, whatever it holds.
QString numbered(const QString& pdfPath, int n) {
    const QString base = pdfPath.chopped(4);
    return base + u'-' + QString::number(n) + u".pdf"_s;
}

bool endsWithSeparator(const QString& path) {
    return path.endsWith(u'/') || path.endsWith(QDir::separator());
}

// Every file the run reads: the calculation files and the workbooks found by name. No report
// may replace any of them, by its own name or through a link.
QStringList filesRead(const QStringList& calculations) {
    QStringList read;
    read.reserve(calculations.size() + 8);
    // The working folder taken once: QFileInfo::absoluteFilePath asks the system for it each time,
    // which a run of 10,000 files would feel.
    const QDir here = QDir::current();
    for (const QString& file : calculations) read << QDir::cleanPath(here.absoluteFilePath(file));
    QStringList workbooks;
    for (const vardo::catalogue::Series& s : vardo::catalogue::kSeries)
        workbooks << QString::fromUtf16(s.allowable.workbook);
    for (const vardo::Name& source : doc::kCrossbeamSources)
        workbooks << vardo::catalogue::workbookOf(source.view());
    workbooks << QString::fromUtf16(doc::kMfsWorkbook);
    for (const QString& workbook : workbooks)
        read << QFileInfo(vardo::locateDataFile(workbook)).absoluteFilePath();
    return read;
}

// The files a run reads, each looked up once: whether an output would replace one of them is then
// one look-up, however many files the run reads.
class InputFiles {
  public:
    explicit InputFiles(const QStringList& read) {
        byPath_.reserve(read.size());
        byIdentity_.reserve(read.size());
        for (const QString& file : read) {
            byPath_.insert(QDir::cleanPath(file), file);
            if (const QString identity = vardo::fileIdentity(file); !identity.isEmpty())
                byIdentity_.insert(identity, file);
        }
    }
    // The read file that output would replace, by its name or through links; empty when none.
    QString replacedBy(const QString& output) const {
        if (const auto it =
                byPath_.constFind(QDir::cleanPath(QFileInfo(output).absoluteFilePath()));
            it != byPath_.cend())
            return *it;
        const QString identity = vardo::fileIdentity(output);
        return identity.isEmpty() ? QString() : byIdentity_.value(identity);
    }

  private:
    QHash<QString, QString> byPath_;
    QHash<QString, QString> byIdentity_;
};

// Report paths not used twice in a run: "a.pdf", then "a-2.pdf", "a-3.pdf", ... Each name goes on
// from the number it stopped at, so that many files of one name cost one step each.
class ReportNames {
  public:
    QString take(const QString& first) {
        QString pdf = first;
        int& n = next_[QFileInfo(first).absoluteFilePath()];
        if (n < 2) n = 2;
        while (used_.contains(QFileInfo(pdf).absoluteFilePath())) pdf = numbered(first, n++);
        used_.insert(QFileInfo(pdf).absoluteFilePath());
        return pdf;
    }

  private:
    QSet<QString> used_;
    QHash<QString, int> next_;
};

// The suspension scheme of one calculation file as a DXF drawing; true when it was written.
bool writeSchemeOf(const QString& file, const QString& dxfPath) {
    QString error;
    const std::optional<doc::Calculation> calculation = doc::readFile(file, &error);
    if (!calculation) {
        err() << "vardo-report: " << error << Qt::endl;
        return false;
    }
    if (!doc::writeSchemeDxf(dxfPath, *calculation, &error)) {
        err() << "vardo-report: " << error << Qt::endl;
        return false;
    }
    out() << QDir::toNativeSeparators(file) << " -> " << QDir::toNativeSeparators(dxfPath)
          << Qt::endl;
    for (const QString& note : doc::diagramModel(*calculation).notes)
        out() << "  на схеме: " << note << '\n';
    out() << Qt::flush;
    return true;
}

// Why the one output of a run (the schedule, the scheme), `what` ("ведомость", genitive
// "ведомости"), may not be written to path: it would replace a file the run reads, or path is not a
// regular file. Empty when it may.
QString refusalToWrite(const QString& path, const QStringList& files, const QString& what,
                       const QString& whatGenitive) {
    if (const QString input = InputFiles(filesRead(files)).replacedBy(path); !input.isEmpty())
        return u"%1 «%2» заменила бы файл «%3», который читается в этом же запуске; укажите "
               u"другое имя %4"_s.arg(what, QDir::toNativeSeparators(path),
                                      QDir::toNativeSeparators(input), whatGenitive);
    if (const QString why = vardo::describeNonRegular(path); !why.isEmpty())
        return u"%1 не записана в «%2»: %3; записывается только обычный файл"_s.arg(
            what, QDir::toNativeSeparators(path), why);
    return {};
}

// The schedule of every file in one sheet; true when every file was read and checked.
bool writeScheduleOf(const QStringList& files, const QString& schedulePath) {
    doc::ScheduleTables tables;
    for (const vardo::catalogue::Series& s : vardo::catalogue::kSeries) {
        const QString name = QString::fromUtf16(s.allowable.workbook);
        const ReadTable& read = workbook(name);
        tables.allowable.insert(name, {read.table, read.error});
    }
    tables.crossbeam = crossbeamTables();
    tables.mfs = workbookTable(doc::kMfsWorkbook);
    // Each file's line as soon as its row is made: with thousands of files the user sees the run
    // go on. The lines are handed to the terminal a few times a second, not one by one.
    bool allDone = true;
    qsizetype made = 0;
    QElapsedTimer sinceShown;
    sinceShown.start();
    const QList<doc::ScheduleRow> rows =
        doc::makeSchedule(files, tables, {}, [&](const doc::ScheduleRow& row) {
            const QString& file = files[made++];
            if (!row.read) {
                err() << "vardo-report: " << row.verdict << Qt::endl;
                allDone = false;
                return;
            }
            allDone = allDone && row.checked;
            out() << QDir::toNativeSeparators(file) << ": " << row.verdict << '\n';
            if (sinceShown.hasExpired(200)) {
                out() << Qt::flush;
                sinceShown.restart();
            }
        });
    QString error;
    if (!doc::writeSchedule(schedulePath, rows, &error)) {
        err() << "vardo-report: " << error << Qt::endl;
        return false;
    }
    out() << "ведомость записана: " << QDir::toNativeSeparators(schedulePath)
          << " (строк: " << rows.size() << ")" << Qt::endl;
    return allDone;
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    // The texts are written in UTF-8: the console shows them in Cyrillic, not in its OEM code page.
    SetConsoleOutputCP(CP_UTF8);
#endif
    // Fonts and PDF pages need a GUI application, not a screen. On Windows the Windows platform
    // is kept: every session has one, and it has the system's fonts (the offscreen platform has
    // none there, and is not installed).
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // Qt's own diagnostics ("XDG_RUNTIME_DIR not set", font notes) are for developers, in English;
    // the user reads only this program's lines, and the reason when Qt cannot go on.
    // VARDO_QT_MESSAGES=1 shows them all again.
    if (qEnvironmentVariableIsEmpty("VARDO_QT_MESSAGES"))
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtFatalMsg) return;
            std::fprintf(stderr, "vardo-report: Qt не может продолжать работу: %s\n",
                         text.toUtf8().constData());
            std::fflush(stderr);
            std::abort();
        });
    QGuiApplication app(argc, argv);
    // QGuiApplication took the C library's locale from the environment; its numbers stay in the
    // C form, so that the schedule's workbook never holds a decimal comma.
    vardo::useCNumericLocale();
    QGuiApplication::setApplicationName(u"vardo-report"_s);

    QStringList files;
    std::optional<QString> output;
    std::optional<QString> schedule;
    std::optional<QString> dxf;
    // argc and argv as QGuiApplication left them, without the options it took for itself.
    const QStringList args = commandLine(argc, argv);
    bool options = true;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (options && a == u"--"_s) {
            options = false;  // every argument after "--" is a file name
        } else if (options && (a == u"-h"_s || a == u"--help"_s)) {
            out() << usage() << Qt::flush;
            return 0;
        } else if (options && (a == u"-o"_s || a == u"--output"_s)) {
            if (i + 1 >= args.size() || output) {
                err() << "vardo-report: после -o нужен один путь\n\n" << usage() << Qt::flush;
                return 2;
            }
            output = args[++i];
            if (output->isEmpty()) {
                err() << "vardo-report: после -o указан пустой путь\n\n" << usage() << Qt::flush;
                return 2;
            }
        } else if (options && a == u"--schedule"_s) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty() || schedule) {
                err() << "vardo-report: после --schedule нужен один путь ведомости\n\n"
                      << usage() << Qt::flush;
                return 2;
            }
            schedule = args[++i];
            if (!doc::scheduleFormat(*schedule)) {
                err() << "vardo-report: ведомость «" << QDir::toNativeSeparators(*schedule)
                      << "» не записана: ее имя должно кончаться на .xlsx или .csv" << Qt::endl;
                return 2;
            }
        } else if (options && a == u"--dxf"_s) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty() || dxf) {
                err() << "vardo-report: после --dxf нужен один путь схемы\n\n"
                      << usage() << Qt::flush;
                return 2;
            }
            dxf = args[++i];
        } else if (options && (a == u"-t"_s || a == u"--tables"_s)) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                err() << "vardo-report: после --tables нужна папка таблиц\n\n"
                      << usage() << Qt::flush;
                return 2;
            }
            const QString folder = args[++i];
            if (!QFileInfo(folder).isDir()) {
                err() << "vardo-report: папка таблиц «" << QDir::toNativeSeparators(folder)
                      << "» не найдена" << Qt::endl;
                return 2;
            }
            vardo::useTablesFolderForThisRun(folder);
        } else if (options && a.startsWith(u'-') && a.size() > 1) {
            err() << "vardo-report: неизвестный ключ " << a << "\n\n" << usage() << Qt::flush;
            return 2;
        } else {
            files << a;
        }
    }
    if (files.isEmpty()) {
        err() << "vardo-report: не указан ни один файл расчета\n\n" << usage() << Qt::flush;
        return 2;
    }
    // Settings that cannot be read (a FIFO, a folder, a huge file) are not waited on: the run
    // goes on without the chosen tables folder, and says so.
    if (const QString problem = vardo::settingsProblem(); !problem.isEmpty())
        err() << "vardo-report: " << problem << Qt::endl;

    if (schedule && output) {
        err() << "vardo-report: --schedule пишет одну ведомость вместо отчетов; -o с ним не "
                 "указывается\n\n"
              << usage() << Qt::flush;
        return 2;
    }
    if (dxf) {
        if (schedule || output || files.size() != 1) {
            err() << "vardo-report: --dxf пишет схему одного файла расчета вместо отчета; -o и "
                     "--schedule с ним не указываются\n\n"
                  << usage() << Qt::flush;
            return 2;
        }
        if (const QString refusal = refusalToWrite(*dxf, files, u"схема"_s, u"схемы"_s);
            !refusal.isEmpty()) {
            err() << "vardo-report: " << refusal << Qt::endl;
            return 1;
        }
        return writeSchemeOf(files.first(), *dxf) ? 0 : 1;
    }
    if (schedule) {
        // Checked, like every report, against every file the run reads before anything is read.
        if (const QString refusal =
                refusalToWrite(*schedule, files, u"ведомость"_s, u"ведомости"_s);
            !refusal.isEmpty()) {
            err() << "vardo-report: " << refusal << Qt::endl;
            return 1;
        }
        return writeScheduleOf(files, *schedule) ? 0 : 1;
    }

    // A path ending in "/" names a folder, whether it exists yet or not.
    const bool toFolder =
        output && (files.size() > 1 || QFileInfo(*output).isDir() || endsWithSeparator(*output));
    if (toFolder && !QDir().mkpath(*output)) {
        err() << "vardo-report: не удалось создать папку «" << *output << "»" << Qt::endl;
        return 1;
    }

    // Every file the run reads is known before the first report is written, and each report is
    // checked against all of them; then it is written and its lines printed, file by file.
    const InputFiles read(filesRead(files));
    ReportNames names;
    bool allDone = true;
    for (const QString& file : files) {
        QString pdf;
        if (toFolder)
            pdf =
                names.take(QDir(*output).filePath(QFileInfo(file).completeBaseName() + u".pdf"_s));
        else
            pdf = output ? *output : names.take(pdfBeside(file));
        QString refusal;
        if (const QString input = read.replacedBy(pdf); !input.isEmpty()) {
            refusal =
                vardo::isSameFile(input, file) || QFileInfo(input) == QFileInfo(file)
                    ? u"отчет «%1» заменил бы сам файл расчета; укажите другое имя отчета"_s.arg(
                          QDir::toNativeSeparators(pdf))
                    : u"отчет «%1» заменил бы файл «%2», который читается в этом же запуске; "
                      u"укажите другое имя отчета"_s.arg(QDir::toNativeSeparators(pdf),
                                                         QDir::toNativeSeparators(input));
        } else if (const QString what = vardo::describeNonRegular(pdf); !what.isEmpty()) {
            refusal = u"отчет не записан в «%1»: %2; записывается только обычный файл"_s.arg(
                QDir::toNativeSeparators(pdf), what);
        }
        if (!refusal.isEmpty()) {
            err() << "vardo-report: «" << QFileInfo(file).fileName() << "»: " << refusal
                  << Qt::endl;
            allDone = false;
            continue;
        }
        allDone = reportOne(file, pdf) && allDone;
    }
    return allDone ? 0 : 1;
}
