// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

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

// Faces with Chinese glyphs whose Latin letters may be fixed-pitch, as 宋体's are, for the edit
// control, where code must line up: Song (Ming) style ones first, best first.
inline QStringList fixedPitchSimSunStandIns() {
    return {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL SungtiL GB"),
            QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("WenQuanYi Zen Hei Mono")};
}

} // namespace platform::qt
