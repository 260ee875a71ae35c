#include "document/calculation.h"
#include "core/catalogue.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "core/safefile.h"
#include "core/sheet.h"
#include "core/version.h"
#include "document/calculationport.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

// Sections of the file.
const QString kInputs = u"inputs"_s;
const QString kOptions = u"options"_s;
const QString kMfs = u"mfs"_s;
const QString kSources = u"sources"_s;
const QString kResults = u"results"_s;
const QString kTableFields = u"tableFields"_s;
const QString kView = u"view"_s;
const QString kObject = u"object"_s;

// A row index beyond any table a workbook reader accepts.
constexpr qint64 kMaxRow = tables::kMaxTableCells;

class Failure {
  public:
    explicit Failure(QString why) : why_(std::move(why)) {}
    const QString& why() const { return why_; }

  private:
    QString why_;
};

QJsonObject section(const QJsonObject& root, const QString& name) {
    const QJsonValue value = root.value(name);
    if (!value.isObject()) throw Failure(u"нет раздела «%1»"_s.arg(name));
    return value.toObject();
}

// Every field named, nothing else: a file of this version always writes all of them.
void requireExactly(const QJsonObject& object, const QString& sectionName,
                    const QStringList& fields) {
    for (const QString& field : fields)
        if (!object.contains(field))
            throw Failure(u"в разделе «%1» нет поля «%2»"_s.arg(sectionName, field));
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!fields.contains(it.key()))
            throw Failure(u"в разделе «%1» неизвестное поле «%2»"_s.arg(sectionName, it.key()));
}

QString textField(const QJsonObject& object, const QString& sectionName, const QString& field) {
    const QJsonValue value = object.value(field);
    if (!value.isString())
        throw Failure(u"поле «%1» раздела «%2» должно быть текстом"_s.arg(field, sectionName));
    QString text = value.toString();
    if (text.size() > kMaxTextLength)
        throw Failure(u"поле «%1» раздела «%2» длиннее %3 знаков"_s.arg(field, sectionName)
                          .arg(kMaxTextLength));
    return text;
}

QMap<QString, QString> texts(const QJsonObject& root, const QString& sectionName,
                             const QStringList& fields) {
    const QJsonObject object = section(root, sectionName);
    requireExactly(object, sectionName, fields);
    QMap<QString, QString> out;
    for (const QString& field : fields) out.insert(field, textField(object, sectionName, field));
    return out;
}

// An integer held exactly by a JSON number.
std::optional<qint64> integer(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    const double d = value.toDouble();
    if (!(d >= -9.0e15 && d <= 9.0e15) || d != static_cast<double>(static_cast<qint64>(d)))
        return std::nullopt;
    return static_cast<qint64>(d);
}

Calculation parseRoot(const QJsonObject& root) {
    // The format name first: anything else is somebody else's JSON, whatever else it holds.
    if (root.value(u"format"_s).toString() != formatName())
        throw Failure(u"это не файл расчета Vardo"_s);
    const std::optional<qint64> version = integer(root.value(u"version"_s));
    if (!version || *version < 1) throw Failure(u"неверный номер версии формата"_s);
    if (*version > kFormatVersion)
        throw Failure(
            u"файл записан более новой версией программы (версия формата %1), "
            u"а эта версия читает файлы версии %2; обновите программу"_s.arg(*version)
                .arg(kFormatVersion));
    QStringList known = {u"format"_s, u"version"_s, u"program"_s, u"saved"_s, kInputs, kOptions,
                         kMfs,        kSources,     kTableFields, kResults,   kView};
    // A file of version 1 has no object data: the section is then as unknown as any other.
    if (*version >= kObjectDataVersion) known << kObject;
    for (auto it = root.begin(); it != root.end(); ++it)
        if (!known.contains(it.key())) throw Failure(u"неизвестный раздел «%1»"_s.arg(it.key()));

    Calculation c;
    c.inputs = texts(root, kInputs, inputFields());
    c.mfs = texts(root, kMfs, mfsFields());
    c.results = texts(root, kResults, resultFields());
    c.tableFields = texts(root, kTableFields, tableFields());

    const QJsonObject options = section(root, kOptions);
    QStringList groupKeys;
    for (const OptionGroupRow& g : optionGroups()) groupKeys << g.key;
    requireExactly(options, kOptions, groupKeys);
    for (const OptionGroupRow& g : optionGroups()) {
        const QString chosen = textField(options, kOptions, g.key);
        if (!chosen.isEmpty() && !g.options.contains(chosen))
            throw Failure(u"в группе «%1» нет переключателя «%2»"_s.arg(g.key, chosen));
        c.options.insert(g.key, chosen);
    }

    const QJsonObject sources = section(root, kSources);
    requireExactly(sources, kSources, dataSources());
    for (const QString& name : dataSources()) {
        const QJsonValue value = sources.value(name);
        if (!value.isObject()) throw Failure(u"строка таблицы «%1» записана неверно"_s.arg(name));
        const QJsonObject o = value.toObject();
        const QString where = kSources + u'.' + name;
        requireExactly(o, where, {u"row"_s, u"caption"_s, u"workbook"_s});
        const std::optional<qint64> row = integer(o.value(u"row"_s));
        if (!row || *row < -1 || *row >= kMaxRow)
            throw Failure(
                u"номер строки таблицы «%1» должен быть целым числом от -1 до %2"_s.arg(name).arg(
                    kMaxRow - 1));
        c.sources.insert(name, {static_cast<int>(*row), textField(o, where, u"caption"_s),
                                textField(o, where, u"workbook"_s)});
    }

    const QJsonObject view = section(root, kView);
    requireExactly(view, kView, viewFields());
    for (const QString& name : viewFields()) {
        const QJsonValue value = view.value(name);
        if (!value.isBool())
            throw Failure(u"поле «%1» раздела «%2» должно быть true или false"_s.arg(name, kView));
        c.view.insert(name, value.toBool());
    }

    if (*version >= kObjectDataVersion) {
        QStringList keys;
        for (const ObjectField& f : objectFields()) keys << QString::fromUtf16(f.key);
        const QMap<QString, QString> object = texts(root, kObject, keys);
        for (const ObjectField& f : objectFields())
            c.object.*f.member = object.value(QString::fromUtf16(f.key));
    }
    return c;
}

// Where a saved row is now: its index while the caption there is the same, else the first row
// with its caption. An empty caption is matched by the index alone.
std::optional<int> resolveRow(const tables::Table& table, const QString& dataSource,
                              const SourceRow& saved, QString* warning) {
    if (saved.row < 0) return std::nullopt;
    const QString name = saved.workbook.isEmpty() ? dataSource : saved.workbook;
    const QString shown = saved.caption.isEmpty() ? QString::number(saved.row + 1) : saved.caption;
    if (table.rowCount() == 0) {
        *warning = u"таблица «%1» не прочитана: строка «%2» не восстановлена"_s.arg(name, shown);
        return std::nullopt;
    }
    if (saved.row < table.rowCount() &&
        (saved.caption.isEmpty() || rowCaption(table, dataSource, saved.row) == saved.caption))
        return saved.row;
    if (!saved.caption.isEmpty()) {
        for (int r = 0; r < table.rowCount(); ++r)
            if (rowCaption(table, dataSource, r) == saved.caption) return r;
    }
    *warning = u"в таблице «%1» больше нет строки «%2»"_s.arg(name, shown);
    return std::nullopt;
}

QString tooLargeText() {
    return u"файл слишком велик для файла расчета (больше %1 МБ)"_s.arg(kMaxFileBytes >> 20);
}

}  // namespace

const QStringList& inputFields() {
    static const QStringList fields = catalogue::inputFields();
    return fields;
}

const QStringList& mfsFields() {
    static const QStringList fields = catalogue::mfsFields();
    return fields;
}

const QStringList& resultFields() {
    static const QStringList fields = catalogue::resultFields();
    return fields;
}

const QStringList& viewFields() {
    static const QStringList fields = catalogue::viewFields();
    return fields;
}

const QStringList& tableFields() {
    static const QStringList fields = catalogue::tableFields();
    return fields;
}

const QStringList& dataSources() {
    static const QStringList names = catalogue::dataSourceNames();
    return names;
}

const QList<OptionGroupRow>& optionGroups() {
    static const QList<OptionGroupRow> groups = [] {
        QList<OptionGroupRow> out;
        for (const catalogue::OptionGroup& g : catalogue::optionGroups()) {
            QStringList options;
            for (const Name& o : g.options) options << o;
            out.append({g.key.toString(), options});
        }
        return out;
    }();
    return groups;
}

int captionColumn(const tables::Table& table, const QString& dataSource) {
    for (const catalogue::DataSourceInfo& d : catalogue::dataSources())
        if (d.name.view() == dataSource)
            return d.captionHeader
                       ? static_cast<int>(table.header.indexOf(QString::fromUtf16(d.captionHeader)))
                       : d.captionColumn - 1;
    return 0;
}

QString rowCaption(const tables::Table& table, const QString& dataSource, int row) {
    const int column = captionColumn(table, dataSource);
    if (row < 0 || row >= table.rowCount() || column < 0) return {};
    return table.rows[row].value(column);
}

Calculation capture(const CalculationPort& port) {
    Calculation c;
    for (const QString& name : inputFields()) c.inputs.insert(name, port.text(name));
    for (const OptionGroupRow& g : optionGroups()) {
        QString chosen;
        for (const QString& option : g.options)
            if (port.isChecked(option)) {
                chosen = option;
                break;
            }
        c.options.insert(g.key, chosen);
    }
    for (const QString& name : mfsFields()) c.mfs.insert(name, port.text(name));
    for (const QString& name : dataSources()) {
        const int row = port.currentRow(name);
        c.sources.insert(name,
                         {row, rowCaption(port.table(name), name, row), port.workbookName(name)});
    }
    for (const QString& name : tableFields()) c.tableFields.insert(name, port.text(name));
    for (const QString& name : resultFields()) c.results.insert(name, port.text(name));
    for (const QString& name : viewFields()) c.view.insert(name, port.isVisible(name));
    return c;
}

QStringList apply(CalculationPort& port, const Calculation& c) {
    // Where each table goes is settled before the first change.
    QStringList warnings;
    QMap<QString, int> rows;
    for (const QString& name : dataSources()) {
        QString warning;
        if (const std::optional<int> row =
                resolveRow(port.table(name), name, c.sources.value(name), &warning))
            rows.insert(name, *row);
        if (!warning.isEmpty()) warnings << warning;
    }

    // The load row (G or Gг) is the one the last of "1 " and "2" selected: that one first.
    port.setChecked(c.view.value(names::Label13) ? names::Option12 : names::Option11);
    for (const OptionGroupRow& g : optionGroups()) {
        const QString chosen = c.options.value(g.key);
        if (!chosen.isEmpty()) port.setChecked(chosen);
    }
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) port.moveTo(it.key(), it.value());
    // A table field the user typed over shows what was typed; the Мфс values below then replace
    // whatever a field's change copied into them.
    for (const QString& name : tableFields()) port.setText(name, c.tableFields.value(name));
    for (const QString& name : inputFields()) port.setText(name, c.inputs.value(name));
    for (const QString& name : mfsFields()) port.setText(name, c.mfs.value(name));
    for (const QString& name : resultFields()) port.setText(name, c.results.value(name));
    for (const QString& name : viewFields()) port.setVisible(name, c.view.value(name));
    return warnings;
}

QByteArray toJson(const Calculation& c) {
    const auto object = [](const QMap<QString, QString>& map) {
        QJsonObject o;
        for (auto it = map.cbegin(); it != map.cend(); ++it) o.insert(it.key(), it.value());
        return o;
    };
    QJsonObject root;
    root.insert(u"format"_s, formatName());
    root.insert(u"version"_s, kFormatVersion);
    root.insert(u"program"_s, version::programTitle());
    root.insert(u"saved"_s, QDateTime::currentDateTime().toString(Qt::ISODate));
    root.insert(kInputs, object(c.inputs));
    root.insert(kOptions, object(c.options));
    root.insert(kMfs, object(c.mfs));
    QJsonObject sources;
    for (auto it = c.sources.cbegin(); it != c.sources.cend(); ++it)
        sources.insert(it.key(), QJsonObject{{u"row"_s, it->row},
                                             {u"caption"_s, it->caption},
                                             {u"workbook"_s, it->workbook}});
    root.insert(kSources, sources);
    root.insert(kTableFields, object(c.tableFields));
    root.insert(kResults, object(c.results));
    QJsonObject view;
    for (auto it = c.view.cbegin(); it != c.view.cend(); ++it) view.insert(it.key(), it.value());
    root.insert(kView, view);
    QJsonObject objectData;
    for (const ObjectField& f : objectFields())
        objectData.insert(QString::fromUtf16(f.key), c.object.*f.member);
    root.insert(kObject, objectData);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Calculation> fromJson(QByteArrayView bytes, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    if (bytes.trimmed().isEmpty()) return fail(u"файл пуст"_s);
    if (bytes.size() > kMaxFileBytes) return fail(tooLargeText());
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(bytes.toByteArray(), &parseError);
    if (parseError.error == QJsonParseError::GarbageAtEnd)
        return fail(u"файл поврежден: после конца данных расчета лишние байты (позиция %1)"_s.arg(
            parseError.offset));
    if (parseError.error != QJsonParseError::NoError) {
        // An object begun and then broken off at its end (the parser ran out of text, or failed
        // on the last line of a text that does not end as JSON does) is a write cut short;
        // anything else is damage.
        const QByteArrayView text = bytes.trimmed();
        const qsizetype at = std::min<qsizetype>(parseError.offset, text.size());
        const bool atEnd = at >= text.size() || (!text.sliced(at).contains('\n') &&
                                                 !text.endsWith('}') && !text.endsWith(']'));
        if (text.startsWith('{') && atEnd) return fail(u"файл обрезан: его окончание потеряно"_s);
        return fail(u"файл поврежден: ошибка в позиции %1"_s.arg(parseError.offset));
    }
    if (!json.isObject()) return fail(u"это не файл расчета Vardo"_s);
    try {
        return parseRoot(json.object());
    } catch (const Failure& f) {
        return fail(f.why());
    }
}

std::optional<Calculation> readFile(const QString& path, QString* error) {
    const auto fail = [&](const QString& why) {
        if (error)
            *error =
                u"Не удалось открыть файл расчета «%1»: %2."_s.arg(QFileInfo(path).fileName(), why);
        return std::nullopt;
    };
    // Only a regular file is read (a FIFO or a device under this name never makes the program
    // wait), and never more than a calculation file can hold.
    const FileRead read = readRegularFile(path, kMaxFileBytes);
    if (read.problem == FileProblem::TooLarge) return fail(tooLargeText());
    if (!read.ok()) return fail(read.reason);
    QString why;
    std::optional<Calculation> c = fromJson(read.bytes, &why);
    if (!c) return fail(why);
    return c;
}

bool writeFile(const QString& path, const Calculation& calculation, QString* error) {
    const QFileInfo info(path);
    const bool existed = info.exists();
    const auto fail = [&](const QString& why) {
        if (error)
            *error = u"Не удалось сохранить файл расчета «%1»: %2.%3"_s.arg(
                info.fileName(), why,
                existed ? u" Прежний файл не изменен."_s : u" Файл не записан."_s);
        return false;
    };
    // What is written must open again: the same checks as reading, before the first byte.
    const QByteArray bytes = toJson(calculation);
    if (bytes.size() > kMaxFileBytes)
        return fail(
            u"расчет занял бы %1 МБ, а файл расчета может быть не больше %2 МБ; "
            u"сократите длинные тексты полей"_s.arg((bytes.size() + (1 << 20) - 1) >> 20)
                .arg(kMaxFileBytes >> 20));
    QString why;
    if (!fromJson(bytes, &why)) return fail(u"такой файл нельзя было бы открыть: "_s + why);
    if (!writeFileAtomically(path, bytes, &why)) return fail(why);
    return true;
}

}  // namespace vardo::document
