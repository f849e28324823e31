#include "core/version.h"

#include "bunline_build.h"
#include "data/schemaversion.h"

namespace core {

QString programVersion()
{
    return QStringLiteral(BUNLINE_VERSION);
}

QString buildCommit()
{
    return QStringLiteral(BUNLINE_COMMIT);
}

QString versionText(const QString &program)
{
    QString text = program + QLatin1Char(' ') + programVersion();
    if (!buildCommit().isEmpty())
        text += QStringLiteral(" (commit %1)").arg(buildCommit());
    return text + QStringLiteral(", database schema version %1").arg(data::kSchemaVersion);
}

} // namespace core
