#!/usr/bin/env bash
# Checks that kestrova-cli's manual page names exactly the options its --help lists, over the
# program and each of its commands.  Usage: check_manual_page.sh KESTROVA_CLI MANUAL_PAGE
set -euo pipefail
cli="$1"
page="$2"
options_of() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }
from_help=$( { "$cli" --help; "$cli" generate --help; "$cli" search --help; "$cli" find --help; "$cli" compare --help; "$cli" index --help; "$cli" drives --help; "$cli" copies --help; "$cli" ls --help; "$cli" du --help; } | options_of)
from_page=$(sed 's/\\-/-/g' "$page" | options_of)
if [ "$from_help" != "$from_page" ]; then
  echo "The options of --help and of the manual page differ:"
  diff <(echo "$from_help") <(echo "$from_page") || true
  exit 1
fi
echo "$(echo "$from_help" | wc -l) options, the same in --help and the manual page"
