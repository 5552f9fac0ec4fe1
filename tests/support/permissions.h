#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace tivoral::testing {

// Whether file permissions stop this process; root keeps its capabilities only outside
// tests/support/unprivileged.
inline bool permissionsBind() {
    const QTemporaryDir folder;
    QFile probe(folder.filePath(QStringLiteral("probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.setPermissions({});
    return !probe.open(QIODevice::ReadOnly);
}

} // namespace tivoral::testing

// A test that needs file permissions to bind skips where they do not, except in CI: there it
// must run, so a skip would hide that it never did.
#define TIVORAL_REQUIRE_PERMISSIONS()                                                              \
    do {                                                                                           \
        if (!tivoral::testing::permissionsBind()) {                                                \
            if (qEnvironmentVariable("CI") == QLatin1String("true"))                               \
                QFAIL("File permissions do not stop this process; in CI they must.");              \
            QSKIP("File permissions do not stop this user (root)");                                \
        }                                                                                          \
    } while (false)
