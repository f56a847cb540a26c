#!/bin/sh
# Draws the program's artwork with ImageMagick (convert) and the DejaVu fonts:
#   data/pictures/gearwise-logo.png       the program logo and window icon
#   data/desktop/icons/NxN/ca.gearwise.Planner.png
#                                         the desktop icon in the hicolor sizes
#   tests/ui/fixtures/Welcome.jpg         a sponsor's welcome picture, English
#   tests/ui/fixtures/Welcome-French.jpg  the same in French
# Shapes are drawn at twice the size and scaled down, for smooth edges.
# Run from anywhere; the outputs are committed, so the build does not need it.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
fonts=/usr/share/fonts/truetype/dejavu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

deep='#0b3c49'
teal='#1d7874'
amber='#f2a541'

# A gear of 12 teeth around (256,256): root radius 154, tip radius 190.
gear=$(awk 'BEGIN {
    pi = atan2(0, -1); n = 12; r = 154; R = 190; s = "";
    for (i = 0; i < n; i++) {
        a = i * 360 / n;
        split((a - 7.5) " " (a - 4.5) " " (a + 4.5) " " (a + 7.5), deg, " ");
        split(r " " R " " R " " r, rad, " ");
        for (k = 1; k <= 4; k++) {
            t = deg[k] * pi / 180;
            s = s sprintf("%.1f,%.1f ", 256 + rad[k] * cos(t), 256 + rad[k] * sin(t));
        }
    }
    print s }')

# The rising line ends in an arrow head along its last segment, reaching LENGTH
# past the line's end and HALF across it either side.
arrow_head() {
    awk -v len="$1" -v half="$2" 'BEGIN {
        x0 = 282; y0 = 318; x1 = 392; y1 = 176;
        dx = x1 - x0; dy = y1 - y0; l = sqrt(dx * dx + dy * dy); ux = dx / l; uy = dy / l;
        printf "%.1f,%.1f %.1f,%.1f %.1f,%.1f", x1 + len * ux, y1 + len * uy,
            x1 - half * uy, y1 + half * ux, x1 + half * uy, y1 - half * ux }'
}
arrow=$(arrow_head 46 30)
line="112,372 204,288 282,318 392,176"

convert -size 512x512 gradient:"$teal"-"$deep" "$work/gradient.png"
convert -size 512x512 xc:none -fill white -draw "roundrectangle 8,8 503,503 110,110" "$work/mask.png"
convert "$work/gradient.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite "$work/tile.png"

convert -size 512x512 xc:none -fill 'rgba(255,255,255,0.94)' -draw "polygon $gear" \
    \( -size 512x512 xc:none -fill white -draw "circle 256,256 256,334" \) \
    -compose DstOut -composite "$work/gear.png"

convert "$work/tile.png" "$work/gear.png" -compose Over -composite \
    -fill none -stroke "$deep" -strokewidth 52 -draw "stroke-linecap round stroke-linejoin round polyline $line" \
    -stroke none -fill "$deep" -draw "polygon $arrow" \
    -fill none -stroke "$amber" -strokewidth 28 -draw "stroke-linecap round stroke-linejoin round polyline $line" \
    -stroke none -fill "$amber" -draw "polygon $arrow" \
    "$work/logo-large.png"
# Keep the rounded tile inside its own mask: the dark outline must not spill.
convert "$work/logo-large.png" \( "$work/mask.png" -alpha extract \) -compose CopyOpacity -composite \
    -resize 256x256 -strip "$root/data/pictures/gearwise-logo.png"

# The desktop icons are the same logo at each size. ImageMagick's own SVG
# renderer drops gradients, so they are scaled from the drawing above rather
# than rendered from data/desktop/ca.gearwise.Planner.svg (its shapes by hand).
# At 24 px and below the line would be under a pixel wide, so those sizes get
# a bolder line and arrow head.
convert "$work/logo-large.png" \( "$work/mask.png" -alpha extract \) -compose CopyOpacity -composite \
    "$work/logo-masked.png"
bold_arrow=$(arrow_head 70 46)
convert "$work/tile.png" "$work/gear.png" -compose Over -composite \
    -fill none -stroke "$deep" -strokewidth 88 -draw "stroke-linecap round stroke-linejoin round polyline $line" \
    -stroke none -fill "$deep" -draw "polygon $bold_arrow" \
    -fill none -stroke "$amber" -strokewidth 56 -draw "stroke-linecap round stroke-linejoin round polyline $line" \
    -stroke none -fill "$amber" -draw "polygon $bold_arrow" \
    "$work/logo-bold-large.png"
convert "$work/logo-bold-large.png" \( "$work/mask.png" -alpha extract \) -compose CopyOpacity -composite \
    "$work/logo-bold.png"
for size in 16 22 24 32 48 64 128 256; do
    source="$work/logo-masked.png"
    [ "$size" -gt 24 ] || source="$work/logo-bold.png"
    mkdir -p "$root/data/desktop/icons/${size}x${size}"
    convert "$source" -resize "${size}x${size}" -strip \
        "$root/data/desktop/icons/${size}x${size}/ca.gearwise.Planner.png"
done

# Welcome pictures: a light band with soft hills, the fixture sponsor's own
# mark (a disc with two chevrons pointing north), a greeting and its name.
welcome() {
    greeting=$1
    output=$2
    convert -size 1120x400 gradient:'#fbfdfd'-'#dcecea' \
        -fill 'rgba(29,120,116,0.10)' -draw "polygon 0,400 0,300 220,250 470,290 760,210 1120,240 1120,400" \
        -fill 'rgba(11,60,73,0.12)' -draw "polygon 0,400 0,350 300,320 620,340 900,290 1120,300 1120,400" \
        -fill "$deep" -draw "circle 180,200 180,310" \
        -fill none -stroke white -strokewidth 22 \
        -draw "stroke-linecap round stroke-linejoin round polyline 122,226 180,168 238,226" \
        -stroke "$amber" -draw "stroke-linecap round stroke-linejoin round polyline 122,276 180,218 238,276" \
        -stroke none \
        -font "$fonts/DejaVuSans-Bold.ttf" -pointsize 84 -fill "$deep" -annotate +340+190 "$greeting" \
        -font "$fonts/DejaVuSans.ttf" -pointsize 40 -fill "$teal" -annotate +344+260 'Northgate Wealth Partners' \
        -fill "$amber" -draw "rectangle 344,286 560,292" \
        -resize 560x200 -strip -quality 90 "$output"
}
welcome 'Welcome' "$root/tests/ui/fixtures/Welcome.jpg"
welcome 'Bienvenue' "$root/tests/ui/fixtures/Welcome-French.jpg"
