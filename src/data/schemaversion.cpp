#include "data/schemaversion.h"

#include "data/backup.h"
#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"

namespace data {

namespace {

QString versionTableDdl(Dialect dialect)
{
    return dialect == Dialect::PostgreSQL
        ? QStringLiteral("CREATE TABLE \"schemaversion\" (\"version\" integer NOT NULL)")
        : QStringLiteral("CREATE TABLE \"SchemaVersion\" (\"Version\" INTEGER NOT NULL)");
}

// One step from version `from` to from + 1. blockers() lists the rows that
// keep the step from applying; apply() changes the schema. Both run inside
// the step's transaction, so a step sees what the steps before it left.
struct Step {
    int from;
    const char *what;
    QStringList (*blockers)(Database &db);
    void (*apply)(Database &db);
};

// Two styles of one customer whose name and type differ only in case (or not
// at all) cannot both stay under the unique style index. Pairs with an empty
// column are left alone: the index lets those through, as the database does.
QStringList styleDuplicates(Database &db)
{
    const Recordset rs = db.query(QStringLiteral(
        "SELECT a.ID AS ID, a.Customer AS Customer, a.Name AS Name, a.Type AS Type FROM Style a WHERE EXISTS "
        "(SELECT 1 FROM Style b WHERE b.Customer = a.Customer AND b.Name = a.Name AND b.Type = a.Type "
        "AND b.ID <> a.ID) ORDER BY a.Customer, a.Name, a.Type, a.ID"));
    QStringList rows;
    for (const auto &row : rs.rows())
        rows << QStringLiteral("Style ID %1: customer \"%2\", name \"%3\", type \"%4\"")
                    .arg(row[0].toString(), row[1].toString(), row[2].toString(), row[3].toString());
    return rows;
}

// Version 2: one style per customer, name and type (without regard to case);
// orders indexed by customer and number for the navigator; the version row.
void toVersion2(Database &db)
{
    const Dialect d = db.dialect();
    db.executeNative(QStringLiteral("DROP INDEX IF EXISTS ix_style_1"));
    db.executeNative(createIndexStatement(QStringLiteral("Style"), 1,
                                          {QStringLiteral("Customer"), QStringLiteral("Name"), QStringLiteral("Type")},
                                          true, d));
    db.executeNative(QStringLiteral("DROP INDEX IF EXISTS ix_orders_1"));
    db.executeNative(createIndexStatement(QStringLiteral("Orders"), 1,
                                          {QStringLiteral("Customer"), QStringLiteral("OrderNumber")}, false, d));
}

const Step kSteps[] = {
    {1, "one style per customer, name and type; orders indexed by customer and order number", styleDuplicates,
     toVersion2},
};
static_assert(sizeof(kSteps) / sizeof(kSteps[0]) == kSchemaVersion - 1, "one step per version after the first");

// Two administrators upgrading at once: the second waits, then finds the
// version the first one wrote. (SQLite's write lock already does this.)
void lockUpgrade(Database &db)
{
    if (db.dialect() == Dialect::PostgreSQL)
        db.queryNative(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('bunline.upgrade-db'))"));
}

} // namespace

int schemaVersion(Database &db)
{
    if (!hasSchema(db))
        return 0;
    if (!db.tableExists(QStringLiteral("SchemaVersion")))
        return 1;
    const Recordset rs = db.query(QStringLiteral("SELECT MAX(Version) AS Version FROM SchemaVersion"));
    // The table and its row are written in one transaction: only a hand edit
    // leaves the table empty.
    if (rs.isEmpty() || rs.value(0).isNull())
        throw SchemaVersionError(QStringLiteral("The database's SchemaVersion table holds no row; it should hold "
                                                "the schema version (%1 for this program).")
                                     .arg(kSchemaVersion),
                                 0);
    return rs.value(0).toInt();
}

void writeSchemaVersion(Database &db, int version)
{
    if (!db.tableExists(QStringLiteral("SchemaVersion")))
        db.executeNative(versionTableDdl(db.dialect()));
    db.execute(QStringLiteral("DELETE FROM SchemaVersion"));
    db.execute(QStringLiteral("INSERT INTO SchemaVersion (Version) VALUES (%1)").arg(sqlNumber(version)));
}

QString schemaVersionMessage(int found)
{
    if (found > kSchemaVersion)
        return QStringLiteral("The database is of schema version %1, newer than this program's version %2; "
                              "install the Bunline release that made it.")
            .arg(found)
            .arg(kSchemaVersion);
    return QStringLiteral("The database is of schema version %1 and this program needs version %2. "
                          "Run bunlinectl upgrade-db.")
        .arg(found)
        .arg(kSchemaVersion);
}

void checkSchemaVersion(Database &db, OlderSchema older)
{
    const int found = schemaVersion(db);
    if (found == 0 || found == kSchemaVersion)
        return;
    if (found > kSchemaVersion || older == OlderSchema::Refuse)
        throw SchemaVersionError(schemaVersionMessage(found), found);
}

UpgradeReport upgradeSchema(Database &db)
{
    UpgradeReport report;
    report.from = report.to = schemaVersion(db);
    if (report.from == 0)
        throw DbError(QStringLiteral("The database holds no Bunline tables; run bunlinectl init-db instead."));
    if (report.from > kSchemaVersion)
        throw SchemaVersionError(schemaVersionMessage(report.from), report.from);
    for (const Step &step : kSteps) {
        Transaction tx(db);
        lockUpgrade(db);
        // Read again under the lock: another upgrade may have run meanwhile.
        const int now = schemaVersion(db);
        if (now != step.from)
            continue;
        const QStringList blocked = step.blockers(db);
        if (!blocked.isEmpty())
            throw UpgradeBlocked(QStringLiteral("The upgrade to schema version %1 (%2) cannot apply to %3 row(s); "
                                                "fix them and run upgrade-db again. This step changed nothing.")
                                     .arg(step.from + 1)
                                     .arg(QString::fromLatin1(step.what))
                                     .arg(blocked.size()),
                                 blocked);
        if (report.backupFile.isEmpty() && db.dialect() == Dialect::SQLite)
            report.backupFile = backupBeside(db, now);
        step.apply(db);
        writeSchemaVersion(db, step.from + 1);
        tx.commit();
        report.to = step.from + 1;
        report.steps
            << QStringLiteral("%1 -> %2: %3").arg(step.from).arg(step.from + 1).arg(QString::fromLatin1(step.what));
    }
    return report;
}

} // namespace data
