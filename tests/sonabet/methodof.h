// The dictionary method that answers a key: one per initial letter, "UVWsonabet" and
// "XYZsonabet" for the last six. Written out here on its own, so that the tests do not take the
// program's answer on trust.
#pragma once

#include <QString>

namespace sonabet_testing {

inline QString methodOf(const QString& key) {
    const QChar c = key.front().toLower();
    if (QStringLiteral("uvw").contains(c)) {
        return QStringLiteral("UVWsonabet");
    }
    if (QStringLiteral("xyz").contains(c)) {
        return QStringLiteral("XYZsonabet");
    }
    return QString(c.toUpper()) + QStringLiteral("sonabet");
}

}  // namespace sonabet_testing
