#pragma once

#include <QString>
#include <QStringList>

namespace platform::qt {

// The faces with Chinese glyphs that stand in for 宋体 (SimSun) where it is not installed,
// best first.
inline QStringList simSunStandIns() {
    return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("AR PL UMing CN")};
}

} // namespace platform::qt
