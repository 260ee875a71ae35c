// vardo-report: the report of saved calculations without the window. Each calculation file is
// read and checked, its results are worked out again from its inputs with the window's own
// procedures (the saved results are not trusted, only named where they differ), the crossbeam
// grades of its series are checked against the allowable-moment workbook found by its bare name,
// and a PDF is written; the verdict is printed per file.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <QTextStream>
#include <cstdio>

#include "core/datafile.h"
#include "document/calculation.h"
#include "document/recompute.h"
#include "document/report.h"
#include "tables/workbook.h"

using namespace Qt::Literals::StringLiterals;
namespace doc = vardo::document;

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}
QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

QString usage() {
    return u"Использование: vardo-report ФАЙЛ.vardo... [-o ПУТЬ]\n"
           u"\n"
           u"Пересчитывает каждый файл расчета Vardo теми же процедурами, что и окно программы\n"
           u"(сохраненные в файле результаты не используются, а только упоминаются в отчете,\n"
           u"если расходятся с пересчетом), проверяет марки поперечин серии расчета по таблице\n"
           u"допускаемых моментов и записывает отчет PDF. Для каждого файла печатает расчетные\n"
           u"моменты и вывод проверки.\n"
           u"\n"
           u"  -o, --output ПУТЬ  один файл расчета: путь отчета PDF;\n"
           u"                     несколько файлов (или ПУТЬ — существующая папка): папка для\n"
           u"                     отчетов, она создается; отчет называется как файл расчета,\n"
           u"                     с расширением .pdf (a.vardo -> ПУТЬ/a.pdf); у файлов с\n"
           u"                     одинаковым именем к имени отчета добавляется -2, -3, ...\n"
           u"                     Без -o отчет пишется рядом с файлом расчета (a.vardo -> a.pdf).\n"
           u"  -h, --help         эта справка\n"
           u"\n"
           u"Таблицы допускаемых моментов (т36.1.xls для серии П, т36.2.xls для ОП) ищутся по\n"
           u"имени в рабочей папке, затем рядом с программой; так же таблицы т37Gp.xls,\n"
           u"Т37Gрг.xls и т37gama.xls, по которым каждая марка проверяется со своими gр, gрг и\n"
           u"Pp, и таблица Мфс т38.1.xls.\n"
           u"\n"
           u"Код возврата: 0 — все отчеты записаны с проверкой марок; 1 — хотя бы один файл\n"
           u"расчета не прочитан, его отчет не записан или таблица допускаемых моментов либо\n"
           u"таблицы марок не прочитаны (отчет тогда пишется без проверки марок); 2 — неверные\n"
           u"аргументы.\n"_s;
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
        if (!it->error.isEmpty())
            err() << "vardo-report: таблица «" << bareName << "» не прочитана: " << it->error
                  << Qt::endl;
    }
    return *it;
}

const vardo::tables::Table& workbookTable(const char16_t* bareName) {
    return workbook(QString::fromUtf16(bareName)).table;
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
    in.crossbeamTables = {workbookTable(doc::kWeightWorkbook), workbookTable(doc::kIceWorkbook),
                          workbookTable(doc::kWindWorkbook)};
    in.mfsTable = workbookTable(doc::kMfsWorkbook);

    const doc::Report report(std::move(in));
    const QString section =
        calculation->options.value(u"Frame15"_s) == u"Option10"_s ? u"1/4"_s : u"1/3"_s;
    const doc::Results& r = report.input().results;
    out() << QDir::toNativeSeparators(path) << " -> " << QDir::toNativeSeparators(pdfPath) << '\n';
    out() << "  моменты, тс·м: середина " << momentText(r, u"Label22"_s) << "; "
          << momentText(r, u"Label23"_s) << "; " << momentText(r, u"Label24"_s) << " | " << section
          << ' ' << momentText(r, u"Label30"_s) << "; " << momentText(r, u"Label31"_s) << "; "
          << momentText(r, u"Label32"_s) << '\n';
    out() << "  вывод: " << report.verdict() << Qt::endl;
    if (!report.writePdf(pdfPath, &error)) {
        err() << "vardo-report: " << error << Qt::endl;
        return false;
    }
    // Without the crossbeam tables no grade is checked: as incomplete as without the allowable
    // moments.
    bool tablesRead = allowable.error.isEmpty();
    for (const char16_t* name : {doc::kWeightWorkbook, doc::kIceWorkbook, doc::kWindWorkbook})
        tablesRead = tablesRead && workbook(QString::fromUtf16(name)).error.isEmpty();
    return tablesRead;
}

QString pdfBeside(const QString& path) {
    const QFileInfo info(path);
    return info.path() + u'/' + info.completeBaseName() + u".pdf"_s;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Fonts and PDF pages need a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(u"vardo-report"_s);

    QStringList files;
    QString output;
    const QStringList args = QGuiApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"-h"_s || a == u"--help"_s) {
            out() << usage() << Qt::flush;
            return 0;
        }
        if (a == u"-o"_s || a == u"--output"_s) {
            if (i + 1 >= args.size() || !output.isEmpty()) {
                err() << "vardo-report: после -o нужен один путь\n\n" << usage() << Qt::flush;
                return 2;
            }
            output = args[++i];
        } else if (a.startsWith(u'-') && a.size() > 1) {
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

    const bool toFolder = !output.isEmpty() && (files.size() > 1 || QFileInfo(output).isDir());
    if (toFolder && !QDir().mkpath(output)) {
        err() << "vardo-report: не удалось создать папку «" << output << "»" << Qt::endl;
        return 1;
    }
    bool allDone = true;
    QSet<QString> used;
    for (const QString& file : files) {
        QString pdf;
        if (toFolder) {
            const QString base = QFileInfo(file).completeBaseName();
            QString name = base + u".pdf"_s;
            for (int n = 2; used.contains(name); ++n) name = u"%1-%2.pdf"_s.arg(base).arg(n);
            used.insert(name);
            pdf = QDir(output).filePath(name);
        } else {
            pdf = output.isEmpty() ? pdfBeside(file) : output;
        }
        if (QFileInfo(pdf).absoluteFilePath() == QFileInfo(file).absoluteFilePath()) {
            err() << "vardo-report: отчет не может заменить файл расчета «" << file << "»"
                  << Qt::endl;
            allDone = false;
            continue;
        }
        allDone = reportOne(file, pdf) && allDone;
    }
    return allDone ? 0 : 1;
}
