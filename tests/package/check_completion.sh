#!/usr/bin/env bash
# Checks the shell's completion of kestrova-cli: commands and options, and names with blanks
# and other odd characters offered whole.  Usage: check_completion.sh COMPLETION_SCRIPT
set -uo pipefail  # no -e: completion functions run as an interactive shell runs them
source "$1"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/Old Backups" "$folder/Other" "$folder/it's"
touch "$folder/Old notes.txt"
cd "$folder"
failures=0
expect() { # expect "LINE TO COMPLETE" WORD...
    local line="$1"; shift
    read -ra COMP_WORDS <<< "$line"
    [[ "$line" == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _kestrova_cli
    local got expected
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
    expected=$(printf '%s\n' "$@" | sort)
    if [ "$got" != "$expected" ]; then
        echo "completing '$line': expected [$expected], got [$got]"
        failures=$((failures + 1))
    fi
}
expect "kestrova-cli -" -h --help -v --version
expect "kestrova-cli search O" "Old Backups" Other
expect "kestrova-cli generate i" "it's"
expect "kestrova-cli generate Other O" "Old Backups" "Old notes.txt" Other
expect "kestrova-cli compare Old" "Old Backups" "Old notes.txt"
expect "kestrova-cli index --j" --jobs
expect "kestrova-cli find O" "Old Backups" Other
expect "kestrova-cli find --sort s" size
expect "kestrova-cli search O --sort n" none
expect "kestrova-cli copies --d" --duplicates
expect "kestrova-cli copies O --under " 
expect "kestrova-cli du --d" --depth
expect "kestrova-cli ls Old" "Old Backups" "Old notes.txt"
expect "kestrova-cli ls Other " 
exit $((failures > 0))
