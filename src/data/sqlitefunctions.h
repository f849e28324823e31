#pragma once

struct sqlite3;

namespace data {

// IsNumeric, Len and Replicate on a SQLite connection, meaning exactly what the
// PostgreSQL functions created with the schema mean. Registrations belong to
// one open connection and vanish when it closes.
void registerSqliteFunctions(sqlite3 *handle);

// The IsNumeric rule shared with the PostgreSQL function: optional blanks and
// sign, digits with at most one decimal point (at least one digit), optional
// blanks.
bool looksNumeric(const char *text, int length);

} // namespace data
