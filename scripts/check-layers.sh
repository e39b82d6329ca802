#!/usr/bin/env bash
# Checks that includes between the folders of src/ point only downwards:
#   common, modem  <-  psk  <-  tools
#   common, modem  <-  window  <-  features  <-  app
# Any folder not named here is a feature (link, display, receive, ...).
# Prints every include that points the wrong way and fails on one.
set -euo pipefail
cd "$(dirname "$0")/../src"

allowed() {  # folder -> the folders its files may include
  case "$1" in
    common) echo "common" ;;
    modem)  echo "modem" ;;
    psk)    echo "psk modem common" ;;
    tools)  echo "tools psk modem common" ;;
    window) echo "window modem common" ;;
    app)    echo "*" ;;
    *)      echo "features window modem common" ;;
  esac
}
is_feature() {
  case "$1" in common|modem|psk|tools|window|app) return 1 ;; *) return 0 ;; esac
}

bad=0
for dir in */; do
  folder=${dir%/}
  rules=$(allowed "$folder")
  [ "$rules" = "*" ] && continue
  while IFS=: read -r file line target; do
    to=${target%%/*}
    ok=0
    for rule in $rules; do
      if [ "$rule" = "$to" ] || { [ "$rule" = features ] && is_feature "$to" && [ -d "$to" ]; }; then ok=1; fi
    done
    if [ $ok -eq 0 ]; then
      echo "src/$file:$line includes \"$target\": $folder/ may include only: $rules"
      bad=1
    fi
  done < <(grep -rnoE '#include "[A-Za-z_]+/[^"]+"' "$folder" | sed -E 's/#include "([^"]+)"/\1/')
done
exit $bad
