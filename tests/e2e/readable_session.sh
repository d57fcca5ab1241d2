#!/usr/bin/env bash
# End-to-end run of the real program on an X server, on desktops set up the
# way people set them up, read back from screenshots:
#  - a dark KDE desktop (Breeze Dark colours in kdeglobals) with a 16 pt font
#    at 144 dots per inch that Qt does not scale, where the windows grow by
#    16/9 with the font: the About window, opened
#    with Alt+A, reads on its yellow; the text box and HESAPLA show their
#    whole text; focus shows on a scroll bar and leaves the plot's drawing
#    as it was; keypad and modified arrows step the bar the way they point;
#  - a screen scaled by 125 %: the pressure curve is an even line.
#
# usage: readable_session.sh PROGRAM CLOSEWINDOW [SCREENSHOT_PREFIX]
set -euo pipefail

program=$1
closewindow=$2
prefix=${3:-wavywall-readable}
here=$(dirname "$0")
. "$here/xsession.sh"

require_tools Xvfb xdotool xclip /usr/bin/convert
/usr/bin/python3 -c 'import PIL' 2>/dev/null || skip_or_fail python3-pil

pixels() { /usr/bin/python3 "$here/pixels.py" "$@"; }
shoot() { import -window root "$1"; }

# Room for the main window laid out at 16 pt and 144 dots per inch.
start_x_server 1600x1200

# Starts the program with the given environment and waits for its window.
start() {
    start_program -u QT_QPA_PLATFORMTHEME -u QT_STYLE_OVERRIDE -u XDG_CONFIG_HOME \
        -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS "$@"
}

stop() {
    "$closewindow" "$window"
    timeout 10 tail --pid="$program_pid" -f /dev/null || fail "the program did not end"
    wait "$program_pid" || fail "the program ended with status $?"
    program_pid=
}

# Layout twips to pixels at the session's resolution, edges rounded as the
# program rounds them; a control's rectangle from its container's origin. The
# rectangles are the description's (ui/windows.json).
px() { echo $((($1 * dpi + 720) / 1440)); }
twips() { pixels twips "$1"; }
rect() { # left top width height [origin_x origin_y]
    local x=$(($(px "$1") + ${5:-0})) y=$(($(px "$2") + ${6:-0}))
    echo "$x" "$y" $(($(px $(($1 + $3))) - $(px "$1"))) $(($(px $(($2 + $4))) - $(px "$2")))
}
control() { # name [origin_x origin_y]
    local left top width height
    read -r left top width height < <(twips "$1")
    rect "$left" "$top" "$width" "$height" "${2:-0}" "${3:-0}"
}

# The client area starts below the menu bar: the flow plot's light-yellow
# inner area, its top in twips down plus its 2-pixel border, fixes where.
find_client_top() { # screenshot scale
    local column first left top width
    read -r left top width _ < <(twips Picture_Akım)
    column=$(awk -v x="$(px $((left + width / 2)))" -v s="$2" 'BEGIN { printf "%d", x * s }')
    first=$(/usr/bin/convert "$1" -crop "1x768+$column+0" +repage txt:- |
        awk 'toupper($0) ~ /#FFFFC0/ && !found { split($1, at, /[,:]/); print at[2]; found = 1 }')
    [ -n "$first" ] || fail "no plot box on the screen"
    awk -v f="$first" -v s="$2" -v t="$(px "$top")" 'BEGIN { printf "%d", f / s - t - 2 }'
}

mach_text() { # reads Text_Moo through the clipboard
    read -r x y w h < <(control Text_Moo "$frame_x" "$frame_y")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1 key ctrl+a ctrl+c
    sleep 0.3
    xclip -o -selection clipboard
}

# --- A dark KDE desktop, a 16 pt font, 144 dots per inch, unscaled ---------
mkdir -p "$work/home/.config"
cat >"$work/home/.config/kdeglobals" <<'KDE'
[General]
ColorScheme=BreezeDark
font=DejaVu Sans,16,-1,5,50,0,0,0,0,0
menuFont=DejaVu Sans,16,-1,5,50,0,0,0,0,0

[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252

[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=252,252,252

[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
KDE
# The layout grows with the 16 pt font by 16/9 over the default 9 pt.
dpi=$((144 * 16 / 9))
start HOME="$work/home" XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 QT_FONT_DPI=144 \
    QT_ENABLE_HIGHDPI_SCALING=0
shoot "$work/dark.png"
client_top=$(find_client_top "$work/dark.png" 1)
read -r frame_left frame_top _ < <(twips Frame1)
frame_x=$(px "$frame_left")
frame_y=$((client_top + $(px "$frame_top")))
window_colour=$(pixels colour "$work/dark.png" 4 $((client_top + 4)))
[ "$window_colour" = "#31363B" ] || fail "the dark theme did not apply: the window is $window_colour"
echo "dark desktop: window $window_colour, client area from row $client_top"

# Whole texts at 16 pt and 144 dots per inch: the Mach box's four glyphs
# inside its frame, HESAPLA's strokes inside the button's bevel.
read -r x y w h < <(control Text_Moo "$frame_x" "$frame_y")
read -r glyphs whole < <(pixels glyphs "$work/dark.png" $((x + 2)) $((y + 2)) $((w - 4)) $((h - 4)))
if [ "$glyphs" != 4 ] || [ "$whole" != whole ]; then
    fail "Text_Moo shows $glyphs glyphs ($whole), not the four of 1.01"
fi
read -r x y w h < <(control Command1 "$frame_x" "$frame_y")
read -r left right width < <(pixels inkspan "$work/dark.png" "$x" "$y" "$w" "$h" '#FCFCFC')
if [ "$left" -lt 2 ] || [ "$right" -gt $((width - 3)) ]; then
    fail "HESAPLA's text spans columns $left to $right of the button's $width"
fi
echo "texts whole: 1.01 in four glyphs, HESAPLA within columns $left to $right of $width"

# HESAPLA by the mouse draws the plots; five Tabs from it reach the flow
# plot, five more the Mach bar.
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
sleep 0.3
xdotool mousemove 1000 700
xdotool key Tab Tab Tab Tab Tab
sleep 0.3
shoot "$work/plot-focused.png"
xdotool key Tab Tab Tab Tab Tab
sleep 0.3
shoot "$work/bar-focused.png"
read -r x y w h < <(control Picture_Akım 0 "$client_top")
inner="$((x + 2)) $((y + 2)) $((w - 4)) $((h - 4))"
# shellcheck disable=SC2086
changed=$(pixels differ "$work/plot-focused.png" "$work/bar-focused.png" $inner)
[ "$changed" -eq 0 ] || fail "focus changed $changed pixels of the flow plot's drawing"
read -r x y w h < <(control HScroll_Moo "$frame_x" "$frame_y")
changed=$(pixels changed "$work/plot-focused.png" "$work/bar-focused.png" "$x" "$y" "$w" "$h")
[ "$changed" -ge $((2 * (w + h))) ] ||
    fail "the focused Mach bar changed only $changed pixels by 3:1 or more"
echo "focus: the flow plot's drawing unchanged, the Mach bar marked by $changed pixels"

# Every form of Right steps up by one, every form of Left down by one.
xdotool key KP_Right shift+Right ctrl+Right alt+Right KP_Down
sleep 0.3
mach=$(mach_text)
[ "$mach" = "1.06" ] || fail "five right and down keys from 1.01 give $mach, not 1.06"
# Reading the box left the focus in it; the bar is the next stop.
xdotool key Tab KP_Left shift+Left ctrl+Up
sleep 0.3
mach=$(mach_text)
[ "$mach" = "1.03" ] || fail "three left and up keys from 1.06 give $mach, not 1.03"
echo "keys: keypad, Shift, Ctrl and Alt arrows step as they point ($mach)"

# Alt+A opens the About window, whose plain lines read on its yellow.
xdotool mousemove 1000 700 key alt+a
about=$(timeout 10 xdotool search --sync --onlyvisible --name '^About$' | head -n1) ||
    fail "Alt+A did not open the About window"
sleep 0.5
import -window "$about" "$work/about.png"
cp "$work/about.png" "$prefix-about-dark.png"
for line in "Label7 credit" "Label8 date" "Label4 comments"; do
    read -r name what <<<"$line"
    read -r x y w h < <(control "Form_About.$name")
    ratio=$(pixels contrast "$work/about.png" "$x" "$y" "$w" "$h")
    awk -v r="$ratio" 'BEGIN { exit !(r >= 4.5) }' ||
        fail "the About window's $what line reads at $ratio:1"
    echo "About, $what line: $ratio:1"
done
"$closewindow" "$about"
stop

# --- A screen scaled by 125 % ---------------------------------------------
dpi=96
mkdir -p "$work/home125"
start HOME="$work/home125" QT_FONT_DPI=120
shoot "$work/scaled.png"
client_top=$(find_client_top "$work/scaled.png" 1.25)
frame_x=$(px "$frame_left")
frame_y=$((client_top + $(px "$frame_top")))
device() { awk -v v="$1" 'BEGIN { printf "%d", v * 1.25 + 0.5 }'; }
for field in "Text_Moo 2" "Text_HbL 0.1"; do
    read -r name value <<<"$field"
    read -r x y w h < <(control "$name" "$frame_x" "$frame_y")
    xdotool mousemove "$(device $((x + w / 2)))" "$(device $((y + h / 2)))" click 1 \
        key ctrl+a type "$value"
done
read -r x y w h < <(control Command1 "$frame_x" "$frame_y")
xdotool mousemove "$(device $((x + w / 2)))" "$(device $((y + h / 2)))" click 1
xdotool mousemove 1000 700
sleep 0.5
shoot "$work/scaled.png"
cp "$work/scaled.png" "$prefix-125.png"
# The curve runs over x = 0 .. 2 of the scale -0.2 .. 3.8: its inner stretch,
# a tenth to a half of the width, lies away from its ends.
read -r x y w h < <(control Picture_basınç 0 "$client_top")
from=$(device $((x + 2 + (w - 4) / 10)))
to=$(device $((x + 2 + (w - 4) / 2)))
counts=$(pixels columns "$work/scaled.png" "$from" "$(device $((y + 2)))" $((to - from)) \
    "$(device $((h - 4)))" '#FF0000' '#0000FF')
[ "$counts" = 1 ] || fail "at 125 % the pressure curve shows $counts pixels per column"
echo "125 %: the pressure curve shows one pixel in every column"
stop
echo "PASS: readable in a dark theme, at 16 pt and 144 dpi, from the keyboard, at 125 %"
