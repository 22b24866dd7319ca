#!/bin/sh
# Draws the program icon (a window dropping into a tray) as pixel art and
# writes src/app/res/pelmora.ico: 16x16 and 32x32, 256 colours (8 bits) each.
# Needs ImageMagick's convert. Usage: scripts/make-icon.sh [preview.png]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/src/app/res/pelmora.ico"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Shared palette: outline, title bar and its highlight, window body, text
# lines, arrow and tray.
palette='"  c None",
"K c #1D2733",
"B c #2F6CCB",
"b c #79A7EA",
"W c #FFFFFF",
"g c #B8C4D2",
"G c #2EA043",
"L c #7FD88F",
"T c #C9D1DB",
"t c #8F9BAA",'

cat >"$work/icon16.xpm" <<XPM
/* XPM */
static char *icon16[] = {
"16 16 10 1",
$palette
"KKKKKKKKKK      ",
"KbbbbbbbbK      ",
"KBBBBBBBBK KKK  ",
"KWWWWWWWWK KGK  ",
"KWggggggWK KGK  ",
"KWWWWWWWWK KGK  ",
"KWgggggWWK KGK  ",
"KWWWWWWWWKKKGKKK",
"KKKKKKKKKKGGGGGK",
"          KGGGK ",
"K          KGK K",
"K           K  K",
"KTTTTTTTTTTTTTTK",
"KTtttttttttttTTK",
"KTTTTTTTTTTTTTTK",
"KKKKKKKKKKKKKKKK"
};
XPM

cat >"$work/icon32.xpm" <<XPM
/* XPM */
static char *icon32[] = {
"32 32 10 1",
$palette
"                                ",
"KKKKKKKKKKKKKKKKKKKKK           ",
"KbbbbbbbbbbbbbbbbbbbK           ",
"KBBBBBBBBBBBBBBBBBBBK           ",
"KBBBBBBBBBBBBBBBWWWBK           ",
"KBBBBBBBBBBBBBBBWWWBK  KKKKK    ",
"KBBBBBBBBBBBBBBBBBBBK  KLGGK    ",
"KWWWWWWWWWWWWWWWWWWWK  KLGGK    ",
"KWWWWWWWWWWWWWWWWWWWK  KLGGK    ",
"KWWggggggggggggWWWWWK  KLGGK    ",
"KWWWWWWWWWWWWWWWWWWWK  KLGGK    ",
"KWWgggggggggggWWWWWWK  KLGGK    ",
"KWWWWWWWWWWWWWWWWWWWK  KLGGK    ",
"KWWggggggggggggggWWWK  KLGGK    ",
"KWWWWWWWWWWWWWWWWWWWK  KLGGK    ",
"KWWgggggggggWWWWWWWWK  KLGGK    ",
"KWWWWWWWWWWWWWWWWWWWKKKKLGGKKKK ",
"KWWWWWWWWWWWWWWWWWWWKLLLLGGGGGK ",
"KKKKKKKKKKKKKKKKKKKKKKLGGGGGGK  ",
"                      KLGGGGK   ",
"                       KLGGK    ",
"                        KGK     ",
"KK                       K    KK",
"KK                            KK",
"KK                            KK",
"KKTTTTTTTTTTTTTTTTTTTTTTTTTTTTKK",
"KKTTTTTTTTTTTTTTTTTTTTTTTTTTTTKK",
"KKTTtttttttttttttttttttttttTTTKK",
"KKTTTTTTTTTTTTTTTTTTTTTTTTTTTTKK",
"KKTTTTTTTTTTTTTTTTTTTTTTTTTTTTKK",
"KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
"KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK"
};
XPM

# The ICO writer stores each image with the fewest bits its colour count
# needs; mapping onto the icon's colours plus a grey ramp (more than 16
# entries) makes both images 8 bits per pixel. The mapping is exact: every
# colour of the art is in the palette.
convert "$work/icon16.xpm" "$work/icon32.xpm" +append -unique-colors \
    \( -size 16x1 gradient:black-white \) +append "$work/palette.png"
convert "$work/icon16.xpm" +dither -remap "$work/palette.png" \
    \( "$work/icon32.xpm" +dither -remap "$work/palette.png" \) "$out"

if [ $# -ge 1 ]; then
    # Both sizes side by side, enlarged, for a look.
    convert "$out[0]" -scale 1600% \( "$out[1]" -scale 800% \) \
        -background '#E0E0E0' -alpha remove -bordercolor '#E0E0E0' -border 8 +append "$1"
fi
echo "wrote $out"
