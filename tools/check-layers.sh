#!/usr/bin/env bash
# Fails when a source file includes a folder on a higher level than its own. The levels, bottom
# up; folders on one level may include each other:
#   platform <- core <- gfx, media <- world, movement, persons, vehicles <- mission
#   <- missions, screens <- app <- main.cpp
set -euo pipefail
cd "$(dirname "$0")/../src"

level() {
    case "$1" in
    platform) echo 0 ;;
    core) echo 1 ;;
    gfx | media) echo 2 ;;
    world | movement | persons | vehicles) echo 3 ;;
    mission) echo 4 ;;
    missions | screens) echo 5 ;;
    app) echo 6 ;;
    main.cpp) echo 7 ;;
    *) echo unknown ;;
    esac
}

status=0
while IFS= read -r file; do
    own=$(level "${file%%/*}")
    if [ "$own" = unknown ]; then
        echo "$file: the folder ${file%%/*} has no level" >&2
        status=1
        continue
    fi
    while IFS= read -r included; do
        target=$(level "${included%%/*}")
        if [ "$target" = unknown ]; then
            echo "$file: includes $included, whose folder has no level" >&2
            status=1
        elif [ "$target" -gt "$own" ]; then
            echo "$file: includes $included from a higher level" >&2
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)
exit $status
