#!/usr/bin/env bash
# Makes the program's artwork into src/window/win32/res. The results are kept
# in git, so a build needs neither this script nor ImageMagick.
set -euo pipefail
res="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src/window/win32/res"
python3 "$(dirname "${BASH_SOURCE[0]}")/make-art.py" "$res"

# The splash banner: 316 x 106 on white, the emulator's name as a logo,
# saved as a progressive JPEG of about 10 KB.
convert -size 316x106 xc:white \
  -fill '#5a2d91' -draw 'roundrectangle 10,18 96,88 10,10' \
  -fill '#2a9ca8' -draw 'rectangle 30,30 76,64' \
  -fill white -draw 'rectangle 36,35 70,38' \
  -fill '#1b1b1b' -draw 'circle 22,53 25,53' -draw 'circle 86,48 89,48' -draw 'circle 80,56 83,56' \
  -font DejaVu-Sans-Bold -pointsize 30 -fill '#5a2d91' -annotate +106+52 'Quimbel' \
  -font DejaVu-Sans-Bold -pointsize 22 -fill '#2a9ca8' -annotate +108+80 'ADVANCE' \
  -fill '#5a2d91' -draw 'rectangle 106,88 300,90' \
  -sampling-factor 1x1 -interlace JPEG -quality 93 "$res/splash.jpg"
identify "$res/splash.jpg"
ls -l "$res"
