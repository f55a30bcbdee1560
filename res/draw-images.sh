#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick: the background shown before a page is chosen and
# the About banner (the icon is rendered from packaging/icons by its render.sh). Run from this
# folder; the PNG files are committed. Eight bits per channel: a 16-bit picture takes twice as long
# to decode at start-up and looks the same. Each picture is drawn once per interface language: the
# Chinese ones here, the English ones in en/ (Resources.h picks them).
#
# The background is drawn twice, each with its words: for the start, and for while a file is open
# (no word of opening one). Either may be shown by the window's first paint (the second when the
# command line names a file), so each comes in two forms: the plain pixels at the page area's size
# with the editor's font (747 x 467), shown with no decoding at all, and NAME-large.png, scaled
# for a larger page area. The start's plain pixels are background.ppm; the second's are kept as
# the rectangle where they differ from those (background-loaded-strip.ppm, its place in a
# comment), which the program draws over the start's. Both are compiled into the program as they
# are (resources.qrc: no compression).
set -euo pipefail
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# background FILE TITLE HINT
background() {
convert -size 854x534 gradient:'#1d2b4f'-'#e9a25f' \
  \( -size 854x534 xc:none -fill '#ffd98a' -draw "circle 640,330 640,262" -blur 0x3 \) -composite \
  \( -size 854x534 xc:none -fill '#c9874a' -draw "path 'M 0,360 C 180,300 330,330 470,352 C 610,374 730,320 854,330 L 854,534 L 0,534 Z'" \) -composite \
  \( -size 854x534 xc:none -fill '#a9683a' -draw "path 'M 0,420 C 150,380 300,410 430,430 C 600,456 720,400 854,410 L 854,534 L 0,534 Z'" \) -composite \
  \( -size 854x534 xc:none -fill '#7d4a2b' -draw "path 'M 0,480 C 200,455 380,470 520,488 C 660,506 760,470 854,476 L 854,534 L 0,534 Z'" \) -composite \
  -fill '#2b2320' -draw "rectangle 120,452 230,470" -draw "roundrectangle 135,436 205,454 6,6" -draw "rectangle 190,442 262,447" \
  -draw "roundrectangle 112,468 238,482 7,7" \
  -font "$FONT" -fill '#fff6e6' -pointsize 54 -gravity north -annotate +0+70 "$2" \
  -fill '#ffe9c7' -pointsize 22 -annotate +0+150 "$3" \
  -depth 8 "PNG24:$1"
}

# about FILE TITLE SUBTITLE
about() {
convert -size 944x264 gradient:'#1d2b4f'-'#d8955a' \
  \( -size 944x264 xc:none -fill '#ffd98a' -draw "circle 760,190 760,150" -blur 0x2 \) -composite \
  \( -size 944x264 xc:none -fill '#b57444' -draw "path 'M 0,200 C 200,170 380,190 520,205 C 680,222 820,185 944,192 L 944,264 L 0,264 Z'" \) -composite \
  \( -size 944x264 xc:none -fill '#7d4a2b' -draw "path 'M 0,236 C 220,220 420,230 600,244 C 760,256 860,236 944,240 L 944,264 L 0,264 Z'" \) -composite \
  -font "$FONT" -fill '#fff6e6' -pointsize 64 -gravity northwest -annotate +48+40 "$2" \
  -fill '#ffe9c7' -pointsize 26 -annotate +52+130 "$3" \
  -depth 8 "PNG24:$1"
}

# shown LARGE OUT: the large background at the size the window shows it.
shown() {
  convert "$1" -resize '747x467!' -depth 8 "ppm:$2"
}

# strip BASE PICTURE OUT: the rectangle where PICTURE differs from BASE (both plain pixels), as a
# PPM whose comment "at X Y" says where it lies in them.
strip() {
  local box w h x y
  box=$(convert "$1" "$2" -compose difference -composite -format '%@' info:) # WxH+X+Y
  IFS='x+' read -r w h x y <<<"$box"
  {
    printf 'P6\n# at %d %d\n%d %d\n255\n' "$x" "$y" "$w" "$h"
    convert "$2" -crop "$box" -depth 8 rgb:-
  } >"$3"
}

background background-large.png 'Dravik静态修改器' '点击「打开」载入 ROM 映像 (.smc)，再用上方的按钮选择页面'
background background-loaded-large.png 'Dravik静态修改器' '用上方的按钮选择页面'
about about.png 'Dravik静态修改器' 'ROM 数据表编辑器'
mkdir -p en
background en/background-large.png 'Dravik Editor' 'Press Open to load a ROM image (.smc),\nthen choose a page with the buttons above'
background en/background-loaded-large.png 'Dravik Editor' 'Choose a page with the buttons above'
about en/about.png 'Dravik Editor' 'ROM data table editor'
shown background-large.png background.ppm
shown en/background-large.png en/background.ppm
loaded=$(mktemp)
trap 'rm -f "$loaded"' EXIT
shown background-loaded-large.png "$loaded"
strip background.ppm "$loaded" background-loaded-strip.ppm
shown en/background-loaded-large.png "$loaded"
strip en/background.ppm "$loaded" en/background-loaded-strip.ppm
