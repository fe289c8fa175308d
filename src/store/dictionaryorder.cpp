#include "store/dictionaryorder.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <optional>

namespace store::dictionary {

namespace {

// One collator per thread: ICU collators are not meant to be shared between threads.
const QCollator& collator() {
    thread_local const QCollator instance = [] {
        QCollator c(QLocale(QLocale::English, QLocale::UnitedStates));
        c.setCaseSensitivity(Qt::CaseSensitive); // case decides only between otherwise equal words
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return instance;
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// Blank < hyphen < digits < letters, letters without regard to case: the collation's order for
// these characters, and also the order of their ASCII codes once letters are folded.
bool isPlain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == '-';
}

bool isPlain(std::string_view text) {
    for (const char c : text)
        if (!isPlain(static_cast<unsigned char>(c)))
            return false;
    return true;
}

unsigned char fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

// The collation's result for two plain words.
int comparePlain(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char fa = fold(static_cast<unsigned char>(a[i]));
        const unsigned char fb = fold(static_cast<unsigned char>(b[i]));
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    // Equal but for case: the first difference decides, lower case first.
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return a[i] > b[i] ? -1 : 1; // 'a' (0x61) > 'A' (0x41)
    return 0;
}

int compareBytes(std::string_view a, std::string_view b) {
    return sign(a.compare(b));
}

} // namespace

int compare(std::string_view a, std::string_view b) {
    if (isPlain(a) && isPlain(b))
        return comparePlain(a, b);
    const int byCollation = sign(collator().compare(toQString(a), toQString(b)));
    return byCollation != 0 ? byCollation : compareBytes(a, b);
}

std::vector<std::size_t> order(std::size_t count,
                               const std::function<std::string_view(std::size_t)>& wordAt) {
    std::vector<std::string_view> words(count);
    for (std::size_t i = 0; i < count; ++i)
        words[i] = wordAt(i);
    std::vector<std::size_t> positions(count);
    for (std::size_t i = 0; i < count; ++i)
        positions[i] = i;

    // Rows read through the index on word mostly come in order already: one pass confirms it.
    bool sorted = true;
    for (std::size_t i = 1; i < count && sorted; ++i)
        sorted = compare(words[i - 1], words[i]) <= 0;
    if (sorted)
        return positions;

    // Plain words (nearly all of them, as a rule) are ordered among themselves without the
    // collation; the others by their collation sort keys, and each of them then finds its
    // place among the plain ones by binary search. Only the few plain words those searches
    // meet ever need a sort key.
    std::vector<std::optional<QCollatorSortKey>> keys(count);
    auto keyOf = [&](std::size_t i) -> const QCollatorSortKey& {
        if (!keys[i])
            keys[i].emplace(collator().sortKey(toQString(words[i])));
        return *keys[i];
    };
    auto lessByKey = [&](std::size_t a, std::size_t b) {
        const int byCollation = sign(keyOf(a).compare(keyOf(b)));
        return (byCollation != 0 ? byCollation : compareBytes(words[a], words[b])) < 0;
    };

    std::vector<std::size_t> plain;
    std::vector<std::size_t> other;
    plain.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        (isPlain(words[i]) ? plain : other).push_back(i);
    const auto lessPlain = [&](std::size_t a, std::size_t b) {
        return comparePlain(words[a], words[b]) < 0;
    };
    if (!std::is_sorted(plain.begin(), plain.end(), lessPlain))
        std::stable_sort(plain.begin(), plain.end(), lessPlain);
    std::stable_sort(other.begin(), other.end(), lessByKey);

    std::vector<std::size_t> merged;
    merged.reserve(count);
    auto from = plain.begin();
    for (const std::size_t o : other) {
        const auto at = std::upper_bound(from, plain.end(), o, lessByKey);
        merged.insert(merged.end(), from, at);
        merged.push_back(o);
        from = at;
    }
    merged.insert(merged.end(), from, plain.end());
    return merged;
}

} // namespace store::dictionary
