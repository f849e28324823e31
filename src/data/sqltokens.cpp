#include "data/sqltokens.h"

#include "data/dberror.h"

namespace data::sqltokens {
namespace {

// Names may hold @ and # in the written dialect and on SQLite; PostgreSQL reads
// them as operator characters, so that "@@E'..'" is an operator before an
// escape string there, never a name.
bool isWordStart(QChar c, Dialect dialect)
{
    return c.isLetter() || c == QLatin1Char('_')
        || (dialect == Dialect::SQLite && (c == QLatin1Char('@') || c == QLatin1Char('#')));
}
bool isWordChar(QChar c, Dialect dialect)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$')
        || (dialect == Dialect::SQLite && (c == QLatin1Char('@') || c == QLatin1Char('#')));
}

// Reads a statement as the backend it goes to reads it: on PostgreSQL block
// comments nest and @ and # are no part of a name, so that no text the server
// takes for code is seen here as a comment, a literal or a name.
class Tokenizer {
public:
    explicit Tokenizer(const QString &s, Dialect dialect = Dialect::SQLite) : m_s(s), m_dialect(dialect) {}

    std::vector<Token> run()
    {
        std::vector<Token> out;
        while (m_i < m_s.size()) {
            const QChar c = m_s[m_i];
            if (isBlank(c)) {
                const qsizetype start = m_i;
                while (m_i < m_s.size() && isBlank(m_s[m_i]))
                    ++m_i;
                out.push_back({Kind::Space, m_s.mid(start, m_i - start), {}});
            } else if (c == QLatin1Char('-') && peek(1) == QLatin1Char('-')) {
                // PostgreSQL ends a line comment at a carriage return as well;
                // ending it there too means a ";" hidden behind one is seen.
                const qsizetype start = m_i;
                while (m_i < m_s.size() && m_s[m_i] != QLatin1Char('\n') && m_s[m_i] != QLatin1Char('\r'))
                    ++m_i;
                out.push_back({Kind::Comment, m_s.mid(start, m_i - start), {}});
            } else if (c == QLatin1Char('/') && peek(1) == QLatin1Char('*')) {
                out.push_back({Kind::Comment, readBlockComment(), {}});
            } else if (c == QLatin1Char('\'')) {
                out.push_back({Kind::String, readQuoted(QLatin1Char('\''), QStringLiteral("text literal")), {}});
            } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && peek(1) == QLatin1Char('\'')) {
                out.push_back({Kind::String, readEscapeString(), {}});
            } else if (c == QLatin1Char('$') && dollarTagLength() > 0) {
                out.push_back({Kind::String, readDollarQuoted(), {}});
            } else if (c.isDigit() || (c == QLatin1Char('.') && peek(1).isDigit())) {
                out.push_back({Kind::Number, readNumber(), {}});
            } else if (isWordStart(c, m_dialect) || c == QLatin1Char('[') || c == QLatin1Char('"')) {
                out.push_back(readName());
            } else if (c == QLatin1Char('(')) {
                ++m_i;
                out.push_back({Kind::Open, QStringLiteral("("), {}});
            } else if (c == QLatin1Char(')')) {
                ++m_i;
                out.push_back({Kind::Close, QStringLiteral(")"), {}});
            } else {
                static const QStringList twoChar = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="),
                                                    QStringLiteral("!="), QStringLiteral("||"), QStringLiteral("::")};
                const QString two = m_s.mid(m_i, 2);
                if (twoChar.contains(two)) {
                    m_i += 2;
                    out.push_back({Kind::Punct, two, {}});
                } else {
                    ++m_i;
                    out.push_back({Kind::Punct, QString(c), {}});
                }
            }
        }
        return out;
    }

private:
    QChar peek(int ahead) const { return m_i + ahead < m_s.size() ? m_s[m_i + ahead] : QChar(); }

    // A byte-order mark counts as a blank, so a statement of nothing else is
    // seen to be empty.
    static bool isBlank(QChar c) { return c.isSpace() || c == QChar(0xFEFF); }

    // /* ... */, where on PostgreSQL each /* inside opens one more level.
    QString readBlockComment()
    {
        const qsizetype start = m_i;
        int depth = 0;
        while (m_i < m_s.size()) {
            if (m_s[m_i] == QLatin1Char('/') && peek(1) == QLatin1Char('*')
                && (depth == 0 || m_dialect == Dialect::PostgreSQL)) {
                ++depth;
                m_i += 2;
            } else if (m_s[m_i] == QLatin1Char('*') && peek(1) == QLatin1Char('/')) {
                m_i += 2;
                if (--depth == 0)
                    return m_s.mid(start, m_i - start);
            } else {
                ++m_i;
            }
        }
        throw DbError(QStringLiteral("The statement has a comment opened with /* that is never closed."));
    }

    // Reads from an opening character to its closing one, where a doubled
    // closing character stands for itself. Returns the raw text, delimiters
    // included; refuses text that ends before the closing character.
    QString readQuoted(QChar close, const QString &what)
    {
        const qsizetype start = m_i;
        ++m_i;
        while (m_i < m_s.size()) {
            if (m_s[m_i] == close) {
                if (peek(1) == close) {
                    m_i += 2;
                    continue;
                }
                ++m_i;
                return m_s.mid(start, m_i - start);
            }
            ++m_i;
        }
        throw DbError(
            QStringLiteral("The statement has a %1 opened with %2 that is never closed.").arg(what, m_s.at(start)));
    }

    // E'...' (PostgreSQL): a backslash escapes the character after it. Read as
    // the server reads it, so that no quote is taken for the end too early.
    QString readEscapeString()
    {
        const qsizetype start = m_i;
        m_i += 2;
        while (m_i < m_s.size()) {
            const QChar c = m_s[m_i];
            if (c == QLatin1Char('\\')) {
                m_i += 2;
            } else if (c == QLatin1Char('\'')) {
                if (peek(1) != QLatin1Char('\''))
                    return m_s.mid(start, ++m_i - start);
                m_i += 2;
            } else {
                ++m_i;
            }
        }
        throw DbError(QStringLiteral("The statement has a text literal opened with E' that is never closed."));
    }

    // $$ or $tag$ opening a PostgreSQL dollar-quoted text: its length, or 0.
    qsizetype dollarTagLength() const
    {
        qsizetype j = m_i + 1;
        if (j < m_s.size() && m_s[j].isDigit())
            return 0; // $1 is a parameter
        while (j < m_s.size() && (m_s[j].isLetterOrNumber() || m_s[j] == QLatin1Char('_')))
            ++j;
        return j < m_s.size() && m_s[j] == QLatin1Char('$') ? j - m_i + 1 : 0;
    }

    QString readDollarQuoted()
    {
        const qsizetype start = m_i;
        const QString tag = m_s.mid(m_i, dollarTagLength());
        const qsizetype end = m_s.indexOf(tag, m_i + tag.size());
        if (end < 0)
            throw DbError(QStringLiteral("The statement has a text opened with %1 that is never closed.").arg(tag));
        m_i = end + tag.size();
        return m_s.mid(start, m_i - start);
    }

    QString readNumber()
    {
        const qsizetype start = m_i;
        while (m_i < m_s.size() && (m_s[m_i].isDigit() || m_s[m_i] == QLatin1Char('.')))
            ++m_i;
        if (m_i < m_s.size() && (m_s[m_i] == QLatin1Char('e') || m_s[m_i] == QLatin1Char('E'))) {
            qsizetype j = m_i + 1;
            if (j < m_s.size() && (m_s[j] == QLatin1Char('+') || m_s[j] == QLatin1Char('-')))
                ++j;
            if (j < m_s.size() && m_s[j].isDigit()) {
                m_i = j;
                while (m_i < m_s.size() && m_s[m_i].isDigit())
                    ++m_i;
            }
        }
        return m_s.mid(start, m_i - start);
    }

    Part readPart()
    {
        Part p;
        const QChar c = m_s[m_i];
        if (c == QLatin1Char('[')) {
            const QString raw = readQuoted(QLatin1Char(']'), QStringLiteral("name"));
            p.text = raw.mid(1, raw.size() - 2).replace(QLatin1String("]]"), QLatin1String("]"));
            p.bracketed = true;
        } else if (c == QLatin1Char('"')) {
            const QString raw = readQuoted(QLatin1Char('"'), QStringLiteral("quoted name"));
            p.text = raw;
            p.quoted = true;
        } else if (c == QLatin1Char('*')) {
            ++m_i;
            p.text = QStringLiteral("*");
        } else {
            const qsizetype start = m_i;
            while (m_i < m_s.size() && isWordChar(m_s[m_i], m_dialect))
                ++m_i;
            p.text = m_s.mid(start, m_i - start);
        }
        return p;
    }

    Token readName()
    {
        Token t{Kind::Name, {}, {}};
        t.parts.push_back(readPart());
        // a.b.c, [a].b, t.* - a dot directly followed by another part.
        while (m_i + 1 < m_s.size() && m_s[m_i] == QLatin1Char('.')) {
            const QChar next = m_s[m_i + 1];
            if (!(isWordStart(next, m_dialect) || next.isDigit() || next == QLatin1Char('[') || next == QLatin1Char('"')
                  || next == QLatin1Char('*')))
                break;
            ++m_i;
            t.parts.push_back(readPart());
        }
        return t;
    }

    const QString &m_s;
    Dialect m_dialect;
    qsizetype m_i = 0;
};

} // namespace

std::vector<Token> tokenize(const QString &statement, Dialect dialect)
{
    return Tokenizer(statement, dialect).run();
}

bool isWord(const Token &t, const char *word)
{
    return t.kind == Kind::Name && t.parts.size() == 1 && !t.parts[0].bracketed && !t.parts[0].quoted
        && t.parts[0].text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}
} // namespace data::sqltokens
