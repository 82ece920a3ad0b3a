#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors

# Installs the build into a temporary prefix, puts it on a read-only mount in a private mount
# namespace and starts it there with a fresh HOME, as a user of the Debian package would:
# the first start offers the JDK of the search path and a source folder in the home folder,
# one press of 确定 keeps them and makes that folder without an error, and the next start does
# not ask. Needs root (for the mount) and an X server under Xvfb with an accessibility bus;
# exits 77 (skipped) where the machine lacks them.
set -u
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
python=/usr/bin/python3
for tool in xvfb-run dbus-launch unshare "$python"; do
    command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "no at-spi bus launcher"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "no pyatspi"; exit 77; }
[ "$(id -u)" -eq 0 ] || { echo "mounting needs root"; exit 77; }
javac=$(command -v javac) || { echo "no javac on the search path"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/stage/usr" >/dev/null || exit 1
mkdir -p "$work/home"
jdk="$(dirname "$(readlink -f "$javac")")/"

inner="$work/inner.sh"
cat >"$inner" <<INNER
#!/usr/bin/env bash
mount --make-rprivate / && mount --bind "$work/stage" "$work/stage" &&
    mount -o remount,ro,bind "$work/stage" || exit 77
touch "$work/stage/usr/bin/probe" 2>/dev/null && { echo "the mount is writable"; exit 1; }
eval \$(dbus-launch --sh-syntax)
"$launcher" --launch-immediately &
bus=\$!
sleep 1
export HOME="$work/home" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset XDG_CONFIG_HOME QT_QPA_PLATFORM
status=0
for start in first next; do
    "$work/stage/usr/bin/morvane" 2>"$work/\$start.log" &
    app=\$!
    "$python" "$here/installed_copy.py" \$start "$jdk" "$work/home/java/" "$work/home" || status=1
    kill \$app 2>/dev/null
    wait \$app 2>/dev/null
done
kill \$bus \$DBUS_SESSION_BUS_PID 2>/dev/null
exit \$status
INNER
chmod +x "$inner"
timeout 120 unshare -m xvfb-run -a -s "-screen 0 1280x800x24" "$inner"
