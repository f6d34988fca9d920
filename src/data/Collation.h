#pragma once

#include <QLocale>
#include <QStringView>
#include <QUtf8StringView>

#include <string>

struct UCollator;

// The locale whose collation orders texts: the user's, or German where the user has
// none (the C locale), since the tables are German.
QLocale CollationLocale();

// The order of texts: CollationLocale()'s collation, case and accents told apart,
// canonically equivalent texts equal. Both methods may run on several threads at once.
class TextCollation {
public:
    explicit TextCollation(const QLocale &locale);
    ~TextCollation();
    TextCollation(const TextCollation &) = delete;
    TextCollation &operator=(const TextCollation &) = delete;

    int compare(QStringView a, QStringView b) const;
    // Appends the sort key of a UTF-8 text to `keys`. A key ends with its only zero byte,
    // so two texts' keys compare as bytes (memcmp up to the shorter one's end) as compare()
    // orders the texts. `utf16` is room the caller keeps from one text to the next.
    void appendSortKey(QUtf8StringView text, std::string &keys, std::u16string &utf16) const;

private:
    UCollator *collator_ = nullptr; // none where the locale's collation data is missing
};

// One collation for the whole run, made for CollationLocale() on first use.
const TextCollation &TextCollator();
