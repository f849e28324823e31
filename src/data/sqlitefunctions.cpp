#include "data/sqlitefunctions.h"

#include <sqlite3.h>
#include <string>

namespace data {

bool looksNumeric(const char *s, int n)
{
    int i = 0;
    auto blank = [&](int k) { return k < n && (s[k] == ' ' || s[k] == '\t' || s[k] == '\n' || s[k] == '\r'); };
    while (blank(i))
        ++i;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    while (blank(i))
        ++i;
    int digits = 0;
    int points = 0;
    while (i < n && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.')) {
        if (s[i] == '.')
            ++points;
        else
            ++digits;
        ++i;
    }
    while (blank(i))
        ++i;
    return i == n && digits > 0 && points <= 1;
}

namespace {

void isNumericFn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_int(ctx, 1);
        return;
    case SQLITE_NULL:
        sqlite3_result_int(ctx, 0);
        return;
    default: {
        const char *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        sqlite3_result_int(ctx, text && looksNumeric(text, sqlite3_value_bytes(argv[0])) ? 1 : 0);
    }
    }
}

// Length in characters, trailing blanks not counted.
void lenFn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const unsigned char *text = sqlite3_value_text(argv[0]);
    int bytes = sqlite3_value_bytes(argv[0]);
    while (bytes > 0 && text[bytes - 1] == ' ')
        --bytes;
    int chars = 0;
    for (int i = 0; i < bytes; ++i)
        if ((text[i] & 0xC0) != 0x80)
            ++chars;
    sqlite3_result_int(ctx, chars);
}

void replicateFn(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const sqlite3_int64 count = sqlite3_value_int64(argv[1]);
    if (count < 0) {
        sqlite3_result_null(ctx);
        return;
    }
    const char *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    if (count * bytes > 1000000) {
        sqlite3_result_error(ctx, "Replicate: result too long", -1);
        return;
    }
    std::string out;
    out.reserve(size_t(count * bytes));
    for (sqlite3_int64 k = 0; k < count; ++k)
        out.append(text, size_t(bytes));
    sqlite3_result_text(ctx, out.data(), int(out.size()), SQLITE_TRANSIENT);
}

} // namespace

void registerSqliteFunctions(sqlite3 *handle)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(handle, "IsNumeric", 1, flags, nullptr, isNumericFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(handle, "Len", 1, flags, nullptr, lenFn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(handle, "Replicate", 2, flags, nullptr, replicateFn, nullptr, nullptr, nullptr);
}

} // namespace data
