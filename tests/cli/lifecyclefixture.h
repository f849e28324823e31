#pragma once

// What the upgrade and backup tests share: a database of the first release's
// schema, and the shape of a schema to compare two databases by.

#include "data/database.h"
#include "data/quoting.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace lifecycle {

// Fills an empty database with the schema, reference rows and administrator
// that init-db of the first release made (tests/fixtures/schema-v1.*.sql).
inline void loadVersion1(data::Database &db)
{
    const bool sqlite = db.dialect() == data::Dialect::SQLite;
    data::Transaction tx(db);
    for (const QString &name :
         {sqlite ? QStringLiteral("sqlite") : QStringLiteral("postgresql"), QStringLiteral("rows")}) {
        QFile file(QStringLiteral(BUNLINE_SOURCE_DIR "/tests/fixtures/schema-v1.%1.sql").arg(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        QString text;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
            if (!line.startsWith(QLatin1String("--")))
                text += line + QLatin1Char('\n');
        for (const QString &statement : text.split(QStringLiteral(";\n"), Qt::SkipEmptyParts))
            if (!statement.trimmed().isEmpty())
                db.executeNative(statement.trimmed());
    }
    tx.commit();
}

// Every table with its columns and types, and every index with its
// definition, as the database describes them: equal for two databases of
// one schema however each came to it.
inline QStringList schemaShape(data::Database &db)
{
    QStringList shape;
    if (db.dialect() == data::Dialect::SQLite) {
        const data::Recordset rs = db.queryNative(QStringLiteral(
            "SELECT type || ' ' || name || ': ' || sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"));
        for (const auto &row : rs.rows())
            shape << row[0].toString();
        return shape;
    }
    const QString schema = db.queryNative(QStringLiteral("SELECT current_schema()")).value(0).toString();
    const data::Recordset columns = db.queryNative(
        QStringLiteral("SELECT table_name || '.' || column_name || ' ' || data_type || ' ' || is_identity FROM "
                       "information_schema.columns WHERE table_schema = %1 ORDER BY table_name, ordinal_position")
            .arg(data::sqlText(schema)));
    for (const auto &row : columns.rows())
        shape << row[0].toString();
    const data::Recordset indexes = db.queryNative(
        QStringLiteral("SELECT replace(indexdef, %1, '') FROM pg_indexes WHERE schemaname = %2 ORDER BY indexname")
            .arg(data::sqlText(schema + QLatin1Char('.')), data::sqlText(schema)));
    for (const auto &row : indexes.rows())
        shape << row[0].toString();
    return shape;
}

} // namespace lifecycle
