#include "store/textcompare.h"

#include <QList>
#include <QString>
#include <vector>

namespace store::textcompare {

namespace {

inline unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

std::vector<char32_t> folded(std::string_view text) {
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QList<uint> ucs4 = s.toCaseFolded().toUcs4();
    return std::vector<char32_t>(ucs4.begin(), ucs4.end());
}

// ASCII text seen through lower-case letters, without a copy.
struct AsciiFolded {
    std::string_view text;
    std::size_t size() const { return text.size(); }
    unsigned char operator[](std::size_t i) const {
        return foldAscii(static_cast<unsigned char>(text[i]));
    }
};

// Glob-style match with one backtracking point per '%', the classic linear-space algorithm.
template <class Seq> bool matchFolded(const Seq& p, const Seq& t) {
    std::size_t pi = 0, ti = 0, starP = std::size_t(-1), starT = 0;
    while (ti < t.size()) {
        if (pi < p.size() && p[pi] == '%') {
            starP = pi++;
            starT = ti;
        } else if (pi < p.size() && (p[pi] == '_' || p[pi] == t[ti])) {
            ++pi;
            ++ti;
        } else if (starP != std::size_t(-1)) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '%')
        ++pi;
    return pi == p.size();
}

} // namespace

bool isAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

int compare(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    const std::size_t n = std::min(a.size(), b.size());
    for (; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80)
            break;
        const unsigned char fa = foldAscii(ca), fb = foldAscii(cb);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (i == n && (i == a.size() || i == b.size())) {
        if (a.size() == b.size())
            return 0;
        return a.size() < b.size() ? -1 : 1;
    }
    // A non-ASCII character: compare the rest after full case folding, by code point.
    const auto fa = folded(a.substr(i));
    const auto fb = folded(b.substr(i));
    const std::size_t m = std::min(fa.size(), fb.size());
    for (std::size_t k = 0; k < m; ++k)
        if (fa[k] != fb[k])
            return fa[k] < fb[k] ? -1 : 1;
    if (fa.size() == fb.size())
        return 0;
    return fa.size() < fb.size() ? -1 : 1;
}

std::string foldedKey(std::string_view text) {
    if (isAscii(text)) {
        std::string key(text);
        for (char& c : key)
            c = static_cast<char>(foldAscii(static_cast<unsigned char>(c)));
        return key;
    }
    // Folding works character by character, so folding the whole text gives the same result as
    // compare(), which folds only from the first non-ASCII character on.
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .toCaseFolded()
        .toStdString();
}

bool like(std::string_view pattern, std::string_view text) {
    if (isAscii(pattern) && isAscii(text))
        return matchFolded(AsciiFolded{pattern}, AsciiFolded{text});
    return matchFolded(folded(pattern), folded(text));
}

} // namespace store::textcompare
