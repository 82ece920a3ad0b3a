# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors

"""Lists what a screen reader finds of the running program on the accessibility bus and checks
that every menu item, status bar panel, toolbar button and settings dialog control is there by
its caption, text or key."""
import sys
import time

import pyatspi

WANTED = [
    # menu bar
    "文件", "新建", "打开", "保存", "另存为", "系统设置", "关闭文件", "退出",
    "保存为htm文件", "字体", "字体增大", "字体缩小", "粗体", "斜体", "下划线",
    "编译", "运行", "生成htm文件", "用JavaViewer浏览", "发送到浏览器", "关于",
    # status bar
    "软件版本：2.0版", "CAPS", "NUM", "Ins",
    # toolbar keys
    "剪切", "复制", "粘贴", "行号列号", "Java", "IE", "运行Applet", "退出系统",
    # settings dialog
    "参数设置对话框", "确定", "取消",
    "Java编译器和AppletViewr所在目录：(如：C:\\java\\bin\\)",
    "Java源程序绝对目录：(如：c:\\javasemple\\)",
]


def names_of(application):
    found = set()

    def walk(node, depth):
        if node is None or depth > 40:
            return
        try:
            found.add(node.name)
            children = list(node)
        except Exception:
            return
        for child in children:
            walk(child, depth + 1)

    walk(application, 0)
    return found


def main():
    deadline = time.time() + 20
    while time.time() < deadline:
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and "morvane" in (application.name or "").lower():
                found = names_of(application)
                missing = [name for name in WANTED if name not in found]
                if not missing:
                    print(f"all {len(WANTED)} names found among {len(found)}")
                    return 0
        time.sleep(1)
    print("missing: " + ", ".join(missing if "missing" in dir() else WANTED))
    return 1


if __name__ == "__main__":
    sys.exit(main())
