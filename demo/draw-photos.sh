#!/bin/sh
# Draws the demo kennel's photos (cartoon beagle portraits made from
# ImageMagick drawing commands) and writes demo/foto_album.csv, the photo
# album rows with the pictures' bytes in base64. The CSV is kept in the
# repository, so loading the demo needs no ImageMagick; run this script only
# to change the pictures.
#
#   demo/draw-photos.sh [CONVERT]
#
# CONVERT is ImageMagick's convert (default: convert on the PATH). One photo
# of each stored kind: JPEG, PNG and a 256-colour BMP.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
convert=${1:-convert}
font=/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# draw OUT NAME SKY GRASS SADDLE HEAD EARS
draw() {
    "$convert" -size 430x300 "gradient:$3-$4" \
        -stroke "$5" -strokewidth 14 -draw "line 345,175 392,112" -stroke none \
        -fill white -draw "circle 394,108 394,98" \
        -fill white -draw "roundrectangle 175,215 197,280 8,8" \
        -draw "roundrectangle 300,215 322,280 8,8" \
        -fill "$5" -draw "ellipse 255,185 105,55 0,360" \
        -fill white -draw "ellipse 250,212 88,28 0,180" \
        -fill "$6" -draw "ellipse 255,160 70,22 180,360" \
        -fill "$6" -draw "circle 140,125 140,68" \
        -fill "$7" -draw "ellipse 92,150 22,56 0,360" -draw "ellipse 188,150 22,56 0,360" \
        -fill white -draw "ellipse 140,150 15,46 0,360" \
        -fill white -draw "ellipse 140,182 30,20 0,360" \
        -fill black -draw "circle 118,118 118,110" -draw "circle 162,118 162,110" \
        -fill white -draw "circle 121,115 121,113" -draw "circle 165,115 165,113" \
        -fill black -draw "ellipse 140,175 13,9 0,360" \
        -stroke black -strokewidth 2 -fill none -draw "arc 126,180 154,196 20,160" -stroke none \
        -font "$font" -pointsize 22 -fill '#1d3557' -annotate +18+288 "$2" \
        "$1"
}

draw "$work/hugo.jpg" "Hugo z Lipové aleje" '#cfe8ff' '#8fcf7a' '#2b2118' '#c8873e' '#7a4a22'
draw "$work/eliska.png" "Eliška z Lipové aleje" '#ffe9c7' '#a7d98c' '#3a2a1d' '#d59a55' '#8a5a2b'
draw "$work/bara.bmp.png" "Bára Šťastná" '#e3ddff' '#9ccc8a' '#4a3526' '#b97a3a' '#6b3f1d'
"$convert" "$work/bara.bmp.png" -resize 215x150 -colors 256 -type Palette "BMP3:$work/bara.bmp"

{
    printf 'Jmeno_registr,Foto_1\r\n'
    printf '%s,%s\r\n' "Hugo z Lipové aleje" "$(base64 -w0 "$work/hugo.jpg")"
    printf '%s,%s\r\n' "Eliška z Lipové aleje" "$(base64 -w0 "$work/eliska.png")"
    printf '%s,%s\r\n' "Bára Šťastná" "$(base64 -w0 "$work/bara.bmp")"
} > "$here/foto_album.csv"
