// The example projects shipped in examples/.
#pragma once

#include <QString>

namespace corvadel::test {

inline QString Example(const char *name)
{
    return QStringLiteral(CORVADEL_SOURCE_DIR "/examples/%1").arg(QLatin1String(name));
}

} // namespace corvadel::test
