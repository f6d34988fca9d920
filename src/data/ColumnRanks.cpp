#include "ColumnRanks.h"

#include "Collation.h"

#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

std::vector<int> NumberRanks(const RecordStore &records, int field)
{
    std::vector<int> ranks(size_t(records.size()), -1);
    std::vector<std::pair<qint64, int>> values; // value, record
    values.reserve(size_t(records.size()));
    for (int r = 0; r < records.size(); ++r) {
        if (records.isInteger(r, field))
            values.emplace_back(records.integer(r, field), r);
    }
    std::sort(values.begin(), values.end());
    int rank = -1;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i == 0 || values[i].first != values[i - 1].first)
            ++rank;
        ranks[size_t(values[i].second)] = rank;
    }
    return ranks;
}

std::vector<int> TextRanks(const RecordStore &records, int field)
{
    // Each distinct text once: a genre or a studio stands in thousands of records.
    std::vector<int> distinctOf(size_t(records.size()), -1);
    std::vector<QUtf8StringView> distinct;
    std::unordered_map<std::string_view, int> seen;
    for (int r = 0; r < records.size(); ++r) {
        if (records.isNull(r, field))
            continue;
        const QUtf8StringView text = records.text(r, field);
        const auto [at, added] = seen.try_emplace(std::string_view(text.data(), size_t(text.size())), int(distinct.size()));
        if (added)
            distinct.push_back(text);
        distinctOf[size_t(r)] = at->second;
    }

    std::vector<QCollatorSortKey> keys;
    keys.reserve(distinct.size());
    for (const QUtf8StringView text : distinct)
        keys.push_back(TextCollator().sortKey(text.toString()));
    std::vector<int> order(distinct.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&keys](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    std::vector<int> rankOfDistinct(distinct.size());
    int rank = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i == 0 || keys[size_t(order[i - 1])].compare(keys[size_t(order[i])]) != 0)
            ++rank;
        rankOfDistinct[size_t(order[i])] = rank;
    }

    std::vector<int> ranks(size_t(records.size()), -1);
    for (size_t r = 0; r < ranks.size(); ++r) {
        if (distinctOf[r] >= 0)
            ranks[r] = rankOfDistinct[size_t(distinctOf[r])];
    }
    return ranks;
}

} // namespace

std::vector<int> ColumnRanks(const RecordStore &records, int field, bool numbers)
{
    return numbers ? NumberRanks(records, field) : TextRanks(records, field);
}
