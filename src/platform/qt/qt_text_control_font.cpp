// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "chinese_fonts.h"
#include "qt_text_control.h"

#include <QFontDatabase>
#include <QFontMetricsF>

// The face that stands in for the documents' base font, 宋体, where it is not installed.

namespace platform::qt {

namespace {

// Whether the face's Latin letters all take one width, as 宋体's do, so that code lines up.
bool latinIsFixedPitch(const QString& family) {
    const QFontMetricsF metrics{QFont(family, 15)};
    const qreal narrow = metrics.horizontalAdvance(QStringLiteral("il1."));
    return narrow > 0 && qFuzzyCompare(narrow, metrics.horizontalAdvance(QStringLiteral("MW@m")));
}

} // namespace

QString QtTextControl::baseFontFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        const auto isInstalled = [&](const QString& name) {
            return installed.contains(name, Qt::CaseInsensitive);
        };
        // 宋体 itself.
        for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                    QStringLiteral("新宋体"), QStringLiteral("NSimSun")}) {
            if (isInstalled(name)) {
                return name;
            }
        }
        // A stand-in with fixed-pitch Latin letters, else any.
        for (const QString& name : fixedPitchSimSunStandIns()) {
            if (isInstalled(name) && latinIsFixedPitch(name)) {
                return name;
            }
        }
        for (const QString& name : simSunStandIns()) {
            if (isInstalled(name)) {
                return name;
            }
        }
        // Left to the font configuration's own substitute.
        return QStringLiteral("宋体");
    }();
    return family;
}

} // namespace platform::qt
