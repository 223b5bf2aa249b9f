#!/bin/sh
# How evenly the live show's frames reach the window: plays it in a virtual
# X server on Debian's classic SDL 1.2 and on sdl12-compat (SDL 1.2 on top of
# SDL 2) and prints what `snolk -stats` measured, the intervals between the
# frames' presents in milliseconds.
# Usage: bench/live_pacing.sh [SNOLK [SECONDS [OPTION...]]]
#   run from the folder that holds data/; SNOLK defaults to build/snolk,
#   SECONDS (of frames, after the two-second start pause) to 60, and the
#   options to -ns; each run adds -stats.
set -eu
snolk=${1:-build/snolk}
seconds=${2:-60}
[ $# -gt 2 ] && shift 2 || set -- -ns
for tool in xvfb-run timeout; do
    command -v "$tool" >/dev/null || { echo "live_pacing: $tool is missing" >&2; exit 1; }
done

library=$(dpkg -L libsdl1.2-compat 2>/dev/null | grep '/libSDL-1.2.so.0$' | head -n 1 || true)
compat=${library:+$(dirname "$library")}

# One run; prints its line of figures. The show ends on SIGTERM as on Escape
# and prints them then.
run() {
    label=$1
    path=$2
    shift 2
    out=$(LD_LIBRARY_PATH="$path${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
        SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
        xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
        timeout -s TERM $((seconds + 2)) "$snolk" -stats "$@" 2>/dev/null || true)
    figures=$(printf '%s\n' "$out" | grep '^PRESENTS ' | cut -d' ' -f2- || true)
    printf '%-16s %-22s %s\n' "$label" "$*" "${figures:-no figures: $out}"
}

echo "$seconds s of frames each; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "intervals between the frames' presents in ms; late: frames that missed their slot"
run "classic SDL 1.2" "" "$@"
if [ -z "$compat" ]; then
    echo "sdl12-compat is not installed (Debian package libsdl1.2-compat)"
    exit 0
fi
if ! LD_LIBRARY_PATH="$compat" ldd "$snolk" | grep -q "$compat/libSDL-1.2.so.0"; then
    echo "live_pacing: $snolk does not pick up $library" >&2
    exit 1
fi
run "sdl12-compat" "$compat" "$@"
