#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The atama-keisan command starts the program in the per-user data folder, made when missing,
# or in the current folder when asked with --here, and never anywhere else. The program here
# only says where it was started and with what.
# Arguments: the command as installed, the copy that run.sh starts in the build tree, the version.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/usr/bin" "$work/usr/libexec/atama-keisan" "$work/build/src" "$work/home" "$work/here" "$work/links"
cp "$1" "$work/usr/bin/atama-keisan"
cp "$2" "$work/build/src/atama-keisan-launcher"
for program in "$work/usr/libexec/atama-keisan/atama-keisan" "$work/build/src/atama-keisan"; do
  cat >"$program" <<'EOF'
#!/bin/sh
printf '%s\n%s' "$(pwd)" "$*"
EOF
  chmod +x "$program"
done
chmod +x "$work/usr/bin/atama-keisan" "$work/build/src/atama-keisan-launcher"
ln -s ../usr/bin/atama-keisan "$work/links/atama-keisan"
failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# run VARIABLE=VALUE... COMMAND ARGUMENT...: COMMAND, a path relative to $work/here, started
# from there in an environment of only these variables.
run() {
  (cd "$work/here" && env -i PATH="$PATH" "$@")
}

# starts NAME FOLDER ARGUMENTS RUN-ARGUMENTS...: the program must run in FOLDER, which then
# exists, with ARGUMENTS.
starts() {
  name=$1 folder=$2 expected=$(printf '%s\n%s' "$2" "$3")
  shift 3
  got=$(run "$@" 2>&1) || got="failed: $got"
  if [ "$got" != "$expected" ] || [ ! -d "$folder" ]; then
    fail "$name: expected $expected, got $got"
  fi
}

# refuses NAME RUN-ARGUMENTS...: the command must fail without starting the program.
refuses() {
  name=$1
  shift
  if got=$(run "$@" 2>/dev/null) || [ -n "$got" ]; then
    fail "$name: started in $got"
  fi
}

cmd=../usr/bin/atama-keisan
data="$work/home/.local/share/atama-keisan"
starts "XDG_DATA_HOME set, folder made" "$work/data/atama-keisan" "" HOME="$work/home" XDG_DATA_HOME="$work/data" $cmd
starts "XDG_DATA_HOME unset" "$data" "" HOME="$work/home" $cmd
starts "XDG_DATA_HOME empty" "$data" "" HOME="$work/home" XDG_DATA_HOME= $cmd
starts "XDG_DATA_HOME relative" "$data" "" HOME="$work/home" XDG_DATA_HOME=data $cmd
starts "folder already there" "$work/data/atama-keisan" "" HOME="$work/home" XDG_DATA_HOME="$work/data" $cmd
starts "space in the folder" "$work/my data/atama-keisan" "" HOME="$work/home" XDG_DATA_HOME="$work/my data" $cmd
starts "started through a link" "$data" "" HOME="$work/home" ../links/atama-keisan
starts "build tree: the program beside it" "$data" "" HOME="$work/home" ../build/src/atama-keisan-launcher
starts "Qt's options go to the program" "$data" "-style Fusion" HOME="$work/home" $cmd -style Fusion
starts "-- ends the command's options" "$data" "--here" HOME="$work/home" $cmd -- --here
starts "--here: the current folder" "$work/here" "-platform offscreen" HOME="$work/nobody" $cmd --here -platform offscreen
[ ! -e "$work/nobody" ] || fail "--here made the data folder"
refuses "no HOME and no XDG_DATA_HOME" $cmd
refuses "relative HOME" HOME=home $cmd
: >"$work/blocked"
refuses "data folder is a file" HOME="$work/home" XDG_DATA_HOME="$work/blocked" $cmd
rm "$work/usr/libexec/atama-keisan/atama-keisan"
refuses "program missing" HOME="$work/home" XDG_DATA_HOME="$work/gone" $cmd
[ ! -e "$work/gone" ] || fail "a missing program made the data folder"

# --help and --version answer and start nothing.
help=$(run HOME="$work/nobody" $cmd --help) || fail "--help failed"
case $help in
  Usage:*--here*) ;;
  *) fail "--help printed: $help" ;;
esac
version=$(run HOME="$work/nobody" $cmd --version) || fail "--version failed"
[ "$version" = "atama-keisan $3" ] || fail "--version printed: $version"
[ ! -e "$work/nobody" ] || fail "--help or --version made the data folder"

[ -z "$(ls -A "$work/here")" ] || fail "something was made in the folder the command was started in"
echo "$failures failed"
[ "$failures" -eq 0 ]
