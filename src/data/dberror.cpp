#include "data/dberror.h"

namespace data {

static std::string composeWhat(const QString &message, const QString &statement, const QString &translated)
{
    QString text = message;
    if (!statement.isEmpty()) {
        text += QStringLiteral("\nStatement: ") + statement;
        if (!translated.isEmpty() && translated != statement)
            text += QStringLiteral("\nSent as: ") + translated;
    }
    // what() is a C string: a NUL would end the message there.
    text.replace(QChar(0), QLatin1String("\\x00"));
    return text.toStdString();
}

DbError::DbError(const QString &message, const QString &statement, const QString &translated)
    : std::runtime_error(composeWhat(message, statement, translated)), m_message(message), m_statement(statement),
      m_translated(translated)
{}

QString DbError::text() const
{
    return QString::fromStdString(what());
}

} // namespace data
