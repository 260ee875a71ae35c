#include "document/calculation.h"
#include "core/catalogue.h"
#include "core/messages.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <functional>
#include <map>

#include "core/safefile.h"
#include "core/sheet.h"
#include "core/version.h"
#include "document/calculationport.h"
#include "document/jsontext.h"

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
const QString kPicks = u"picks"_s;

// A row index beyond any table a workbook reader accepts.
constexpr qint64 kMaxRow = tables::kMaxTableCells;

// A map filled in the order of its keys: each entry goes in at the end, without a search, and its
// value is moved in, not copied.
template <class T>
class InOrder {
  public:
    void append(const QString& key, T value) {
        entries_.emplace_hint(entries_.end(), key, std::move(value));
    }
    qsizetype size() const { return static_cast<qsizetype>(entries_.size()); }
    QMap<QString, T> take() { return QMap<QString, T>(std::move(entries_)); }

  private:
    std::map<QString, T> entries_;
};

class Failure {
  public:
    explicit Failure(QString why) : why_(std::move(why)) {}
    const QString& why() const { return why_; }

  private:
    QString why_;
};

// What reading refuses, in its words; the same words when saving refuses to write such a file.
Failure missingField(const QString& sectionName, const QString& field) {
    return Failure(u"в разделе «%1» нет поля «%2»"_s.arg(sectionName, field));
}
Failure unknownField(const QString& sectionName, const QString& field) {
    return Failure(u"в разделе «%1» неизвестное поле «%2»"_s.arg(sectionName, field));
}
Failure tooLong(const QString& sectionName, const QString& field) {
    return Failure(
        u"поле «%1» раздела «%2» длиннее %3 знаков"_s.arg(field, sectionName).arg(kMaxTextLength));
}
Failure rowOutOfRange(const QString& dataSource) {
    return Failure(
        u"номер строки таблицы «%1» должен быть целым числом от -1 до %2"_s.arg(dataSource)
            .arg(kMaxRow - 1));
}
Failure unknownOption(const QString& group, const QString& chosen) {
    return Failure(u"в группе «%1» нет переключателя «%2»"_s.arg(group, chosen));
}

QJsonObject section(const QJsonObject& root, const QString& name) {
    const QJsonValue value = root.value(name);
    if (!value.isObject()) throw Failure(u"нет раздела «%1»"_s.arg(name));
    return value.toObject();
}

// What one version of the format holds: the fields of each section as that version wrote them.
// These lists belong to the reader and never follow the catalogue (the names of the controls
// today), so a control the program gains later cannot make an older file unreadable.
struct Layout {
    QStringList inputs;
    QList<OptionGroupRow> options;
    QStringList mfs;
    QStringList dataSources;
    QStringList tableFields;
    QStringList results;
    QStringList view;
    QStringList object;  // empty: the version has no section "object"
    QStringList picks;   // empty: the version has no section "picks"
    // The fields of each section of texts in the order of their names, which is the order of the
    // keys of a JSON object and of a QMap.
    QHash<QString, QStringList> byName;
};

// Index 0 is version 1. A new field gets a new version: its layout is the last one with the
// field, and a file of an older version opens with the field empty (an option group with no
// choice, a table on no row, a panel hidden).
const std::array<Layout, kFormatVersion>& layouts() {
    static const std::array<Layout, kFormatVersion> all = [] {
        Layout first;
        first.inputs = {u"txtProlet"_s, u"txtLp"_s,  u"txtVm"_s,  u"Combo1"_s, u"Combo2"_s,
                        u"txtGp"_s,     u"txtGpg"_s, u"txtPp"_s,  u"txtL1"_s,  u"txtL2"_s,
                        u"txtL3"_s,     u"txtL4"_s,  u"txtL5"_s,  u"txtL6"_s,  u"txtL7"_s,
                        u"txtL8"_s,     u"txtP1"_s,  u"txtP2"_s,  u"txtP3"_s,  u"txtP4"_s,
                        u"txtP5"_s,     u"txtP6"_s,  u"txtP7"_s,  u"txtP8"_s,  u"txtG1"_s,
                        u"txtG2"_s,     u"txtG3"_s,  u"txtG4"_s,  u"txtG5"_s,  u"txtG6"_s,
                        u"txtG7"_s,     u"txtG8"_s,  u"txtGg1"_s, u"txtGg2"_s, u"txtGg3"_s,
                        u"txtGg4"_s,    u"txtGg5"_s, u"txtGg6"_s, u"txtGg7"_s, u"txtGg8"_s};
        first.options = {
            {u"Frame5"_s,
             {u"Option11"_s, u"Option12"_s, u"Option13"_s, u"Option14"_s, u"Option15"_s}},
            {u"Frame7"_s, {u"Option3"_s, u"Option4"_s, u"Option5"_s, u"Option6"_s}},
            {u"Frame3"_s, {u"Option1"_s, u"Option2"_s}},
            {u"Frame15"_s, {u"Option9"_s, u"Option10"_s}},
            {u"Frame11"_s, {u"Option7"_s, u"Option8"_s}},
            {u"Form1"_s, {u"Option16"_s, u"Option17"_s}}};
        first.mfs = {u"Text18"_s, u"Text19"_s, u"Text20"_s};
        first.dataSources = {u"Data1"_s, u"Data2"_s, u"Data3"_s, u"Data4"_s,
                             u"Data5"_s, u"Data6"_s, u"Data7"_s, u"Data8"_s};
        first.tableFields = {u"Text1"_s,  u"Text2"_s,  u"Text3"_s,  u"Text4"_s,  u"Text5"_s,
                             u"Text6"_s,  u"Text7"_s,  u"Text8"_s,  u"Text9"_s,  u"Text10"_s,
                             u"Text11"_s, u"Text12"_s, u"Text13"_s, u"Text14"_s, u"Text15"_s,
                             u"Text16"_s, u"Text17"_s, u"txtMa1"_s, u"txtMn1"_s, u"txtMnv1"_s,
                             u"txtMa2"_s, u"txtMn2"_s, u"txtMnv2"_s};
        first.results = {u"Label10"_s, u"Label11"_s, u"Label14"_s, u"Label15"_s, u"Label20"_s,
                         u"Label21"_s, u"Text21"_s,  u"Text22"_s,  u"Label22"_s, u"Label23"_s,
                         u"Label24"_s, u"Label30"_s, u"Label31"_s, u"Label32"_s, u"Label49"_s};
        first.view = {u"Frame2"_s,   u"Frame11"_s,   u"Frame29"_s,  u"Frame20"_s,  u"Label13"_s,
                      u"Command3"_s, u"Command4"_s,  u"Command5"_s, u"Command6"_s, u"Text21"_s,
                      u"Text22"_s,   u"Command24"_s, u"Command25"_s};
        Layout second = first;  // and the object data
        second.object = {u"object"_s,    u"crossbeam"_s, u"designedBy"_s,
                         u"checkedBy"_s, u"date"_s,      u"note"_s};
        Layout third = second;  // and the rows the suspension loads were picked from
        third.picks = {u"txtG1"_s,  u"txtG2"_s,  u"txtG3"_s,  u"txtG4"_s,  u"txtG5"_s,  u"txtG6"_s,
                       u"txtG7"_s,  u"txtG8"_s,  u"txtGg1"_s, u"txtGg2"_s, u"txtGg3"_s, u"txtGg4"_s,
                       u"txtGg5"_s, u"txtGg6"_s, u"txtGg7"_s, u"txtGg8"_s};
        std::array<Layout, kFormatVersion> versions{first, second, third};
        for (Layout& l : versions) {
            const std::pair<const QString&, QStringList&> sections[] = {
                {kInputs, l.inputs},   {kMfs, l.mfs},
                {kResults, l.results}, {kTableFields, l.tableFields},
                {kObject, l.object},   {kSources, l.dataSources},
                {kView, l.view},       {kPicks, l.picks}};
            for (const auto& [name, fields] : sections) {
                QStringList sorted = fields;
                sorted.sort();
                l.byName.insert(name, sorted);
            }
        }
        return versions;
    }();
    return all;
}

// After every one of the fields was found there: no other field, but in "view".
void requireNoOthers(const QJsonObject& object, const QString& sectionName,
                     const QStringList& fields) {
    // Every one of the fields is there: with as many keys, there is no other.
    if (sectionName == kView || object.size() == fields.size()) return;
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!fields.contains(it.key())) throw unknownField(sectionName, it.key());
}

// Every field of the version there. Nothing else either, but in "view": a panel flag this
// program does not know is passed over, since it says only what was on the screen and the file
// saved again without it keeps every number and text. An unknown input, option, table row,
// result or object text is refused: this program could neither keep it nor compute with it.
void requireExactly(const QJsonObject& object, const QString& sectionName,
                    const QStringList& fields) {
    for (const QString& field : fields)
        if (!object.contains(field)) throw missingField(sectionName, field);
    requireNoOthers(object, sectionName, fields);
}

QString textField(const QJsonValue& value, const QString& sectionName, const QString& field) {
    if (!value.isString())
        throw Failure(u"поле «%1» раздела «%2» должно быть текстом"_s.arg(field, sectionName));
    QString text = value.toString();
    if (text.size() > kMaxTextLength) throw tooLong(sectionName, field);
    return text;
}

QString textField(const QJsonObject& object, const QString& sectionName, const QString& field) {
    return textField(object.value(field), sectionName, field);
}

// A section as this program writes it: its keys, in their order, are `byName` (the fields in the
// order of their names), and take(field, value) accepts each value. Every field is then looked at
// once, in one pass; false when the section is anything else (or take refused a value), and the
// caller then checks it field by field, which says what is wrong.
template <class Take>
bool walkInOrder(const QJsonObject& object, const QStringList& byName, Take&& take) {
    if (object.size() != byName.size()) return false;
    auto field = byName.cbegin();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it, ++field)
        if (it.key() != *field || !take(*field, it.value())) return false;
    return true;
}

// A text this program keeps as it is written: a JSON string no longer than a field may be.
std::optional<QString> keptText(const QJsonValue& value) {
    if (!value.isString()) return std::nullopt;
    QString text = value.toString();
    if (text.size() > kMaxTextLength) return std::nullopt;
    return text;
}

// The texts of a section as the file's version wrote them, and empty those fields of the newest
// version that the file's version did not have. Checked as requireExactly and textField do, in
// their order, each field looked up once.
QMap<QString, QString> texts(const QJsonObject& root, const QString& sectionName,
                             const QStringList& fields, const QStringList& newest,
                             const QStringList& fieldsByName) {
    const QJsonObject object = section(root, sectionName);
    // (The lists of two versions are one shared list when the section did not change.)
    if (fields == newest) {
        InOrder<QString> out;
        if (walkInOrder(object, fieldsByName, [&out](const QString& field, const QJsonValue& v) {
                std::optional<QString> text = keptText(v);
                if (text) out.append(field, std::move(*text));
                return text.has_value();
            }))
            return out.take();
    }
    QList<QJsonValue> values;
    values.reserve(fields.size());
    for (const QString& field : fields) {
        values << object.value(field);
        if (values.constLast().isUndefined()) throw missingField(sectionName, field);
    }
    requireNoOthers(object, sectionName, fields);
    QMap<QString, QString> out;
    if (&newest != &fields)
        for (const QString& field : newest) out.insert(field, QString());
    for (qsizetype i = 0; i < fields.size(); ++i)
        out.insert(fields[i], textField(values[i], sectionName, fields[i]));
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

// A table row as this program writes it: "caption", "row" and "workbook", nothing else, each as
// the field-by-field checks of sourceRows() accept it; nothing otherwise.
std::optional<SourceRow> keptSourceRow(const QJsonValue& value) {
    static const QStringList keys = {u"caption"_s, u"row"_s, u"workbook"_s};
    if (!value.isObject()) return std::nullopt;
    SourceRow source;
    const bool kept =
        walkInOrder(value.toObject(), keys, [&source](const QString& key, const QJsonValue& v) {
            if (key == keys[1]) {
                const std::optional<qint64> row = integer(v);
                if (!row || *row < -1 || *row >= kMaxRow) return false;
                source.row = static_cast<int>(*row);
                return true;
            }
            std::optional<QString> text = keptText(v);
            if (text) (key == keys[0] ? source.caption : source.workbook) = std::move(*text);
            return text.has_value();
        });
    return kept ? std::optional(std::move(source)) : std::nullopt;
}

QMap<QString, SourceRow> sourceRows(const QJsonObject& sources, const Layout& file,
                                    const Layout& newest) {
    if (file.dataSources == newest.dataSources) {
        InOrder<SourceRow> out;
        if (walkInOrder(sources, file.byName[kSources],
                        [&out](const QString& name, const QJsonValue& v) {
                            std::optional<SourceRow> row = keptSourceRow(v);
                            if (row) out.append(name, std::move(*row));
                            return row.has_value();
                        }))
            return out.take();
    }
    requireExactly(sources, kSources, file.dataSources);
    QMap<QString, SourceRow> out;
    for (const QString& name : newest.dataSources) out.insert(name, {});
    for (const QString& name : file.dataSources) {
        const QJsonValue value = sources.value(name);
        if (!value.isObject()) throw Failure(u"строка таблицы «%1» записана неверно"_s.arg(name));
        const QJsonObject o = value.toObject();
        const QString where = kSources + u'.' + name;
        requireExactly(o, where, {u"row"_s, u"caption"_s, u"workbook"_s});
        const std::optional<qint64> row = integer(o.value(u"row"_s));
        if (!row || *row < -1 || *row >= kMaxRow) throw rowOutOfRange(name);
        out.insert(name, {static_cast<int>(*row), textField(o, where, u"caption"_s),
                          textField(o, where, u"workbook"_s)});
    }
    return out;
}

QMap<QString, bool> viewFlags(const QJsonObject& view, const Layout& file, const Layout& newest) {
    if (file.view == newest.view) {
        InOrder<bool> out;
        if (walkInOrder(view, file.byName[kView], [&out](const QString& name, const QJsonValue& v) {
                if (v.isBool()) out.append(name, v.toBool());
                return v.isBool();
            }))
            return out.take();
    }
    requireExactly(view, kView, file.view);
    QMap<QString, bool> out;
    for (const QString& name : newest.view) out.insert(name, false);
    for (const QString& name : file.view) {
        const QJsonValue value = view.value(name);
        if (!value.isBool())
            throw Failure(u"поле «%1» раздела «%2» должно быть true или false"_s.arg(name, kView));
        out.insert(name, value.toBool());
    }
    return out;
}

// A recorded pick as this program writes it: "caption" and "value", texts, nothing else.
std::optional<PickedRow> keptPick(const QJsonValue& value) {
    static const QStringList keys = {u"caption"_s, u"value"_s};
    if (!value.isObject()) return std::nullopt;
    PickedRow pick;
    const bool kept =
        walkInOrder(value.toObject(), keys, [&pick](const QString& key, const QJsonValue& v) {
            std::optional<QString> text = keptText(v);
            if (text) (key == keys[0] ? pick.caption : pick.value) = std::move(*text);
            return text.has_value();
        });
    return kept ? std::optional(std::move(pick)) : std::nullopt;
}

// The picks a file recorded; a field whose pick is null was not recorded and is left out.
QMap<QString, PickedRow> pickedRows(const QJsonObject& picks, const Layout& file) {
    InOrder<PickedRow> inOrder;
    if (walkInOrder(picks, file.byName[kPicks],
                    [&inOrder](const QString& name, const QJsonValue& v) {
                        if (v.isNull()) return true;
                        std::optional<PickedRow> pick = keptPick(v);
                        if (pick) inOrder.append(name, std::move(*pick));
                        return pick.has_value();
                    }))
        return inOrder.take();
    requireExactly(picks, kPicks, file.picks);
    QMap<QString, PickedRow> out;
    for (const QString& name : file.picks) {
        const QJsonValue value = picks.value(name);
        if (value.isNull()) continue;  // not recorded
        if (!value.isObject())
            throw Failure(u"выбор строки для поля «%1» записан неверно"_s.arg(name));
        const QJsonObject o = value.toObject();
        const QString where = kPicks + u'.' + name;
        requireExactly(o, where, {u"caption"_s, u"value"_s});
        out.insert(name, {textField(o, where, u"caption"_s), textField(o, where, u"value"_s)});
    }
    return out;
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
    const Layout& file = layouts()[*version - 1];
    const Layout& newest = layouts().back();
    QStringList known = {u"format"_s, u"version"_s, u"program"_s, u"saved"_s, kInputs, kOptions,
                         kMfs,        kSources,     kTableFields, kResults,   kView};
    // A file of version 1 has no object data: the section is then as unknown as any other.
    if (!file.object.isEmpty()) known << kObject;
    if (!file.picks.isEmpty()) known << kPicks;
    for (auto it = root.begin(); it != root.end(); ++it)
        if (!known.contains(it.key())) throw Failure(u"неизвестный раздел «%1»"_s.arg(it.key()));

    Calculation c;
    c.inputs = texts(root, kInputs, file.inputs, newest.inputs, file.byName[kInputs]);
    c.mfs = texts(root, kMfs, file.mfs, newest.mfs, file.byName[kMfs]);
    c.results = texts(root, kResults, file.results, newest.results, file.byName[kResults]);
    c.tableFields =
        texts(root, kTableFields, file.tableFields, newest.tableFields, file.byName[kTableFields]);

    const QJsonObject options = section(root, kOptions);
    QStringList groupKeys;
    for (const OptionGroupRow& g : file.options) groupKeys << g.key;
    requireExactly(options, kOptions, groupKeys);
    for (const OptionGroupRow& g : newest.options) c.options.insert(g.key, QString());
    for (const OptionGroupRow& g : file.options) {
        const QString chosen = textField(options, kOptions, g.key);
        if (!chosen.isEmpty() && !g.options.contains(chosen)) throw unknownOption(g.key, chosen);
        c.options.insert(g.key, chosen);
    }

    c.sources = sourceRows(section(root, kSources), file, newest);
    c.view = viewFlags(section(root, kView), file, newest);

    if (!file.object.isEmpty()) {
        const QMap<QString, QString> object =
            texts(root, kObject, file.object, newest.object, file.byName[kObject]);
        for (const ObjectField& f : objectFields())
            c.object.*f.member = object.value(QString::fromUtf16(f.key));
    }

    if (!file.picks.isEmpty()) c.picks = pickedRows(section(root, kPicks), file);
    return c;
}

// The fields of a map are exactly those of a section (but for othersAllowed, every one of them),
// or it says which is missing or unknown, as reading does.
template <class Map>
void requireFields(const Map& map, const QString& sectionName, const QStringList& byName,
                   bool othersAllowed = false) {
    if (map.size() == byName.size() && std::equal(map.keyBegin(), map.keyEnd(), byName.cbegin()))
        return;
    for (const QString& field : byName)
        if (!map.contains(field)) throw missingField(sectionName, field);
    if (othersAllowed) return;
    for (auto key = map.keyBegin(); key != map.keyEnd(); ++key)
        if (!byName.contains(*key)) throw unknownField(sectionName, *key);
}

void requireShort(const QString& text, const QString& sectionName, const QString& field) {
    if (text.size() > kMaxTextLength) throw tooLong(sectionName, field);
}

// A list of fields in the order of their names: a map filled in this order grows at its end,
// without a search.
template <const QStringList& (*fields)()>
const QStringList& byName() {
    static const QStringList sorted = [] {
        QStringList out = fields();
        out.sort();
        return out;
    }();
    return sorted;
}

// The object data by the keys of its fields in the file.
QMap<QString, QString> objectTexts(const ObjectData& object) {
    QMap<QString, QString> byKey;
    for (const ObjectField& f : objectFields())
        byKey.insert(QString::fromUtf16(f.key), object.*f.member);
    return byKey;
}

// What reading would refuse in a calculation to be written, said in reading's words: a section
// without the fields of the newest version or with others, a text longer than a field may be, a
// choice its group does not have, a row past any table. The text itself is JsonText's writing,
// which the tests hold byte for byte to Qt's writing of the same object, so checking the
// calculation checks the file: reading the text back would find nothing else, at twice the cost.
void requireReadable(const Calculation& c) {
    const Layout& newest = layouts().back();
    const std::pair<const QString&, const QMap<QString, QString>&> texts[] = {
        {kInputs, c.inputs}, {kMfs, c.mfs}, {kResults, c.results}, {kTableFields, c.tableFields}};
    for (const auto& [name, map] : texts) {
        requireFields(map, name, newest.byName[name]);
        for (auto it = map.cbegin(); it != map.cend(); ++it) requireShort(*it, name, it.key());
    }
    QStringList groups;
    for (const OptionGroupRow& g : newest.options) groups << g.key;
    groups.sort();
    requireFields(c.options, kOptions, groups);
    for (const OptionGroupRow& g : newest.options) {
        const QString& chosen = c.options[g.key];
        requireShort(chosen, kOptions, g.key);
        if (!chosen.isEmpty() && !g.options.contains(chosen)) throw unknownOption(g.key, chosen);
    }
    requireFields(c.sources, kSources, newest.byName[kSources]);
    for (auto it = c.sources.cbegin(); it != c.sources.cend(); ++it) {
        if (it->row < -1 || it->row >= kMaxRow) throw rowOutOfRange(it.key());
        const QString where = kSources + u'.' + it.key();
        requireShort(it->caption, where, u"caption"_s);
        requireShort(it->workbook, where, u"workbook"_s);
    }
    requireFields(c.view, kView, newest.byName[kView], true);
    const QMap<QString, QString> object = objectTexts(c.object);
    requireFields(object, kObject, newest.byName[kObject]);
    for (auto it = object.cbegin(); it != object.cend(); ++it) requireShort(*it, kObject, it.key());
    // Every picked field is written, null when its pick is not recorded.
    if (byName<pickedFields>() != newest.byName[kPicks])
        throw Failure(u"список полей раздела «%1» не тот, что читает программа"_s.arg(kPicks));
    for (const QString& name : byName<pickedFields>()) {
        const auto it = c.picks.constFind(name);
        if (it == c.picks.cend()) continue;
        const QString where = kPicks + u'.' + name;
        requireShort(it->caption, where, u"caption"_s);
        requireShort(it->value, where, u"value"_s);
    }
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

const QStringList& pickedFields() {
    static const QStringList fields = names::txtG.all() + names::txtGg.all();
    return fields;
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

namespace {}  // namespace

Calculation capture(const CalculationPort& port) {
    Calculation c;
    const auto texts = [&port]<const QStringList& (*fields)()>() {
        InOrder<QString> out;
        for (const QString& name : byName<fields>()) out.append(name, port.text(name));
        return out.take();
    };
    c.inputs = texts.operator()<inputFields>();
    for (const OptionGroupRow& g : optionGroups()) {
        QString chosen;
        for (const QString& option : g.options)
            if (port.isChecked(option)) {
                chosen = option;
                break;
            }
        c.options.insert(g.key, chosen);
    }
    c.mfs = texts.operator()<mfsFields>();
    InOrder<SourceRow> sources;
    for (const QString& name : byName<dataSources>()) {
        const int row = port.currentRow(name);
        sources.append(name,
                       {row, rowCaption(port.table(name), name, row), port.workbookName(name)});
    }
    c.sources = sources.take();
    c.tableFields = texts.operator()<tableFields>();
    c.results = texts.operator()<resultFields>();
    InOrder<bool> view;
    for (const QString& name : byName<viewFields>()) view.append(name, port.isVisible(name));
    c.view = view.take();
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
    port.setChecked(c.view.value(names::kIceLoadRowCaption) ? names::Option12 : names::Option11);
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
    JsonText json;
    const auto texts = [&json](const QMap<QString, QString>& map) {
        json.open();
        for (auto it = map.cbegin(); it != map.cend(); ++it) json.member(it.key(), it.value());
        json.close();
    };
    // The members of a table row and of a pick are written in the order of their names.
    const auto sources = [&] {
        json.open();
        for (auto it = c.sources.cbegin(); it != c.sources.cend(); ++it) {
            json.key(it.key());
            json.open();
            json.member(u"caption", it->caption);
            json.key(u"row");
            json.number(it->row);
            json.member(u"workbook", it->workbook);
            json.close();
        }
        json.close();
    };
    const auto view = [&] {
        json.open();
        for (auto it = c.view.cbegin(); it != c.view.cend(); ++it) {
            json.key(it.key());
            json.boolean(it.value());
        }
        json.close();
    };
    const auto picks = [&] {
        json.open();
        for (const QString& name : byName<pickedFields>()) {
            json.key(name);
            const auto it = c.picks.constFind(name);
            if (it == c.picks.cend()) {
                json.null();
                continue;
            }
            json.open();
            json.member(u"caption", it->caption);
            json.member(u"value", it->value);
            json.close();
        }
        json.close();
    };
    const QString saved = QDateTime::currentDateTime().toString(Qt::ISODate);
    struct Section {
        QStringView name;
        std::function<void()> write;
    };
    std::array<Section, 13> sections = {{
        {u"format", [&] { json.string(formatName()); }},
        {u"version", [&] { json.number(kFormatVersion); }},
        {u"program", [&] { json.string(version::programTitle()); }},
        {u"saved", [&] { json.string(saved); }},
        {kInputs, [&] { texts(c.inputs); }},
        {kOptions, [&] { texts(c.options); }},
        {kMfs, [&] { texts(c.mfs); }},
        {kSources, sources},
        {kTableFields, [&] { texts(c.tableFields); }},
        {kResults, [&] { texts(c.results); }},
        {kView, view},
        {kObject, [&] { texts(objectTexts(c.object)); }},
        {kPicks, picks},
    }};
    // The sections in the order of their names, as a JSON object keeps its keys.
    std::sort(sections.begin(), sections.end(),
              [](const Section& a, const Section& b) { return a.name < b.name; });
    json.open();
    for (const Section& s : sections) {
        json.key(s.name);
        s.write();
    }
    json.close();
    return json.take();
}

namespace {

// What a file that is not JSON text looks like, by its first bytes: "документ PDF", ...; empty
// when it is none of the kinds a user is likely to pick by mistake.
QString kindOf(QByteArrayView bytes) {
    static const struct {
        QByteArrayView signature;
        const char16_t* kind;
    } kinds[] = {
        {"%PDF", u"документ PDF"},
        {"\x89PNG", u"изображение PNG"},
        {"\xff\xd8\xff", u"изображение JPEG"},
        {"PK\x03\x04", u"архив ZIP или документ Office (.xlsx, .docx)"},
        {"\xd0\xcf\x11\xe0", u"документ Office 97–2003 (.xls, .doc)"},
    };
    for (const auto& k : kinds)
        if (bytes.startsWith(k.signature)) return QString::fromUtf16(k.kind);
    return {};
}

}  // namespace

std::optional<Calculation> fromJson(QByteArrayView bytes, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    if (bytes.trimmed().isEmpty()) return fail(u"файл пуст"_s);
    if (bytes.size() > kMaxFileBytes) return fail(tooLargeText());
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(bytes.toByteArray(), &parseError);
    // A calculation file is a JSON object: a text that does not even begin as one (a PDF, a
    // picture, random bytes) is another program's file, not a damaged calculation.
    if (parseError.error != QJsonParseError::NoError) {
        QByteArrayView start = bytes.trimmed();
        if (start.startsWith("\xef\xbb\xbf")) start = start.sliced(3).trimmed();
        if (!start.startsWith('{')) {
            const QString kind = kindOf(bytes);
            return fail(kind.isEmpty() ? u"это не файл расчета Vardo"_s
                                       : u"это не файл расчета Vardo, а "_s + kind);
        }
    }
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

std::optional<Calculation> readFile(const QString& path, QString* error, FileStamp* stamp) {
    const auto fail = [&](const QString& why) {
        if (error)
            *error =
                u"Не удалось открыть файл расчета «%1»: %2."_s.arg(QFileInfo(path).fileName(), why);
        return std::nullopt;
    };
    // Only a regular file is read (a FIFO or a device under this name never makes the program
    // wait), and never more than a calculation file can hold.
    const FileRead read = readRegularFile(path, kMaxFileBytes, stamp);
    if (read.problem == FileProblem::TooLarge) return fail(tooLargeText());
    if (!read.ok()) return fail(read.reason);
    QString why;
    std::optional<Calculation> c = fromJson(read.bytes, &why);
    if (!c) {
        if (stamp) *stamp = {};
        return fail(why);
    }
    return c;
}

bool writeFile(const QString& path, const Calculation& calculation, QString* error,
               FileStamp* stamp) {
    const QFileInfo info(path);
    const bool existed = info.exists();
    const auto fail = [&](const QString& why) {
        if (error)
            *error = u"Не удалось сохранить файл расчета «%1»: %2. %3"_s.arg(
                info.fileName(), why, messages::fileKept(existed));
        return false;
    };
    const QByteArray bytes = toJson(calculation);
    if (bytes.size() > kMaxFileBytes)
        return fail(
            u"расчет занял бы %1 МБ, а файл расчета может быть не больше %2 МБ; "
            u"сократите длинные тексты полей"_s.arg((bytes.size() + (1 << 20) - 1) >> 20)
                .arg(kMaxFileBytes >> 20));
    // What is written must open again: checked before the first byte reaches the disk.
    try {
        requireReadable(calculation);
    } catch (const Failure& f) {
        return fail(u"такой файл нельзя было бы открыть: "_s + f.why());
    }
    QString why;
    if (!writeFileAtomically(path, bytes, &why, stamp)) return fail(why);
    return true;
}

}  // namespace vardo::document
