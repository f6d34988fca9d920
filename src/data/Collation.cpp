#include "Collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

QLocale CollationLocale()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::German, QLocale::Germany);
    return locale;
}

TextCollation::TextCollation(const QLocale &locale)
{
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open(locale.bcp47Name().replace(u'-', u'_').toLatin1().constData(), &status);
    if (U_FAILURE(status)) {
        collator_ = nullptr;
        return;
    }
    // Canonically equivalent texts (a precomposed "ä" and "a" with a combining diaeresis)
    // are the same text to a reader.
    ucol_setAttribute(collator_, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(collator_, UCOL_STRENGTH, UCOL_TERTIARY, &status);
    ucol_setAttribute(collator_, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(collator_, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
}

TextCollation::~TextCollation()
{
    if (collator_)
        ucol_close(collator_);
}

int TextCollation::compare(QStringView a, QStringView b) const
{
    if (!collator_)
        return a.toUtf8().compare(b.toUtf8()); // code point order, as the keys below
    return ucol_strcoll(collator_, reinterpret_cast<const UChar *>(a.utf16()), int32_t(a.size()),
                        reinterpret_cast<const UChar *>(b.utf16()), int32_t(b.size()));
}

void TextCollation::appendSortKey(QUtf8StringView text, std::string &keys, std::u16string &utf16) const
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const qsizetype length = text.size();
    if (!collator_) {
        // Without collation data: code point order, which UTF-8 bytes keep. Bytes 0 and 1
        // are written as 1 1 and 1 2, so that the key, like a collation key, holds no zero
        // byte before its end.
        for (qsizetype b = 0; b < length; ++b) {
            if (bytes[b] <= 1)
                keys.push_back('\1');
            keys.push_back(char(bytes[b] + (bytes[b] <= 1 ? 1 : 0)));
        }
        keys.push_back('\0');
        return;
    }

    // A UTF-8 text never needs more UTF-16 units than it has bytes. Most titles are plain
    // ASCII, widened without the decoder; elsewhere a malformed sequence becomes U+FFFD, as
    // when the text is shown.
    if (utf16.size() < size_t(length))
        utf16.resize(size_t(length));
    qsizetype ascii = 0;
    while (ascii < length && bytes[ascii] < 0x80) {
        utf16[size_t(ascii)] = char16_t(bytes[ascii]);
        ++ascii;
    }
    int32_t units = int32_t(length);
    if (ascii < length) {
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8WithSub(reinterpret_cast<UChar *>(utf16.data()), int32_t(utf16.size()), &units, text.data(),
                             int32_t(length), 0xFFFD, nullptr, &status);
        if (U_FAILURE(status))
            units = 0;
    }
    const auto *source = reinterpret_cast<const UChar *>(utf16.data());
    // Most keys fit a buffer on the stack; a longer one is made again at its size.
    uint8_t buffer[512];
    const int32_t needed = ucol_getSortKey(collator_, source, units, buffer, int32_t(sizeof buffer));
    if (needed <= int32_t(sizeof buffer)) {
        keys.append(reinterpret_cast<const char *>(buffer), size_t(needed));
    } else {
        const size_t start = keys.size();
        keys.resize(start + size_t(needed));
        ucol_getSortKey(collator_, source, units, reinterpret_cast<uint8_t *>(keys.data() + start), needed);
    }
}

const TextCollation &TextCollator()
{
    static const TextCollation collation(CollationLocale());
    return collation;
}
