#pragma once

#include <QDate>

class QDateEdit;

namespace shell {

// A date picker of that control name: the calendar drops down, the date shows
// as the workstation's short date, and it starts on today.
QDateEdit *dateField(const char *name);

// A date field that may be empty: an empty (null) date shows as a blank field
// and stays null until the user picks or types a date. Its calendar then opens
// on today's month.
void allowEmptyDate(QDateEdit *field);
// Shows date, or a blank field for a null date (the field must allow it).
void setDateOrEmpty(QDateEdit *field, const QDate &date);
// The date shown, or a null date for a blank field.
QDate dateOrEmpty(const QDateEdit *field);

} // namespace shell
