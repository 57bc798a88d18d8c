#!/bin/sh
# Checks that every room includes only the rooms it may use, as its CMake
# target links them; the toolkit's headers are kept out by the targets
# themselves (a Qt-free room has no Qt include path). Usage: check-rooms.sh SOURCE-ROOT
set -eu
cd "$1"

# room: the rooms it may include besides its own.
allowed() {
    case "$1" in
        numtext) echo "" ;;
        textout) echo "" ;;
        evaluation) echo "numtext" ;;
        messages) echo "numtext evaluation textout plotmath" ;;
        analysis) echo "numtext evaluation" ;;
        table) echo "numtext evaluation analysis textout" ;;
        plotmath) echo "" ;;
        files) echo "numtext evaluation messages textout" ;;
        cli) echo "numtext evaluation messages analysis table files textout" ;;
        accessibility) echo "" ;;
        dialogues) echo "numtext evaluation messages accessibility" ;;
        saving) echo "numtext evaluation messages table dialogues files textout" ;;
        help) echo "numtext evaluation analysis table accessibility dialogues" ;;
        view) echo "numtext evaluation messages analysis table plotmath accessibility dialogues saving textout help" ;;
        window) echo "numtext evaluation messages accessibility dialogues saving view help" ;;
        app) echo "numtext evaluation cli window view saving" ;;
        *) echo "?" ;;
    esac
}

status=0
for room in numtext textout evaluation messages analysis table plotmath files cli accessibility dialogues \
    saving help view window app; do
    may="$room $(allowed "$room")"
    for file in "$room"/*.h "$room"/*.cpp; do
        [ -f "$file" ] || continue
        for used in $(sed -n 's|^#include "\([a-z]*\)/.*|\1|p' "$file" | sort -u); do
            case " $may " in
                *" $used "*) ;;
                *) echo "$file includes $used/, which $room/ may not use"; status=1 ;;
            esac
        done
    done
done
[ "$status" -eq 0 ] && echo "rooms: every include is one its room may use"
exit "$status"
