#!/usr/bin/env bash
# The pictures of the manual, taken from the real program on an X server: the
# main window after a calculation that shows the waves clearly, the message
# for Mach one beside the main window, and the About window. Each picture is
# checked for what the manual says it shows before it is kept.
#
# usage: manual_pictures.sh PROGRAM OUTPUT_FOLDER
#
# The manual's pictures in docs/ are copies of these (docs/manual.md says how
# to make them anew).
set -euo pipefail

program=$1
output=$2
. "$(dirname "$0")/xsession.sh"

require_tools Xvfb xdotool import /usr/bin/convert

mkdir -p "$output"
start_x_server
start_program

# Without a window manager the window sits at the screen's origin and its
# client area starts below the menu bar; the flow plot's light-yellow inner
# area, 360 twips plus a 2-pixel border below the client's top, finds it.
import -window root "$work/start.png"
first_yellow_row=$(/usr/bin/convert "$work/start.png" -crop 1x768+150+0 +repage txt:- |
    awk 'toupper($0) ~ /#FFFFC0/ && !found { split($1, at, /[,:]/); print at[2]; found = 1 }')
[ -n "$first_yellow_row" ] || fail "no plot box on the screen"
client_top=$((first_yellow_row - 360 / 15 - 2))
window_height=$((client_top + 5280 / 15))

# Positions in pixels at 96 dots per inch, 15 twips to the pixel.
at() { echo $(($1 / 15)) $((client_top + $2 / 15)); }
read -r button_x button_y < <(at $((120 + 240 + 1215 / 2)) $((240 + 1680 + 495 / 2)))
read -r moo_x moo_y < <(at $((120 + 120 + 615 / 2)) $((240 + 480 + 285 / 2)))
read -r hbl_x hbl_y < <(at $((120 + 120 + 615 / 2)) $((240 + 1320 + 285 / 2)))

type_into() { # x y text
    xdotool mousemove "$1" "$2" click 1 key ctrl+a type "$3"
}

calculate() { # Moo H/L
    type_into "$moo_x" "$moo_y" "$1"
    type_into "$hbl_x" "$hbl_y" "$2"
    xdotool mousemove "$button_x" "$button_y" click 1
    sleep 0.5
    # The pointer off the window, so that no control shows it hovering.
    xdotool mousemove 1000 700
    sleep 0.3
}

count() { # picture region colour
    /usr/bin/convert "$1" -crop "$2" +repage -format %c histogram:info:- |
        awk -v c="$3" 'toupper($0) ~ c { sum += $1 } END { print sum + 0 }'
}

expect_pixels() { # picture region colour what at-least|none
    local n
    n=$(count "$1" "$2" "$3")
    if [ "$5" = none ]; then
        [ "$n" -eq 0 ] || fail "$(basename "$1"): $4 show $n pixels of $3, expected none"
    else
        [ "$n" -ge "$5" ] || fail "$(basename "$1"): $4 show only $n pixels of $3"
    fi
}

flow_region="330x163+138+$((client_top + 26))"
pressure_region="333x141+138+$((client_top + 194))"

# Mach 1.2 over a wave of a twentieth of its length: Mach lines at 56
# degrees, streamlines visibly shifted, Cp up to about 0.95.
calculate 1.2 0.05
picture=$output/manual-window.png
import -window root -crop "496x$window_height+0+0" +repage "$picture"
for colour in "#FF0000 wall" "#00FF00 Mach-lines" "#0000FF streamlines"; do
    read -r c what <<<"$colour"
    expect_pixels "$picture" "$flow_region" "$c" "$what" 100
done
expect_pixels "$picture" "$pressure_region" "#FF0000" "compression" 50
expect_pixels "$picture" "$pressure_region" "#0000FF" "expansion" 50
echo "wrote $picture"

# Mach one: the flow picture is drawn, the pressure plot keeps only its axes
# and the message box opens. Without a window manager the box, too, opens at
# the origin; it is moved beside the main window for the picture.
type_into "$moo_x" "$moo_y" 1
xdotool mousemove "$button_x" "$button_y" click 1
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^wavywall$' | head -n1) ||
    fail "the message box for Mach one did not appear"
xdotool windowmove --sync "$box" 510 $((client_top + 120))
xdotool mousemove 1000 700
sleep 0.5
picture=$output/manual-machone.png
import -window root -crop "760x$window_height+0+0" +repage "$picture"
expect_pixels "$picture" "$flow_region" "#00FF00" "Mach lines" 100
expect_pixels "$picture" "$pressure_region" "#FF0000" "compression" none
expect_pixels "$picture" "$pressure_region" "#0000FF" "expansion" none
echo "wrote $picture"
xdotool windowfocus --sync "$box" key Return
timeout 5 bash -c "while xdotool search --onlyvisible --name '^wavywall\$' >/dev/null; do sleep 0.1; done" ||
    fail "the message box did not close with Enter"

# The About window, alone.
xdotool mousemove 20 $((client_top / 2)) click 1
about=$(timeout 10 xdotool search --sync --onlyvisible --name '^About$' | head -n1) ||
    fail "the About window did not appear"
xdotool mousemove 1000 700
sleep 0.5
picture=$output/manual-about.png
import -window "$about" "$picture"
# Antialiased text reaches its exact colour in few pixels, and fewer where a
# line is shrunk to fit its label: the title lines are the pixels whose green
# stands out clearly from their red and blue.
greens=$(/usr/bin/convert "$picture" -crop 240x136+0+0 +repage -format %c histogram:info:- |
    awk '{ split($2, c, /[(),]/); if (c[3] - (c[2] > c[4] ? c[2] : c[4]) >= 64) s += $1 }
         END { print s + 0 }')
[ "$greens" -ge 50 ] || fail "$(basename "$picture"): the title lines show only $greens green pixels"
echo "wrote $picture"
