#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// A statement the database refused, or a connection that could not be made.
// Carries the database's own message and, for statements, both the statement as
// the program wrote it and as it was sent after translation, so that a message
// box or a log line tells the whole story.
class DbError : public std::runtime_error {
public:
    DbError(const QString &message, const QString &statement = {}, const QString &translated = {});

    const QString &message() const { return m_message; }
    const QString &statement() const { return m_statement; }
    const QString &translated() const { return m_translated; }
    // The message with the statements, for display.
    QString text() const;

private:
    QString m_message;
    QString m_statement;
    QString m_translated;
};

} // namespace data
