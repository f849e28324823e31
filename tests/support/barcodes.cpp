#include "support/barcodes.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace testsupport {

bool barcodeReaderAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty();
}

QStringList decodeBarcodes(const QImage &image)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.png"));
    if (!image.save(path))
        return {QStringLiteral("(the page could not be saved)")};
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), path});
    zbar.waitForFinished(60000);
    QStringList codes = QString::fromUtf8(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

} // namespace testsupport
