#include "data/sqltranslator.h"

#include "data/dberror.h"
#include "data/quoting.h"
#include "data/recordset.h"
#include "data/schema.h"
#include "data/sqltokens.h"

#include <QRegularExpression>
#include <map>
#include <optional>

#include <vector>

namespace data {
namespace {

using namespace sqltokens;

// A parenthesised group or a single token, so that each level of nesting is
// handled as one sequence.
struct Node {
    Token token;
    bool group = false;
    bool closed = false;
    std::vector<Node> children;
    bool textValued = false; // a group whose content is a text expression
    bool dropped = false;    // taken out by a rewrite (TOP n)
    QString suffix;          // written after the node (NULLS FIRST)
    QString prefix;          // written before the node (CAST()
};

// Deeper nesting than any statement of the system needs; it bounds the
// recursion below, so that hostile text cannot exhaust the stack.
constexpr int kMaxNesting = 1000;

std::vector<Node> buildTree(const std::vector<Token> &tokens, size_t &i, int depth)
{
    if (depth > kMaxNesting)
        throw DbError(QStringLiteral("The statement nests parentheses more than %1 deep.").arg(kMaxNesting));
    std::vector<Node> seq;
    while (i < tokens.size()) {
        const Token &t = tokens[i];
        if (t.kind == Kind::Open) {
            ++i;
            Node g{t, true, false, {}, false, false, {}, {}};
            g.children = buildTree(tokens, i, depth + 1);
            if (i < tokens.size() && tokens[i].kind == Kind::Close) {
                g.closed = true;
                ++i;
            }
            seq.push_back(std::move(g));
        } else if (t.kind == Kind::Close) {
            if (depth > 0)
                return seq;
            seq.push_back(Node{t, false, false, {}, false, false, {}, {}}); // unbalanced: keep as is
            ++i;
        } else {
            seq.push_back(Node{t, false, false, {}, false, false, {}, {}});
            ++i;
        }
    }
    return seq;
}

bool significant(const Node &n)
{
    return !n.dropped && (n.group || (n.token.kind != Kind::Space && n.token.kind != Kind::Comment));
}

bool isPunct(const Node &n, const char *text)
{
    return !n.group && n.token.kind == Kind::Punct && n.token.text == QLatin1String(text);
}

class Translator {
public:
    explicit Translator(const TranslationOptions &o) : m_o(o) {}

    // Returns whether the sequence holds a text concatenation.
    bool process(std::vector<Node> &seq, bool topLevel)
    {
        for (Node &n : seq)
            if (n.group) {
                const bool madeText = process(n.children, false);
                n.textValued = madeText || isSingleText(n.children);
            }
        renameIsNull(seq);
        const bool madeText = concatenation(seq);
        dateLiterals(seq);
        if (m_o.dialect == Dialect::PostgreSQL) {
            caseInsensitiveComparisons(seq);
            nullsInOrder(seq);
        }
        top(seq);
        if (topLevel)
            selectInto(seq);
        return madeText;
    }

    QString render(const std::vector<Node> &seq) const
    {
        QString out;
        render(seq, out);
        return out;
    }

    void render(const std::vector<Node> &seq, QString &out) const
    {
        for (const Node &n : seq) {
            if (n.dropped)
                continue;
            out += n.prefix;
            if (n.group) {
                out += QLatin1Char('(');
                render(n.children, out);
                if (n.closed)
                    out += QLatin1Char(')');
            } else {
                out += renderToken(n.token);
            }
            out += n.suffix;
        }
    }

    QString prefix; // text placed before the whole statement (SELECT ... INTO)

private:
    // A sequence of one text operand: a literal, a text column, a text
    // function or a parenthesised text expression.
    bool isSingleText(const std::vector<Node> &seq) const
    {
        const std::vector<Unit> units = unitsOf(seq);
        return units.size() == 1 && units[0].text;
    }

    QString renderPart(const Part &p) const
    {
        if (p.bracketed) {
            QString name = p.text;
            if (m_o.dialect == Dialect::PostgreSQL)
                name = name.toLower();
            name.replace(QLatin1Char('"'), QLatin1String("\"\""));
            return QLatin1Char('"') + name + QLatin1Char('"');
        }
        return p.text;
    }

    static bool partIs(const Part &p, const char *name)
    {
        return p.text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    }

    QString renderToken(const Token &t) const
    {
        if (t.kind != Kind::Name)
            return t.text;
        size_t first = 0;
        QString out;
        if (t.parts.size() >= 4 && partIs(t.parts[0], "QuorlanServer")) {
            out = m_o.linkedQualifier;
            first = 3;
        } else if (t.parts.size() >= 3 && partIs(t.parts[0], "QuorlanDataLocal") && partIs(t.parts[1], "dbo")) {
            first = 2;
        }
        for (size_t k = first; k < t.parts.size(); ++k) {
            if (!out.isEmpty())
                out += QLatin1Char('.');
            out += renderPart(t.parts[k]);
        }
        return out;
    }

    static int nextSignificant(const std::vector<Node> &seq, int from)
    {
        for (int k = from; k < int(seq.size()); ++k)
            if (significant(seq[k]))
                return k;
        return -1;
    }

    // Units: significant nodes, with a function name and its argument group
    // taken together; text says the unit is a text value.
    struct Unit {
        int first;
        int last;
        bool plus;
        bool text;
    };

    std::vector<Unit> unitsOf(const std::vector<Node> &seq) const
    {
        std::vector<Unit> units;
        for (int k = 0; k < int(seq.size()); ++k) {
            if (!significant(seq[k]))
                continue;
            const Node &n = seq[k];
            if (!n.group && n.token.kind == Kind::Punct && n.token.text == QLatin1String("+")) {
                units.push_back({k, k, true, false});
                continue;
            }
            if (!n.group && n.token.kind == Kind::Name) {
                const int next = nextSignificant(seq, k + 1);
                if (next >= 0 && seq[next].group && next == k + 1) {
                    units.push_back({k, next, false, isTextFunction(n.token, seq[next])});
                    k = next;
                    continue;
                }
            }
            const bool text = (!n.group && n.token.kind == Kind::String) || (n.group && n.textValued)
                || (!n.group && n.token.kind == Kind::Name && columnType(n.token) == ColumnType::Text);
            units.push_back({k, k, false, text});
        }
        return units;
    }

    // Functions whose value is text: those of text, and those that pass on an
    // argument (ISNULL, MAX...) when one of their arguments is text.
    bool isTextFunction(const Token &name, const Node &arguments) const
    {
        if (name.parts.size() != 1 || name.parts[0].bracketed || name.parts[0].quoted)
            return false;
        static const QStringList textFunctions = {
            QStringLiteral("UPPER"),   QStringLiteral("LOWER"),     QStringLiteral("LTRIM"),
            QStringLiteral("RTRIM"),   QStringLiteral("TRIM"),      QStringLiteral("LEFT"),
            QStringLiteral("RIGHT"),   QStringLiteral("SUBSTRING"), QStringLiteral("SUBSTR"),
            QStringLiteral("REPLACE"), QStringLiteral("REPLICATE"), QStringLiteral("SPACE"),
            QStringLiteral("CHAR"),    QStringLiteral("STR")};
        static const QStringList passing = {QStringLiteral("ISNULL"), QStringLiteral("COALESCE"),
                                            QStringLiteral("NULLIF"), QStringLiteral("MAX"), QStringLiteral("MIN")};
        const QString fn = name.parts[0].text.toUpper();
        if (textFunctions.contains(fn))
            return true;
        if (fn == QLatin1String("CAST") || fn == QLatin1String("CONVERT")) {
            static const QRegularExpression textType(
                QStringLiteral(R"(\b(N?VARCHAR|N?CHAR|N?TEXT|CITEXT|CHARACTER)\b)"),
                QRegularExpression::CaseInsensitiveOption);
            return textType.match(render(arguments.children)).hasMatch();
        }
        if (!passing.contains(fn))
            return false;
        // Any argument, between the commas at the top level, that is text.
        std::vector<Node> argument;
        const auto argumentIsText = [&] {
            const std::vector<Unit> units = unitsOf(argument);
            return std::any_of(units.begin(), units.end(), [](const Unit &u) { return u.text; })
                || std::any_of(argument.begin(), argument.end(), [](const Node &n) { return isPunct(n, "||"); });
        };
        for (const Node &n : arguments.children) {
            if (isPunct(n, ",")) {
                if (argumentIsText())
                    return true;
                argument.clear();
            } else {
                argument.push_back(n);
            }
        }
        return argumentIsText();
    }

    // The tables a statement reads or writes, by name and by alias, so that
    // a column's type is known (every column of the system is in the schema).
    void collectTables(const std::vector<Node> &seq)
    {
        static const QStringList notAliases = {
            QStringLiteral("WHERE"), QStringLiteral("JOIN"),   QStringLiteral("INNER"),  QStringLiteral("LEFT"),
            QStringLiteral("RIGHT"), QStringLiteral("OUTER"),  QStringLiteral("FULL"),   QStringLiteral("CROSS"),
            QStringLiteral("ON"),    QStringLiteral("GROUP"),  QStringLiteral("ORDER"),  QStringLiteral("SET"),
            QStringLiteral("UNION"), QStringLiteral("HAVING"), QStringLiteral("VALUES"), QStringLiteral("SELECT"),
            QStringLiteral("LIMIT"), QStringLiteral("AS"),     QStringLiteral("USING"),  QStringLiteral("EXCEPT")};
        for (int k = 0; k < int(seq.size()); ++k) {
            const Node &n = seq[k];
            if (n.group) {
                collectTables(n.children);
                continue;
            }
            if (!(isWord(n.token, "FROM") || isWord(n.token, "JOIN") || isWord(n.token, "UPDATE")
                  || isWord(n.token, "INTO")))
                continue;
            int t = nextSignificant(seq, k + 1);
            while (t >= 0 && !seq[t].group && seq[t].token.kind == Kind::Name) {
                const Table *table = findTable(seq[t].token.parts.back().text);
                if (!table)
                    break;
                m_tables.push_back(table);
                m_aliases[table->name.toLower()] = table;
                int next = nextSignificant(seq, t + 1);
                if (next >= 0 && !seq[next].group && isWord(seq[next].token, "AS"))
                    next = nextSignificant(seq, next + 1);
                if (next >= 0 && !seq[next].group && seq[next].token.kind == Kind::Name
                    && seq[next].token.parts.size() == 1
                    && !notAliases.contains(seq[next].token.parts[0].text.toUpper())) {
                    m_aliases[seq[next].token.parts[0].text.toLower()] = table;
                    next = nextSignificant(seq, next + 1);
                }
                if (next < 0 || !isPunct(seq[next], ","))
                    break;
                t = nextSignificant(seq, next + 1);
            }
        }
    }

    // The schema type of a column named in the statement; none when the name
    // is no column of the tables it reads, or of several types among them.
    std::optional<ColumnType> columnType(const Token &t) const
    {
        if (t.kind != Kind::Name || t.parts.empty() || t.parts.back().quoted
            || t.parts.back().text == QLatin1String("*"))
            return std::nullopt;
        const QString column = t.parts.back().text;
        if (t.parts.size() >= 2) {
            const auto table = m_aliases.find(t.parts[t.parts.size() - 2].text.toLower());
            if (table == m_aliases.end())
                return std::nullopt;
            const Column *c = table->second->column(column);
            return c ? std::optional<ColumnType>(c->type) : std::nullopt;
        }
        std::optional<ColumnType> type;
        for (const Table *table : m_tables)
            if (const Column *c = table->column(column)) {
                if (type && *type != c->type)
                    return std::nullopt;
                type = c->type;
            }
        return type;
    }

    static bool isComparison(const Node &n)
    {
        return isPunct(n, "=") || isPunct(n, "<>") || isPunct(n, "!=") || isPunct(n, "<") || isPunct(n, ">")
            || isPunct(n, "<=") || isPunct(n, ">=");
    }

    // A date typed in the short form ('12/08/2026') and compared with a date
    // column is written as the ISO date the column holds, so that SQLite,
    // which compares dates as text, finds what PostgreSQL finds.
    void dateLiterals(std::vector<Node> &seq)
    {
        static const QRegularExpression iso(QStringLiteral(R"(^'\d{4}-\d{2}-\d{2}( \d{2}:\d{2}:\d{2})?'$)"));
        const auto convert = [&](int at) {
            if (at < 0 || seq[at].group || seq[at].token.kind != Kind::String
                || !seq[at].token.text.startsWith(QLatin1Char('\'')) || iso.match(seq[at].token.text).hasMatch())
                return;
            const QString raw = seq[at].token.text;
            const QString value = raw.mid(1, raw.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
            const QDateTime when = toDateTime(value);
            if (when.isValid())
                seq[at].token.text = sqlDateTime(when);
        };
        for (int k = 0; k < int(seq.size()); ++k) {
            if (seq[k].group || columnType(seq[k].token) != ColumnType::Date)
                continue;
            const int op = nextSignificant(seq, k + 1);
            if (op < 0)
                continue;
            if (isComparison(seq[op])) {
                convert(nextSignificant(seq, op + 1));
            } else if (!seq[op].group && isWord(seq[op].token, "BETWEEN")) {
                const int low = nextSignificant(seq, op + 1);
                convert(low);
                const int andWord = low < 0 ? -1 : nextSignificant(seq, low + 1);
                if (andWord >= 0 && !seq[andWord].group && isWord(seq[andWord].token, "AND"))
                    convert(nextSignificant(seq, andWord + 1));
            }
            // 'date' op column
            int before = k - 1;
            while (before >= 0 && !significant(seq[before]))
                --before;
            if (before >= 0 && isComparison(seq[before])) {
                int value = before - 1;
                while (value >= 0 && !significant(seq[value]))
                    --value;
                convert(value);
            }
        }
    }

    // PostgreSQL compares a case-insensitive (citext) column with computed
    // text as plain text, case and all; the computed side is cast to the
    // column's type, so that it compares as the column does.
    void caseInsensitiveComparisons(std::vector<Node> &seq)
    {
        const std::vector<Unit> units = unitsOf(seq);
        const auto computed = [&](const Unit &u) {
            return (u.first != u.last) || (seq[u.first].group && seq[u.first].textValued);
        };
        for (size_t i = 0; i < units.size(); ++i) {
            const Unit &u = units[i];
            if (u.first != u.last || seq[u.first].group || columnType(seq[u.first].token) != ColumnType::Text)
                continue;
            // column op computed [|| more]
            if (i + 2 < units.size() && isComparison(seq[units[i + 1].first])) {
                size_t last = i + 2;
                bool isComputed = computed(units[last]);
                while (last + 2 < units.size() && isPunct(seq[units[last + 1].first], "||")) {
                    last += 2;
                    isComputed = true;
                }
                if (isComputed) {
                    seq[units[i + 2].first].prefix += QStringLiteral("CAST(");
                    seq[units[last].last].suffix += QStringLiteral(" AS citext)");
                }
            }
            // computed op column
            if (i >= 2 && isComparison(seq[units[i - 1].first]) && computed(units[i - 2])
                && (i < 3 || !isPunct(seq[units[i - 3].first], "||"))) {
                seq[units[i - 2].first].prefix += QStringLiteral("CAST(");
                seq[units[i - 2].last].suffix += QStringLiteral(" AS citext)");
            }
        }
    }

    void renameIsNull(std::vector<Node> &seq)
    {
        for (size_t k = 0; k + 1 < seq.size(); ++k) {
            if (!seq[k].group && isWord(seq[k].token, "ISNULL")) {
                const int next = nextSignificant(seq, int(k) + 1);
                if (next >= 0 && seq[next].group)
                    seq[k].token.parts[0].text = QStringLiteral("COALESCE");
            }
        }
    }

    // A chain a + b + c becomes a || b || c when one of its operands is text:
    // a string literal, Replicate(...), or a parenthesised text expression.
    bool concatenation(std::vector<Node> &seq)
    {
        bool madeText = false;
        const std::vector<Unit> units = unitsOf(seq);
        size_t u = 0;
        while (u < units.size()) {
            // A chain starts at an operand followed by "+" and another operand.
            if (units[u].plus) {
                ++u;
                continue;
            }
            size_t end = u;
            bool anyText = units[u].text;
            while (end + 2 < units.size() && units[end + 1].plus && !units[end + 2].plus) {
                end += 2;
                anyText = anyText || units[end].text;
            }
            if (end > u && anyText) {
                for (size_t p = u + 1; p < end; p += 2)
                    seq[units[p].first].token.text = QStringLiteral("||");
                madeText = true;
            }
            u = end + 1;
        }
        return madeText;
    }

    // ORDER BY on PostgreSQL: NULL is the lowest value, as on SQLite and the
    // server the statements were written for, so ascending items put it first
    // and descending ones last.
    void nullsInOrder(std::vector<Node> &seq)
    {
        for (int k = 0; k < int(seq.size()); ++k) {
            if (seq[k].group || !isWord(seq[k].token, "ORDER"))
                continue;
            const int by = nextSignificant(seq, k + 1);
            if (by < 0 || seq[by].group || !isWord(seq[by].token, "BY"))
                continue;
            int last = -1; // last significant node of the current item
            bool descending = false;
            bool hasNulls = false;
            auto closeItem = [&] {
                if (last >= 0 && !hasNulls)
                    seq[last].suffix += descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
                last = -1;
                descending = hasNulls = false;
            };
            int j = by + 1;
            for (; j < int(seq.size()); ++j) {
                const Node &n = seq[j];
                if (!significant(n))
                    continue;
                if (isPunct(n, ",")) {
                    closeItem();
                    continue;
                }
                if (isPunct(n, ";") || (!n.group && n.token.kind == Kind::Close)
                    || (!n.group
                        && (isWord(n.token, "LIMIT") || isWord(n.token, "OFFSET") || isWord(n.token, "FETCH")
                            || isWord(n.token, "FOR") || isWord(n.token, "UNION"))))
                    break;
                if (!n.group && isWord(n.token, "NULLS"))
                    hasNulls = true;
                descending = !n.group && isWord(n.token, "DESC");
                last = j;
            }
            closeItem();
            k = j;
        }
    }

    // TOP n leaves its place and becomes LIMIT n at the end of its SELECT.
    // Nodes are marked dropped rather than erased, and the LIMITs of one
    // sequence are placed in one pass, so that the work stays linear however
    // many SELECTs a sequence holds.
    void top(std::vector<Node> &seq)
    {
        QString limits;
        for (int k = 0; k < int(seq.size()); ++k) {
            if (seq[k].group || seq[k].dropped || !isWord(seq[k].token, "SELECT"))
                continue;
            int t = nextSignificant(seq, k + 1);
            if (t >= 0 && !seq[t].group && (isWord(seq[t].token, "DISTINCT") || isWord(seq[t].token, "ALL")))
                t = nextSignificant(seq, t + 1);
            if (t < 0 || seq[t].group || !isWord(seq[t].token, "TOP"))
                continue;
            const int n = nextSignificant(seq, t + 1);
            if (n < 0)
                continue;
            QString count;
            if (!seq[n].group && seq[n].token.kind == Kind::Number)
                count = seq[n].token.text;
            else if (seq[n].group)
                count = render(seq[n].children).trimmed();
            else
                continue;
            // Drop "TOP n" and the blanks after it.
            int stop = n + 1;
            while (stop < int(seq.size()) && !significant(seq[stop]))
                ++stop;
            for (int d = t; d < stop; ++d)
                seq[d].dropped = true;
            limits += QStringLiteral(" LIMIT ") + count;
            k = stop - 1;
        }
        if (limits.isEmpty())
            return;
        // LIMIT goes at the end of this SELECT: before trailing blanks and ";".
        int at = int(seq.size());
        while (at > 0 && (!significant(seq[at - 1]) || isPunct(seq[at - 1], ";")))
            --at;
        Node limit;
        limit.token = Token{Kind::Punct, limits, {}};
        seq.insert(seq.begin() + at, limit);
    }

    void selectInto(std::vector<Node> &seq)
    {
        const int first = nextSignificant(seq, 0);
        if (first < 0 || seq[first].group || !isWord(seq[first].token, "SELECT"))
            return;
        for (int k = first + 1; k < int(seq.size()); ++k) {
            if (seq[k].group || !isWord(seq[k].token, "INTO"))
                continue;
            const int name = nextSignificant(seq, k + 1);
            if (name < 0 || seq[name].group || seq[name].token.kind != Kind::Name)
                return;
            prefix = QStringLiteral("CREATE TEMP TABLE ") + renderToken(seq[name].token) + QStringLiteral(" AS ");
            // Remove the blanks before INTO, INTO, and the name; keep what follows.
            int from = k;
            while (from > 0 && !significant(seq[from - 1]))
                --from;
            seq.erase(seq.begin() + from, seq.begin() + name + 1);
            return;
        }
    }

    TranslationOptions m_o;
    std::vector<const Table *> m_tables;
    std::map<QString, const Table *> m_aliases;

public:
    void readTables(const std::vector<Node> &seq) { collectTables(seq); }
};

} // namespace

QString translateStatement(const QString &statement, const TranslationOptions &options)
{
    const std::vector<Token> tokens = tokenize(statement, options.dialect);
    size_t i = 0;
    std::vector<Node> tree = buildTree(tokens, i, 0);
    Translator t(options);
    t.readTables(tree);
    t.process(tree, true);
    return t.prefix + t.render(tree);
}

SelectSource analyseSelect(const QString &statement)
{
    SelectSource source;
    const std::vector<Token> tokens = tokenize(statement);
    size_t i = 0;
    const std::vector<Node> seq = buildTree(tokens, i, 0);
    std::vector<const Node *> sig;
    for (const Node &n : seq)
        if (significant(n))
            sig.push_back(&n);
    if (sig.empty() || sig[0]->group || !isWord(sig[0]->token, "SELECT"))
        return source;
    size_t from = 0;
    for (size_t k = 1; k < sig.size(); ++k)
        if (!sig[k]->group && isWord(sig[k]->token, "FROM")) {
            from = k;
            break;
        }
    if (from == 0 || from + 1 >= sig.size())
        return source;
    const Node *table = sig[from + 1];
    if (table->group || table->token.kind != Kind::Name)
        return source;
    if (from + 2 < sig.size()) {
        const Node *after = sig[from + 2];
        const bool ends = !after->group
            && (isWord(after->token, "WHERE") || isWord(after->token, "ORDER")
                || (after->token.kind == Kind::Punct && after->token.text == QLatin1String(";")));
        if (!ends)
            return source;
    }
    for (const Node *n : sig)
        if (!n->group && (isWord(n->token, "GROUP") || isWord(n->token, "DISTINCT") || isWord(n->token, "UNION")))
            return source;
    QStringList written;
    for (const Part &p : table->token.parts)
        written << (p.bracketed ? QLatin1Char('[') + p.text + QLatin1Char(']') : p.text);
    source.updatable = true;
    source.table = written.join(QLatin1Char('.'));
    source.baseName = table->token.parts.back().text;
    if (table->token.parts.back().quoted)
        source.baseName = source.baseName.mid(1, source.baseName.size() - 2);
    return source;
}

void checkSingleStatement(const QString &statement, Dialect dialect)
{
    // The drivers pass statements on as C strings: a NUL would cut the
    // statement short, and the part before it might still run.
    if (statement.contains(QChar(0)))
        throw DbError(QStringLiteral("The statement holds a NUL character."));
    bool any = false;
    bool ended = false;
    // A trigger's body holds statements of its own between BEGIN and END
    // (CASE ... END nests inside it); only a semicolon outside them ends the
    // statement. BEGIN counts only in CREATE ... TRIGGER, so "BEGIN; DELETE"
    // is still two statements.
    bool createStatement = false;
    bool trigger = false;
    int depth = 0;
    for (const Token &t : tokenize(statement, dialect)) {
        if (t.kind == Kind::Space || t.kind == Kind::Comment)
            continue;
        if (t.kind == Kind::Punct && t.text == QLatin1String(";")) {
            if (depth == 0)
                ended = any;
            continue;
        }
        if (ended)
            throw DbError(QStringLiteral("Only one statement may be run at a time; this text holds more than one."));
        if (!any)
            createStatement = isWord(t, "CREATE");
        else if (createStatement && isWord(t, "TRIGGER"))
            trigger = true;
        else if (trigger && (isWord(t, "BEGIN") || (depth > 0 && isWord(t, "CASE"))))
            ++depth;
        else if (trigger && depth > 0 && isWord(t, "END"))
            --depth;
        any = true;
    }
    if (!any)
        throw DbError(QStringLiteral("The statement is empty."));
}

QString leadingKeyword(const QString &statement)
{
    for (const Token &t : tokenize(statement)) {
        if (t.kind == Kind::Space || t.kind == Kind::Comment || t.kind == Kind::Open)
            continue;
        return t.kind == Kind::Name ? t.parts[0].text.toUpper() : QString();
    }
    return {};
}

} // namespace data
