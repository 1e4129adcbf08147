#!/bin/sh
# Regenerates Zorla's art outputs in res/ from res/art/ (pictures, regions,
# sounds, bitmaps, icon, res/art.rc) and writes build-art/preview.png.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

# Debian packages the pipeline runs; installed only when a tool is missing.
need=""
command -v rsvg-convert >/dev/null 2>&1 || need="$need librsvg2-bin"
command -v cjpeg >/dev/null 2>&1 || need="$need libjpeg-turbo-progs"
command -v sox >/dev/null 2>&1 || need="$need sox"
command -v espeak-ng >/dev/null 2>&1 || need="$need espeak-ng"
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ] || need="$need fonts-dejavu-core"
/usr/bin/python3 -c 'import PIL, numpy' 2>/dev/null || need="$need python3-pil python3-numpy"
if [ -n "$need" ]; then
    echo "art: installing$need"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $need >/dev/null
fi

mkdir -p "$root/build-art"
# Fixed locale and font setup so text renders the same on every machine.
export LC_ALL=C.UTF-8
export PYTHONHASHSEED=0
export SOURCE_DATE_EPOCH=0
cd "$here"
exec /usr/bin/python3 -B "$here/build.py" "$@"
