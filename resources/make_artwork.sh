#!/usr/bin/env bash
# Draws Kestrow's artwork into this folder:
#   power.ico   timer window icon (48x48 256 colours, 32x32 32-bit)
#   vornic.ico  About / follow window icon (13 images, 16..256, 32-bit; 48 and up PNG-compressed)
#   hand.cur    pointing-hand cursor (11 images, 16..48, 32-bit, hotspot at the fingertip)
#   youku.png bilibili.png tudou.png wechat.png qqgroup.png tieba.png
#               QR pictures of the follow window
# Needs: ImageMagick (/usr/bin/convert, identify), qrencode, python3, fonts-noto-cjk
# (or fonts-wqy-microhei). zbarimg (zbar-tools), when present, checks the QR codes.
# The outputs are kept in the source tree, so the build itself needs none of this.
set -euo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
PAGES="$HERE/../platform/web_pages.h"
CONVERT=/usr/bin/convert        # the real ImageMagick, not a stand-in earlier on PATH
IDENTIFY=/usr/bin/identify
QRENCODE=/usr/bin/qrencode

die() { echo "make_artwork: $*" >&2; exit 1; }
for tool in "$CONVERT" "$IDENTIFY" "$QRENCODE"; do
    [ -x "$tool" ] || die "missing $tool (apt-get install imagemagick qrencode)"
done
command -v python3 >/dev/null || die "missing python3"
[ -f "$PAGES" ] || die "missing $PAGES"

# Fonts: Noto Sans CJK SC when installed, else WenQuanYi Micro Hei.
fonts=$("$CONVERT" -list font | sed -n 's/^ *Font: //p')
if grep -qx 'Noto-Sans-CJK-SC' <<<"$fonts"; then
    FONT=Noto-Sans-CJK-SC; FONT_BOLD=Noto-Sans-CJK-SC-Bold
elif grep -qx 'WenQuanYi-Micro-Hei' <<<"$fonts"; then
    FONT=WenQuanYi-Micro-Hei; FONT_BOLD=WenQuanYi-Micro-Hei
else
    die "no Chinese font (apt-get install fonts-noto-cjk)"
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
calc() { python3 -c "print($1)"; }       # small float arithmetic
im() { "$CONVERT" "$@"; }
# convert, writing its output (the last argument) as a PNG: zlib level 9,
# adaptive filters, no metadata chunks.
png() { "$CONVERT" "${@:1:$#-1}" -quality 95 -define png:exclude-chunks=all "${@: -1}"; }

# ---------------------------------------------------------------- power.ico
# Red rounded square, white ring, white power symbol (broken circle + bar).
im -size 512x512 gradient:'#EE4B3A-#B81D14' \
   \( -size 512x512 xc:none -fill white -draw "roundrectangle 8,8 503,503 96,96" \) \
   -compose CopyOpacity -composite -compose Over \
   -fill none -stroke white -strokewidth 30 -draw "circle 256,256 256,62" \
   -strokewidth 40 -draw "stroke-linecap round path 'M 344,182 A 115,115 0 1,1 168,182'" \
   -draw "stroke-linecap round line 256,116 256,236" "$WORK/power.png"
im "$WORK/power.png" -filter Lanczos -resize 32x32 -depth 8 "RGBA:$WORK/power32.rgba"
# 48x48 with a 256-colour palette: quantise the colours, keep the alpha for the mask.
im \( "$WORK/power.png" -filter Lanczos -resize 48x48 \) \
   \( +clone -alpha off +dither -colors 255 \) \( -clone 0 -alpha extract \) \
   -delete 0 -alpha off -compose CopyOpacity -composite -depth 8 "RGBA:$WORK/power48.rgba"
python3 "$HERE/pack_icons.py" ico "$HERE/power.ico" \
    "48,8,$WORK/power48.rgba" "32,32,$WORK/power32.rgba"

# ---------------------------------------------------------------- vornic.ico
# The maker's mark: a white "V" with a soft shadow on a rounded blue square.
V_SHAPE="polygon 224,256 412,256 512,588 612,256 800,256 606,784 418,784"
im -size 1024x1024 gradient:'#4A9BF0-#1B56B5' \
   \( -size 1024x1024 xc:none -fill white -draw "roundrectangle 16,16 1007,1007 200,200" \) \
   -compose CopyOpacity -composite -compose Over \
   \( -size 1024x1024 xc:none -fill '#0E3A80A0' -draw "$V_SHAPE" -blur 0x14 -geometry +0+16 \) \
   -composite -fill white -draw "$V_SHAPE" "$WORK/vornic.png"
# Images of 48 pixels and more are stored PNG-compressed (8-bit RGBA, no
# mask), which Windows Vista and later read; they hold most of the bytes.
# The smaller ones, the title bar's at common scalings, stay plain DIBs that
# need no decoding. A PNG is written from the same RGBA bytes a DIB would
# hold, so both forms carry the same pixels.
entries=()
for s in 16 20 24 30 32 40 48 60 64 72 96 128; do
    im "$WORK/vornic.png" -filter Lanczos -resize ${s}x${s} -depth 8 "RGBA:$WORK/vornic$s.rgba"
    if ((s < 48)); then
        entries+=("$s,32,$WORK/vornic$s.rgba")
    else
        png -size ${s}x${s} -depth 8 "RGBA:$WORK/vornic$s.rgba" "PNG32:$WORK/vornic$s.png"
        entries+=("$s,32,$WORK/vornic$s.png")
    fi
done
png "$WORK/vornic.png" -filter Lanczos -resize 256x256 "PNG32:$WORK/vornic256.png"
entries+=("256,32,$WORK/vornic256.png")
python3 "$HERE/pack_icons.py" ico "$HERE/vornic.ico" "${entries[@]}"

# ---------------------------------------------------------------- hand.cur
# A white hand with a black outline, index finger up, drawn on a 32-unit grid.
# Each part is drawn twice: first widened in black (the outline), then in white.
hand_parts() {  # $1: extra stroke width that widens every part
    echo "polygon 6,14 21,15 21,21 19,25 9,25 6,21"                        # palm
    echo "stroke-width $(calc "4+$1") line 8,3 8,16 line 3.5,14.5 7.5,20.5"  # index, thumb
    echo "stroke-width $(calc "3+$1") line 12.5,11 12.5,17 line 16.5,12 16.5,18"
    echo "stroke-width $(calc "2+$1") line 20,13.5 20,19"                   # little finger
}
entries=()
for s in 16 20 22 24 28 30 32 36 40 44 48; do
    outline=$(calc "max(1.0, 32/$s)")      # at least one pixel wide
    mvg="push graphic-context
scale $(calc "$s*8/32"),$(calc "$s*8/32")
translate $(calc "$outline-1"),$(calc "$outline-1")
stroke-linecap round stroke-linejoin round
fill black stroke black stroke-width $(calc "2*$outline")
$(hand_parts "2*$outline")
fill white stroke white stroke-width 0.001
$(hand_parts 0)
pop graphic-context"
    im -size $((s * 8))x$((s * 8)) xc:none -draw "$mvg" -filter Box -resize ${s}x${s} \
       -depth 8 "RGBA:$WORK/hand$s.rgba"
    entries+=("$s,32,$WORK/hand$s.rgba,$(calc "int((7+$outline)*$s/32-0.01)"),0")  # fingertip
done
python3 "$HERE/pack_icons.py" cur "$HERE/hand.cur" "${entries[@]}"

# ---------------------------------------------------------------- QR pictures
page() {  # the address named $1 in web_pages.h
    local url
    url=$(sed -n "s/.*\b$1 = \"\([^\"]*\)\";.*/\1/p" "$PAGES")
    [ -n "$url" ] || die "no $1 in $PAGES"
    echo "$url"
}

# picture FILE WIDTH HEIGHT URL TITLE TITLE_COLOUR QR_COLOUR CAPTION
# A white rounded square (title on top, QR code below) on black, caption beneath.
picture() {
    local file=$1 w=$2 h=$3 url=$4 title=$5 tcol=$6 qcol=$7 caption=$8
    local margin=8 cap_h=30 side x0 y0 title_h pad n mod qr_w qr_x qr_y
    side=$(( w - 2 * margin < h - margin - cap_h ? w - 2 * margin : h - margin - cap_h ))
    x0=$(( (w - side) / 2 ))
    y0=$(( (h - side - cap_h) / 2 ))
    title_h=$(( side * 18 / 100 )); pad=$(( side * 5 / 100 ))
    # Module count first, then the largest whole module size that leaves a
    # quiet zone of at least two modules inside the white square.
    "$QRENCODE" -l M -m 0 -s 1 -o "$WORK/qr1.png" "$url"
    n=$("$IDENTIFY" -format '%w' "$WORK/qr1.png")
    mod=$(( (side - title_h - pad) / (n + 4) ))
    (( mod >= 2 )) || die "$file: QR code does not fit"
    # The caption is drawn, not wrapped: it must fit the picture's width.
    local cap_w
    cap_w=$(im -font "$FONT" -pointsize 14 label:"$caption" -format '%w' info:)
    (( cap_w <= w - 2 * margin )) || die "$file: caption '$caption' is $cap_w px wide"
    "$QRENCODE" -l M -m 0 -s "$mod" --foreground="${qcol#\#}" -o "$WORK/qr.png" "$url"
    qr_w=$(( n * mod ))
    qr_x=$(( x0 + (side - qr_w) / 2 ))
    qr_y=$(( y0 + title_h + (side - title_h - pad - qr_w) / 2 ))
    im -size ${w}x${h} xc:black \
       -fill white -draw "roundrectangle $x0,$y0 $((x0 + side - 1)),$((y0 + side - 1)) 8,8" \
       "$WORK/qr.png" -geometry +${qr_x}+${qr_y} -composite \
       -gravity North -font "$FONT_BOLD" -pointsize $(( title_h * 62 / 100 )) -fill "$tcol" \
       -annotate +0+$(( y0 + title_h * 14 / 100 )) "$title" \
       -font "$FONT" -pointsize 14 -fill white -annotate +0+$(( y0 + side + 4 )) "$caption" \
       -alpha off -type TrueColor "BMP3:$WORK/picture.bmp"
    # Through a 24-bit BMP, whose writer rounds to 8 bits as the pictures
    # always have. A PNG with a palette where the colours fit in 256, else RGB.
    png "$WORK/picture.bmp" "PNG:$HERE/$file"
}

picture youku.png    245 230 "$(page kYoukuChannel)"  "优酷"       '#1E88E5' '#0D5AA7' "搜索 Vornic"
picture bilibili.png 291 282 "$(page kBilibiliSpace)" "哔哩哔哩"   '#FB7299' '#0089C0' "UP主 Vornic"
picture tudou.png    319 268 "$(page kTudouChannel)"  "土豆"       '#FF6A00' '#C2410C' "搜索 Vornic"
picture wechat.png   205 260 "$(page kWeChatAccount)" "微信公众号" '#07C160' '#000000' "公众号 Vornic"
picture qqgroup.png  198 258 "$(page kQQGroup)"       "QQ群"       '#12B7F5' '#000000' "群号见 vornic吧"
picture tieba.png    205 260 "$(page kTiebaForum)"    "百度贴吧"   '#3385FF' '#1D4F9E' "vornic吧"

# ---------------------------------------------------------------- checks
check_picture() {  # FILE WIDTH HEIGHT URL
    local got
    got=$("$IDENTIFY" -format '%m %wx%h %[channels]' "$HERE/$1")
    [ "$got" = "PNG $2x$3 srgb" ] || die "$1: got '$got'"
    file -b "$HERE/$1" | grep -qE "PNG image data, $2 x $3, 8-bit(/color RGB| colormap)," || die "$1: not 8-bit RGB or palette"
    if command -v zbarimg >/dev/null; then
        got=$(zbarimg -q --raw "$HERE/$1" 2>/dev/null) || die "$1: QR code not readable"
        [ "$got" = "$4" ] || die "$1: QR code reads '$got', expected '$4'"
    fi
}
check_picture youku.png    245 230 "$(page kYoukuChannel)"
check_picture bilibili.png 291 282 "$(page kBilibiliSpace)"
check_picture tudou.png    319 268 "$(page kTudouChannel)"
check_picture wechat.png   205 260 "$(page kWeChatAccount)"
check_picture qqgroup.png  198 258 "$(page kQQGroup)"
check_picture tieba.png    205 260 "$(page kTiebaForum)"
command -v zbarimg >/dev/null || echo "make_artwork: zbarimg not found, QR codes not decoded" >&2

[ "$("$IDENTIFY" "$HERE/power.ico" | wc -l)" = 2 ] || die "power.ico: expected 2 images"
[ "$("$IDENTIFY" "$HERE/vornic.ico" | wc -l)" = 13 ] || die "vornic.ico: expected 13 images"
[ "$("$IDENTIFY" "$HERE/hand.cur" | wc -l)" = 11 ] || die "hand.cur: expected 11 images"
echo "make_artwork: done"
