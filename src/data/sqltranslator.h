#pragma once

#include <QString>
#include <QStringList>

// Statements are written in the SQL Server dialect the screens quote; this turns
// them into what SQLite or PostgreSQL accepts. A tokenizer walks the text (string
// literals with doubled quotes, bracketed names, nested parentheses) so that only
// the constructs below change and everything else passes through untouched:
//
//   SELECT TOP n ...           -> ... LIMIT n at the end of that SELECT
//   ISNULL(a, b)               -> COALESCE(a, b)
//   a + 'x' + b                -> a || 'x' || b   (when an operand is text)
//   [Name]                     -> "Name" (SQLite) / "name" (PostgreSQL)
//   SELECT ... INTO t FROM ... -> CREATE TEMP TABLE t AS SELECT ... FROM ...
//   [QuorlanServer].QuorlanData.dbo.T -> <linked>.T
//   QuorlanDataLocal.dbo.T     -> T
//   ORDER BY x / x DESC        -> x NULLS FIRST / x DESC NULLS LAST (PostgreSQL)
//
// Text that ends inside a literal, a bracketed or quoted name or a comment is
// refused, as is nesting deeper than 1,000 parentheses (DbError).
namespace data {

enum class Dialect { SQLite, PostgreSQL };

struct TranslationOptions {
    Dialect dialect = Dialect::SQLite;
    // Qualifier of the central server's tables: the attached database (SQLite)
    // or the schema of foreign tables (PostgreSQL).
    QString linkedQualifier = QStringLiteral("quorlanserver");
};

QString translateStatement(const QString &statement, const TranslationOptions &options);

// What a SELECT reads, for writing rows back: the single table after FROM when
// the statement reads one table only (no join, no comma list, no grouping).
struct SelectSource {
    bool updatable = false;
    QString table;    // as written, e.g. "[User]" or "Orders"
    QString baseName; // the table's own name, e.g. "User" or "Orders"
};
SelectSource analyseSelect(const QString &statement);

// Refuses (DbError) text that holds no statement, or more than one: the
// database runs exactly the one statement each call names. The text is read as
// the given backend reads it.
void checkSingleStatement(const QString &statement, Dialect dialect = Dialect::SQLite);

// The first keyword of a statement, upper-cased ("SELECT", "INSERT", ...).
QString leadingKeyword(const QString &statement);

} // namespace data
