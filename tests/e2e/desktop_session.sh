#!/usr/bin/env bash
# End-to-end run of the real program on an X server: clicks HESAPLA and the
# right arrow of the Mach-number bar as a user would, reads the Mach number
# back through the clipboard, and checks from a screenshot that both plots
# were drawn in their colours.
#
# usage: desktop_session.sh PROGRAM [SCREENSHOT]
set -euo pipefail

program=$1
closewindow=$2
screenshot=${3:-wavywall-desktop.png}
. "$(dirname "$0")/xsession.sh"

require_tools Xvfb xdotool xclip xprop /usr/bin/convert

start_x_server
start_program
caption=$(xprop -id "$window" _NET_WM_NAME | sed -E 's/^[^"]*"(.*)"$/\1/')
[ "$caption" = "Tesvelin üzerinde küçük bozuntulu süpersonik akım" ] ||
    fail "the window's caption reads '$caption'"

shoot() { import -window root "$1"; }

# With no window manager the window sits at the screen's origin. Its client
# area starts below the menu bar; the flow plot's light-yellow inner area,
# 2040 x 360 twips plus a 2-pixel border from the client's corner, fixes it.
shoot "$work/before.png"
first_yellow_row=$(/usr/bin/convert "$work/before.png" -crop 1x768+150+0 +repage txt:- |
    awk 'toupper($0) ~ /#FFFFC0/ && !found { split($1, at, /[,:]/); print at[2]; found = 1 }')
[ -n "$first_yellow_row" ] || fail "no plot box on the screen"
client_top=$((first_yellow_row - 360 / 15 - 2))

# Positions in pixels at 96 dots per inch, 15 twips to the pixel.
at() { echo $(($1 / 15)) $((client_top + $2 / 15)); }
read -r button_x button_y < <(at $((120 + 240 + 1215 / 2)) $((240 + 1680 + 495 / 2)))
read -r arrow_x arrow_y < <(at $((120 + 720 + 735 - 60)) $((240 + 480 + 255 / 2)))
read -r box_x box_y < <(at $((120 + 120 + 615 / 2)) $((240 + 480 + 285 / 2)))

xdotool mousemove "$button_x" "$button_y" click 1
sleep 0.3
xdotool mousemove "$arrow_x" "$arrow_y" click 1
sleep 0.3
xdotool mousemove "$box_x" "$box_y" click 1 key ctrl+a ctrl+c
sleep 0.3
mach=$(xclip -o -selection clipboard)
[ "$mach" = "1.02" ] || fail "Text_Moo reads '$mach' after one step of its bar, not 1.02"

# Move the pointer off the controls so the picture shows only the window.
xdotool mousemove 1000 700
sleep 0.3
shoot "$screenshot"
/usr/bin/convert "$screenshot" -crop 496x$((client_top + 353))+0+0 +repage "$screenshot"

count() { # region colour
    /usr/bin/convert "$screenshot" -crop "$1" +repage -format %c histogram:info:- |
        awk -v c="$2" 'toupper($0) ~ c { sum += $1 } END { print sum + 0 }'
}
read -r flow_region < <(echo "330x163+138+$((client_top + 26))")
read -r pressure_region < <(echo "333x141+138+$((client_top + 194))")
for check in "$flow_region #FF0000 wall" "$flow_region #0000FF streamlines" \
    "$flow_region #00FF00 Mach-lines" "$pressure_region #FF0000 compression" \
    "$pressure_region #0000FF expansion"; do
    read -r region colour what <<<"$check"
    n=$(count "$region" "$colour")
    [ "$n" -ge 50 ] || fail "the $what show only $n pixels of $colour"
    echo "$what: $n pixels of $colour"
done
echo "both plots drawn, Text_Moo reads $mach"

# The Teori menu from the keyboard: Mach 2, the second-order Cp on, in
# purple over the pressure plot; then, past the simple wave, the validity
# window beside the main one.
xdotool mousemove "$box_x" "$box_y" click 1 key ctrl+a type 2
xdotool mousemove "$button_x" "$button_y" click 1
sleep 0.3
xdotool mousemove 1000 700 key alt+t Return
sleep 0.5
shoot "$work/overlay.png"
n=$(/usr/bin/convert "$work/overlay.png" -crop "$pressure_region" +repage -format %c \
    histogram:info:- | awk 'toupper($0) ~ /#800080/ { sum += $1 } END { print sum + 0 }')
[ "$n" -ge 50 ] || fail "the second-order Cp shows only $n purple pixels"
echo "second-order Cp: $n pixels of #800080"
xdotool key alt+t Down Down Return
validity=$(timeout 10 xdotool search --sync --onlyvisible --name '^Geçerlilik$' | head -n1) ||
    fail "the validity window did not appear"
"$closewindow" "$validity"
echo "the validity window opened from the Teori menu"

# The About command, then the main window closed: the About window keeps
# the program running until it is closed as well.
xdotool mousemove 20 $((client_top / 2)) click 1
about=$(timeout 10 xdotool search --sync --onlyvisible --name '^About$' | head -n1) ||
    fail "the About window did not appear"
"$closewindow" "$window"
sleep 1
kill -0 "$program_pid" 2>/dev/null || fail "the program ended with its About window still open"
"$closewindow" "$about"
status=0
timeout 10 tail --pid="$program_pid" -f /dev/null || fail "the program did not end"
wait "$program_pid" || status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS: the About window kept the program running; it ended with status 0"
