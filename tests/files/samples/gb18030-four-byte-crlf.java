// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// 表情也能保存：😀 与 𠀀
class Emoji {}
