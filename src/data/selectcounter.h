#pragma once

struct sqlite3;

namespace data {

class Database;

// Counts the SELECT statements a SQLite connection runs while it exists, as
// SQLite itself sees them; tests and benchmarks use it to hold screens to
// "one query per step". Does nothing on other backends.
class SelectCounter {
public:
    explicit SelectCounter(Database &db);
    ~SelectCounter();
    SelectCounter(const SelectCounter &) = delete;
    SelectCounter &operator=(const SelectCounter &) = delete;

    int count() const { return m_count; }

private:
    static int trace(unsigned, void *self, void *, void *sql);

    sqlite3 *m_handle = nullptr;
    int m_count = 0;
};

} // namespace data
