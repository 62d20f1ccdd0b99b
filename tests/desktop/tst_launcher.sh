#!/bin/sh
# The launcher starts the program in the per-user data folder, made when missing, and
# never anywhere else. The program here only says where it was started.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/home"
cp "$1" "$work/bin/atama-keisan-launcher"
printf '#!/bin/sh\npwd\n' >"$work/bin/atama-keisan"
chmod +x "$work/bin/atama-keisan-launcher" "$work/bin/atama-keisan"
failures=0

# starts NAME EXPECTED-FOLDER VARIABLE=VALUE...: the launcher, started from $work/bin by a
# relative path, must run the program in EXPECTED-FOLDER, which then exists.
starts() {
  name=$1 expected=$2
  shift 2
  got=$(cd "$work/bin" && env -i PATH="$PATH" "$@" ./atama-keisan-launcher 2>&1) || got="failed: $got"
  if [ "$got" != "$expected" ] || [ ! -d "$expected" ]; then
    echo "FAIL $name: expected $expected, got $got"
    failures=$((failures + 1))
  fi
}

# refuses NAME VARIABLE=VALUE...: the launcher must fail without starting the program.
refuses() {
  name=$1
  shift
  if got=$(cd "$work/bin" && env -i PATH="$PATH" "$@" ./atama-keisan-launcher 2>/dev/null) || [ -n "$got" ]; then
    echo "FAIL $name: started in $got"
    failures=$((failures + 1))
  fi
}

starts "XDG_DATA_HOME set, folder made" "$work/data/atama-keisan" HOME="$work/home" XDG_DATA_HOME="$work/data"
starts "XDG_DATA_HOME unset" "$work/home/.local/share/atama-keisan" HOME="$work/home"
starts "XDG_DATA_HOME empty" "$work/home/.local/share/atama-keisan" HOME="$work/home" XDG_DATA_HOME=
starts "XDG_DATA_HOME relative" "$work/home/.local/share/atama-keisan" HOME="$work/home" XDG_DATA_HOME=data
starts "folder already there" "$work/data/atama-keisan" HOME="$work/home" XDG_DATA_HOME="$work/data"
starts "space in the folder" "$work/my data/atama-keisan" HOME="$work/home" XDG_DATA_HOME="$work/my data"
refuses "no HOME and no XDG_DATA_HOME"
refuses "relative HOME" HOME=home
: >"$work/blocked"
refuses "data folder is a file" HOME="$work/home" XDG_DATA_HOME="$work/blocked"

if [ -e "$work/bin/data" ]; then
  echo "FAIL a relative XDG_DATA_HOME made a folder beside the launcher"
  failures=$((failures + 1))
fi
echo "$failures failed"
[ "$failures" -eq 0 ]
