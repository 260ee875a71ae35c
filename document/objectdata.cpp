#include "document/objectdata.h"

#include <array>

namespace vardo::document {

namespace {

constexpr std::array<ObjectField, 6> kFields = {{
    {u"object", u"Объект (станция, перегон)", &ObjectData::object},
    {u"crossbeam", u"Поперечина / опоры №", &ObjectData::crossbeam},
    {u"designedBy", u"Разработал", &ObjectData::designedBy},
    {u"checkedBy", u"Проверил", &ObjectData::checkedBy},
    {u"date", u"Дата", &ObjectData::date},
    {u"note", u"Примечание", &ObjectData::note},
}};

}  // namespace

bool ObjectData::isEmpty() const {
    for (const ObjectField& f : kFields)
        if (!(this->*f.member).trimmed().isEmpty()) return false;
    return true;
}

std::span<const ObjectField> objectFields() {
    return kFields;
}

}  // namespace vardo::document
