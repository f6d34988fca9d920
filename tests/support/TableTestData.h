#pragma once

// The mixed table the table file's tests write and read back, on every system.
#include "TableFile.h"
#include "UserErrors.h"

#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

inline std::vector<FieldDef> MixedFields()
{
    return {{u"Titel"_s, FieldType::Text, 64}, {u"Seite"_s, FieldType::Integer, 0},
            {u"Hinweis"_s, FieldType::Text, 255}};
}

inline const std::vector<std::vector<FieldValue>> kRows = {
    {FieldValue(u"Zündstoff: Söldner's Rückkehr"_s), FieldValue(qint64(-7)), FieldValue(u""_s)},
    {FieldValue::null(), FieldValue(qint64(9000000000)), FieldValue::null()},
    {FieldValue(u"Alpha"_s), FieldValue::null(), FieldValue(u"Tab\there, \"quoted\", 😀"_s)},
};

inline std::vector<std::vector<FieldValue>> AllRows(const TableData &table)
{
    std::vector<std::vector<FieldValue>> rows;
    for (int r = 0; r < table.records.size(); ++r) {
        rows.emplace_back();
        for (int f = 0; f < table.records.fieldCount(); ++f)
            rows.back().push_back(table.records.value(r, f));
    }
    return rows;
}

inline QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EDatabaseError &e) {
        return e.message();
    }
    return {};
}
