#pragma once

#include <QString>

namespace core {

// The release, from the build's project version ("1.0").
QString programVersion();
// The git commit the programs were built from ("8d73f2c0ab", with
// "-modified" for uncommitted changes); empty outside a checkout.
QString buildCommit();
// "<program> 1.0 (commit 8d73f2c0ab), database schema version 2"
QString versionText(const QString &program);

} // namespace core
