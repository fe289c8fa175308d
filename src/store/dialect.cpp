#include "store/dialect.h"

#include "store/fieldvalue.h"
#include "store/storedvalues.h"
#include "store/storeerror.h"
#include "store/textcompare.h"
#include "store/translate.h"

#include <QRegularExpression>

namespace store {

QString escapeQuotes(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

QString dateLiteralText(const QDate& date) {
    return date.toString(Qt::ISODate);
}

namespace {

// "yyyy-mm-dd" without any allocation: the form every stored date has.
bool parseIsoFast(const QString& t, QDate& out) {
    if (t.size() != 10 || t[4] != QLatin1Char('-') || t[7] != QLatin1Char('-'))
        return false;
    int v[3] = {0, 0, 0};
    const int start[3] = {0, 5, 8}, len[3] = {4, 2, 2};
    for (int k = 0; k < 3; ++k) {
        for (int i = start[k]; i < start[k] + len[k]; ++i) {
            const char16_t c = t[i].unicode();
            if (c < u'0' || c > u'9')
                return false;
            v[k] = v[k] * 10 + (c - u'0');
        }
    }
    out = QDate(v[0], v[1], v[2]);
    return true;
}

} // namespace

QDate parseDateText(const QString& raw) {
    if (QDate fast; parseIsoFast(raw, fast))
        return fast;
    const QString text = raw.trimmed();
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression us(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})$"));
    if (auto m = iso.match(text); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (auto m = us.match(text); m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            year += year < 30 ? 2000 : 1900; // two-digit years: 00-29 this century
        return QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
    }
    return {};
}

namespace {

enum class Tok { Space, Ident, Number, String, Date, Punct };

struct Token {
    Tok kind;
    QString text; // as written (String/Date: the value inside the delimiters)
};

std::vector<Token> tokenize(const QString& s) {
    std::vector<Token> out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            qsizetype j = i;
            while (j < n && s[j].isSpace())
                ++j;
            out.push_back({Tok::Space, QStringLiteral(" ")});
            i = j;
        } else if (c == '\'') {
            QString value;
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (s[j] == '\'') {
                    if (j + 1 < n && s[j + 1] == '\'') {
                        value += '\'';
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                value += s[j++];
            }
            if (!closed)
                throw StoreError(1, QStringLiteral("The statement has a text without its closing "
                                                   "quote: %1")
                                        .arg(s));
            out.push_back({Tok::String, value});
            i = j;
        } else if (c == '#') {
            const qsizetype j = s.indexOf('#', i + 1);
            if (j < 0)
                throw StoreError(1, QStringLiteral("The statement has a date without its closing "
                                                   "'#': %1")
                                        .arg(s));
            out.push_back({Tok::Date, s.mid(i + 1, j - i - 1)});
            i = j + 1;
        } else if (c.isLetter() || c == '_') {
            qsizetype j = i;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == '_'))
                ++j;
            out.push_back({Tok::Ident, s.mid(i, j - i)});
            i = j;
        } else if (c.isDigit()) {
            qsizetype j = i;
            while (j < n && (s[j].isDigit() || s[j] == '.'))
                ++j;
            out.push_back({Tok::Number, s.mid(i, j - i)});
            i = j;
        } else {
            static const QStringList twoChar = {">=", "<=", "<>", "!=", "||", "=="};
            const QString two = s.mid(i, 2);
            if (twoChar.contains(two)) {
                out.push_back({Tok::Punct, two});
                i += 2;
            } else {
                out.push_back({Tok::Punct, QString(c)});
                ++i;
            }
        }
    }
    return out;
}

bool isKeyword(const Token& t, const char* word) {
    return t.kind == Tok::Ident && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isTextColumn(const QString& name) {
    static const QStringList cols = {"word", "synonym", "part_speech", "usage", "notes"};
    for (const auto& c : cols)
        if (name.compare(c, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QByteArray param(std::vector<QByteArray>& params, const QByteArray& value) {
    params.push_back(value);
    return "?" + QByteArray::number(static_cast<qulonglong>(params.size()));
}

// The leading part of a pattern before its first wildcard, lower-cased, ASCII only: the
// stretch of the word index where every match must lie.
QByteArray asciiPrefix(const QByteArray& utf8, bool stopAtWildcards) {
    QByteArray p;
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 || (stopAtWildcards && (c == '%' || c == '_')))
            break;
        p += static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
    }
    return p;
}

// Index range condition on `word` (the column's own NOCASE collation) for text beginning with
// `prefix`; `rest` says whether non-ASCII text follows the prefix.
QByteArray wordRange(const QByteArray& prefix, bool nonAsciiFollows,
                     std::vector<QByteArray>& params) {
    if (prefix.isEmpty()) {
        if (!nonAsciiFollows)
            return {};
        return "word >= " + param(params, QByteArray("\x80", 1)) + " COLLATE NOCASE AND ";
    }
    QByteArray upper = prefix;
    upper[upper.size() - 1] = static_cast<char>(upper[upper.size() - 1] + 1);
    return "word >= " + param(params, prefix) + " COLLATE NOCASE AND word < " +
           param(params, upper) + " COLLATE NOCASE AND ";
}

QByteArray wordLikeCondition(const QByteArray& pattern, std::vector<QByteArray>& params) {
    if (pattern == "%")
        return "(word IS NOT NULL)";
    const QByteArray prefix = asciiPrefix(pattern, true);
    const bool nonAscii = prefix.size() < pattern.size() &&
                          static_cast<unsigned char>(pattern[prefix.size()]) >= 0x80;
    // "abc%": the index range alone is the exact answer, unless the prefix ends in '@', whose
    // successor 'A' the case folding turns into 'a'.
    if (!prefix.isEmpty() && prefix.size() == pattern.size() - 1 && pattern.endsWith('%') &&
        !prefix.endsWith('@')) {
        const QByteArray range = wordRange(prefix, false, params);
        return "(" + range.left(range.size() - 5) + ")"; // without the trailing " AND "
    }
    const QByteArray range = wordRange(prefix, nonAscii, params);
    return "(" + range + "gre_like(" + param(params, pattern) + ", word))";
}

} // namespace

QByteArray wordEqualsCondition(const QString& word, std::vector<QByteArray>& params) {
    const QByteArray utf8 = word.toUtf8();
    if (textcompare::isAscii(std::string_view(utf8.constData(), utf8.size())))
        return "(word = " + param(params, utf8) + " COLLATE NOCASE)";
    const QByteArray prefix = asciiPrefix(utf8, false);
    const QByteArray range = wordRange(prefix, true, params);
    return "(" + range + "word = " + param(params, utf8) + " COLLATE GRE_UNICASE)";
}

const char* const kTableColumns[10] = {"id",      "word",    "synonym",   "part_speech",
                                       "usage",   "notes",   "entrydate", "last_seen",
                                       "is_used", "frequent"};
const char* const kLightColumns = "id, word, entrydate, last_seen, is_used, frequent";

namespace {

TranslatedStatement translateUncached(const QString& statement, bool withRowId, bool lightOnly);

} // namespace

TranslatedStatement translateStatement(const QString& statement, bool withRowId, bool lightOnly) {
    // The windows run the same few statement shapes again and again (one per keystroke or
    // selection): the last translations are kept. One thread uses the store.
    struct Entry {
        QString statement;
        bool withRowId, lightOnly;
        TranslatedStatement translated;
    };
    static std::vector<Entry> recent;
    for (const Entry& e : recent)
        if (e.withRowId == withRowId && e.lightOnly == lightOnly && e.statement == statement)
            return e.translated;
    TranslatedStatement t = translateUncached(statement, withRowId, lightOnly);
    if (recent.size() >= 16)
        recent.erase(recent.begin());
    recent.push_back({statement, withRowId, lightOnly, t});
    return t;
}

namespace {

TranslatedStatement translateUncached(const QString& statement, bool withRowId, bool lightOnly) {
    const std::vector<Token> toks = tokenize(statement);
    TranslatedStatement out;
    auto nextSolid = [&](std::size_t from) {
        while (from < toks.size() && toks[from].kind == Tok::Space)
            ++from;
        return from;
    };
    bool rowIdAdded = !withRowId;
    // Only a whole-table read is worth narrowing: a statement with a condition finds a few rows,
    // which one query reads more cheaply than two.
    for (const Token& t : toks)
        if (isKeyword(t, "where"))
            lightOnly = false;
    for (std::size_t i = 0; i < toks.size(); ++i) {
        const Token& t = toks[i];
        if (!rowIdAdded && isKeyword(t, "select")) {
            out.sql += "SELECT rowid AS gre_rowid_,";
            rowIdAdded = true;
            const std::size_t star = nextSolid(i + 1);
            if (lightOnly && star < toks.size() && toks[star].kind == Tok::Punct &&
                toks[star].text == "*") {
                out.sql += QByteArray(" ") + kLightColumns;
                out.lightColumns = true;
                i = star;
            }
            continue;
        }
        // <flag column> = TRUE|False: the flag as read everywhere (1, -1, 'True', 'yes', ...).
        // The plain comparison in front settles most rows without a function call.
        if (t.kind == Tok::Ident && kindOf(t.text) == ColKind::Bool) {
            const std::size_t op = nextSolid(i + 1);
            const std::size_t lit = nextSolid(op + 1);
            if (op < toks.size() && lit < toks.size() && toks[op].kind == Tok::Punct &&
                (toks[op].text == "=" || toks[op].text == "<>") &&
                (isKeyword(toks[lit], "true") || isKeyword(toks[lit], "false"))) {
                const bool wanted = isKeyword(toks[lit], "true") == (toks[op].text == "=");
                const QByteArray col = t.text.toUtf8();
                out.sql += "(" + col + (wanted ? " IS NOT 0" : " IS NOT 1") + " AND gre_flag(" +
                           col + ", " + (flagWithoutValue(t.text) ? "1" : "0") +
                           ") = " + (wanted ? "1" : "0") + ")";
                i = lit;
                continue;
            }
        }
        // <date column> <op> #date#: the calendar day the stored text names, in any form.
        if (t.kind == Tok::Ident && kindOf(t.text) == ColKind::Date) {
            const std::size_t op = nextSolid(i + 1);
            const std::size_t lit = nextSolid(op + 1);
            static const QStringList comparisons = {"=", "<>", "!=", "<", ">", "<=", ">="};
            if (op < toks.size() && lit < toks.size() && toks[op].kind == Tok::Punct &&
                comparisons.contains(toks[op].text) && toks[lit].kind == Tok::Date) {
                out.sql += "gre_date(" + t.text.toUtf8() + ") " + toks[op].text.toUtf8() + " ";
                i = op;
                continue; // the literal follows as a parameter
            }
        }
        // <text column> = 'literal'  and  <text column> LIKE 'literal'
        if (t.kind == Tok::Ident && isTextColumn(t.text)) {
            const std::size_t op = nextSolid(i + 1);
            const std::size_t lit = nextSolid(op + 1);
            if (op < toks.size() && lit < toks.size() && toks[lit].kind == Tok::String &&
                ((toks[op].kind == Tok::Punct && toks[op].text == "=") ||
                 isKeyword(toks[op], "like"))) {
                const bool isLike = isKeyword(toks[op], "like");
                const bool isWord = t.text.compare("word", Qt::CaseInsensitive) == 0;
                const QByteArray value = toks[lit].text.toUtf8();
                const QByteArray col = t.text.toUtf8();
                if (isWord && isLike)
                    out.sql += wordLikeCondition(value, out.params);
                else if (isWord)
                    out.sql += wordEqualsCondition(toks[lit].text, out.params);
                else if (isLike)
                    out.sql += "gre_like(" + param(out.params, value) + ", " + col + ")";
                else if (textcompare::isAscii(std::string_view(value.constData(), value.size())))
                    out.sql += "(" + col + " = " + param(out.params, value) + " COLLATE NOCASE)";
                else
                    out.sql +=
                        "(" + col + " = " + param(out.params, value) + " COLLATE GRE_UNICASE)";
                i = lit;
                continue;
            }
        }
        // A closing ORDER BY word is left to the record set (see sortByWord).
        if (isKeyword(t, "order")) {
            const std::size_t by = nextSolid(i + 1);
            const std::size_t col = by < toks.size() ? nextSolid(by + 1) : by;
            std::size_t end = col < toks.size() ? nextSolid(col + 1) : col;
            while (end < toks.size() && toks[end].kind == Tok::Punct && toks[end].text == ";")
                end = nextSolid(end + 1);
            if (by < toks.size() && isKeyword(toks[by], "by") && col < toks.size() &&
                isKeyword(toks[col], "word") && end >= toks.size()) {
                out.sortByWord = true;
                break;
            }
        }
        // Any other ORDER BY word: dictionary order.
        if (isKeyword(t, "by") && !out.sql.isEmpty()) {
            const std::size_t col = nextSolid(i + 1);
            out.sql += "BY";
            if (col < toks.size() && isKeyword(toks[col], "word")) {
                out.sql += " word COLLATE GRE_DICTIONARY";
                i = col;
            }
            continue;
        }
        switch (t.kind) {
        case Tok::String:
            out.sql += param(out.params, t.text.toUtf8());
            break;
        case Tok::Date: {
            const QDate d = parseDateText(t.text);
            if (!d.isValid())
                throw StoreError(errnum::BadValue,
                                 QStringLiteral("\"%1\" is not a date.").arg(t.text));
            out.sql += param(out.params, d.toString(Qt::ISODate).toUtf8());
            break;
        }
        default:
            out.sql += t.text.toUtf8();
        }
    }
    return out;
}

} // namespace

} // namespace store
