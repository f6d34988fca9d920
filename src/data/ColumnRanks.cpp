#include "ColumnRanks.h"

#include "Collation.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <future>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
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

// A sort key as sorted: where it starts and its size, and eight of its bytes as one number
// (zero after its end), so that sorting mostly compares integers.
struct Keyed {
    quint64 chunk;
    const char *key;
    quint32 size;
    int text;
};

quint64 ChunkAt(const char *key, size_t size, size_t depth)
{
    unsigned char bytes[8] = {};
    if (depth < size)
        std::memcpy(bytes, key + depth, std::min<size_t>(8, size - depth));
    return qFromBigEndian<quint64>(bytes);
}

// Sorts keys that agree on their first `depth` bytes, eight bytes at a time: by the next
// eight, then each run that ties on them by the eight after. Keys end with their only
// zero byte, so a run whose eight bytes hold a zero holds equal keys. Past a few rounds
// (long texts alike for long), the rest is compared byte by byte without going deeper.
void SortKeys(Keyed *first, Keyed *last, size_t depth)
{
    constexpr size_t kDeepest = 64;
    if (depth >= kDeepest) {
        std::sort(first, last, [depth](const Keyed &a, const Keyed &b) {
            return std::memcmp(a.key + depth, b.key + depth, std::min(a.size, b.size) - depth) < 0;
        });
        return;
    }
    if (depth > 0) {
        for (Keyed *k = first; k != last; ++k)
            k->chunk = ChunkAt(k->key, k->size, depth);
    }
    std::sort(first, last, [](const Keyed &a, const Keyed &b) { return a.chunk < b.chunk; });
    while (first != last) {
        Keyed *run = first + 1;
        while (run != last && run->chunk == first->chunk)
            ++run;
        if (run - first > 1 && (first->chunk & 0xFF) != 0)
            SortKeys(first, run, depth + 8);
        first = run;
    }
}

bool EqualKeys(const Keyed &a, const Keyed &b)
{
    return a.size == b.size && std::memcmp(a.key, b.key, a.size) == 0;
}

// Runs work(0) and work(1), on two threads where the machine has two cores and the job is
// big enough to pay for a thread.
void OnTwoThreads(bool worthIt, const std::function<void(int)> &work)
{
    std::future<void> second;
    if (worthIt && std::thread::hardware_concurrency() > 1) {
        try {
            second = std::async(std::launch::async, work, 1);
        } catch (const std::system_error &) {
            // No thread to be had: both on this one.
        }
    }
    work(0);
    if (second.valid())
        second.get();
    else
        work(1);
}

// The distinct texts of a run of records: a genre or a studio stands in thousands of
// records, and its sort key is made once. Two threads fill two of these side by side;
// each on cache lines of its own, they do not slow each other down.
struct alignas(64) DistinctTexts {
    std::vector<int> textOf; // per record of the run: its text, -1 for Null
    std::vector<std::string_view> texts;
};

// The text of a cell that is not Null; a number reads as empty.
std::string_view TextOf(const RecordStore::Cell &cell)
{
    return {cell.text.data(), size_t(cell.text.size())};
}

// Whether nearly every text of the column stands in one record only (titles, picture
// names), judged by a sample of the records.
bool MostlyDistinct(const RecordStore &records, int field)
{
    const int step = std::max(1, records.size() / 1024);
    std::vector<std::string_view> sample;
    for (int r = 0; r < records.size(); r += step) {
        const RecordStore::Cell cell = records.cell(r, field);
        if (cell.tag != RecordStore::kNull)
            sample.push_back(TextOf(cell));
    }
    std::sort(sample.begin(), sample.end());
    const auto distinct = size_t(std::unique(sample.begin(), sample.end()) - sample.begin());
    return distinct * 10 >= sample.size() * 9;
}

// With `findRepeats` false, every record's text is taken as a text of its own: a text
// that stands in several records is then keyed several times, and its equal keys give
// it one rank all the same.
void Distinct(const RecordStore &records, int field, int from, int to, bool findRepeats, DistinctTexts &out)
{
    out.textOf.assign(size_t(to - from), -1);
    // Open addressing, at most half full: no allocation per text.
    const size_t mask = findRepeats ? std::bit_ceil(size_t(to - from) * 2 + 16) - 1 : 0;
    std::vector<int> buckets(findRepeats ? mask + 1 : 0, -1);
    const std::hash<std::string_view> hash;
    for (int r = from; r < to; ++r) {
        const RecordStore::Cell cell = records.cell(r, field);
        if (cell.tag == RecordStore::kNull)
            continue;
        const std::string_view text = TextOf(cell);
        int index = int(out.texts.size());
        if (findRepeats) {
            size_t bucket = hash(text) & mask;
            while (buckets[bucket] >= 0 && out.texts[size_t(buckets[bucket])] != text)
                bucket = (bucket + 1) & mask;
            if (buckets[bucket] < 0)
                buckets[bucket] = index;
            index = buckets[bucket];
        }
        if (index == int(out.texts.size()))
            out.texts.push_back(text);
        out.textOf[size_t(r - from)] = index;
    }
}

// The sort keys of some texts, one after the other in one run of bytes.
struct alignas(64) Keys {
    std::string bytes;
    std::vector<Keyed> keyed;
};

void MakeKeys(const std::vector<std::string_view> &texts, size_t from, size_t to, Keys &out)
{
    std::string &bytes = out.bytes;
    std::vector<Keyed> &keyed = out.keyed;
    bytes.reserve((to - from) * 48);
    keyed.reserve(to - from);
    std::vector<size_t> ends;
    ends.reserve(to - from);
    std::u16string utf16;
    for (size_t i = from; i < to; ++i) {
        TextCollator().appendSortKey(QUtf8StringView(texts[i].data(), qsizetype(texts[i].size())), bytes, utf16);
        ends.push_back(bytes.size());
    }
    size_t begin = 0;
    for (size_t i = from; i < to; ++i) {
        const size_t end = ends[i - from];
        keyed.push_back({ChunkAt(bytes.data() + begin, end - begin, 0), bytes.data() + begin, quint32(end - begin),
                         int(i)});
        begin = end;
    }
}

// A long column is read, keyed and sorted on two threads: each reads half the records,
// each makes the keys of half the text, and each sorts the keys whose first eight bytes
// lie on its side of a middle value, so that the two sorted halves need no merging.
std::vector<int> TextRanks(const RecordStore &records, int field)
{
    constexpr int kWorthASecondThread = 4096;
    const int size = records.size();
    const bool worthIt = size >= kWorthASecondThread;

    const bool findRepeats = !MostlyDistinct(records, field);
    DistinctTexts halves[2];
    OnTwoThreads(worthIt, [&](int half) {
        Distinct(records, field, half == 0 ? 0 : size / 2, half == 0 ? size / 2 : size, findRepeats, halves[half]);
    });
    std::vector<std::string_view> texts = std::move(halves[0].texts);
    const size_t secondHalfTexts = texts.size(); // where the second half's texts begin
    texts.insert(texts.end(), halves[1].texts.begin(), halves[1].texts.end());

    // Split the texts where half of their bytes lie on either side.
    size_t totalBytes = 0;
    for (const std::string_view text : texts)
        totalBytes += text.size() + 8;
    size_t split = 0;
    for (size_t bytes = 0; split < texts.size() && bytes < totalBytes / 2; ++split)
        bytes += texts[split].size() + 8;
    Keys keys[2];
    OnTwoThreads(worthIt, [&](int half) {
        MakeKeys(texts, half == 0 ? 0 : split, half == 0 ? split : texts.size(), keys[half]);
    });
    std::vector<Keyed> sorted = std::move(keys[0].keyed);
    sorted.insert(sorted.end(), keys[1].keyed.begin(), keys[1].keyed.end());

    // Equal keys have equal first eight bytes, so they fall on the same side of the middle.
    quint64 middle = 0;
    if (!sorted.empty()) {
        std::vector<quint64> sample;
        for (size_t i = 0; i < sorted.size(); i += std::max<size_t>(1, sorted.size() / 1024))
            sample.push_back(sorted[i].chunk);
        std::nth_element(sample.begin(), sample.begin() + ptrdiff_t(sample.size() / 2), sample.end());
        middle = sample[sample.size() / 2];
    }
    Keyed *const lower = sorted.data(), *const upper = sorted.data() + sorted.size();
    Keyed *const cut = std::partition(lower, upper, [middle](const Keyed &k) { return k.chunk < middle; });
    OnTwoThreads(worthIt, [&](int side) { side == 0 ? SortKeys(lower, cut, 0) : SortKeys(cut, upper, 0); });

    std::vector<int> rankOfText(texts.size(), -1);
    int rank = -1;
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i == 0 || !EqualKeys(sorted[i - 1], sorted[i]))
            ++rank;
        rankOfText[size_t(sorted[i].text)] = rank;
    }
    std::vector<int> ranks(size_t(size), -1);
    for (int half = 0; half < 2; ++half) {
        const size_t from = half == 0 ? 0 : size_t(size / 2), offset = half == 0 ? 0 : secondHalfTexts;
        for (size_t i = 0; i < halves[half].textOf.size(); ++i) {
            if (halves[half].textOf[i] >= 0)
                ranks[from + i] = rankOfText[offset + size_t(halves[half].textOf[i])];
        }
    }
    return ranks;
}

} // namespace

std::vector<int> ColumnRanks(const RecordStore &records, int field, bool numbers)
{
    return numbers ? NumberRanks(records, field) : TextRanks(records, field);
}
