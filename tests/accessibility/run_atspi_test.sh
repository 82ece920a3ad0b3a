#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors

# Starts the program under Xvfb with an accessibility bus and asks the bus for its names.
# Exits 77 (skipped) where the machine lacks the tools.
set -u
program="$1"
python=/usr/bin/python3  # the system Python, which has the Debian bindings
for tool in xvfb-run dbus-launch "$python"; do
    command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "no at-spi bus launcher"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "no pyatspi"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A folder of its own: no Set.ini there, so the settings dialog opens too.
cp "$program" "$work/morvane"
export XDG_CONFIG_HOME="$work/config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM

inner="$work/inner.sh"
cat >"$inner" <<INNER
#!/usr/bin/env bash
eval \$(dbus-launch --sh-syntax)
"$launcher" --launch-immediately &
bus=\$!
sleep 1
"$work/morvane" &
app=\$!
"$python" "$(cd "$(dirname "$0")" && pwd)/atspi_names.py"
status=\$?
kill \$app \$bus 2>/dev/null
kill \$DBUS_SESSION_BUS_PID 2>/dev/null
exit \$status
INNER
chmod +x "$inner"
timeout 90 xvfb-run -a -s "-screen 0 1280x800x24" "$inner"
