#!/usr/bin/env bash
# The shell completions load in bash, zsh and fish, offer exactly the options
# each program's --help lists, and complete option values as they should:
# files, a directory for --png-sequence, nothing for numbers and monitors.
#
# usage: completions_test.sh QUILLBROOK_RENDER QUILLBROOK
set -euo pipefail
(($# == 2)) || { echo "usage: $0 QUILLBROOK_RENDER QUILLBROOK" >&2; exit 2; }
render=$1
window=$2
completions="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/completions"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
for shell in bash zsh fish; do
  command -v "$shell" >/dev/null || fail "$shell is not installed"
done

# The options a help text lists, one a line, sorted: each table line's first
# word. The window program's "-window, -fps, ..." line names the hack options
# it merely ignores; no completion offers those.
help_options() {
  grep -oE '^  --?[a-z][a-z0-9-]*( |$)' | tr -d ' ' | sort -u
}
render_options=$("$render" --help | help_options) || fail "$render --help failed"
window_options=$("$window" --help | help_options) || fail "$window --help failed"

# The folder file names are completed in: one file, one folder.
fixture=$(mktemp -d)
trap 'rm -rf "$fixture"' EXIT
mkdir -p "$fixture/here/frames" "$fixture/home"
touch "$fixture/here/plant.png"
cd "$fixture/here"
# A home of their own, where fish may make its folders.
export HOME="$fixture/home"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR

# What each shell offers for a command line, one a line, sorted; the last
# word is the one completed. Bash is given its words as bash splits them
# (--png=pl is --png, =, pl).
bash_offers() {
  local program=$1
  shift
  bash --norc --noprofile -c '
    source "$1" || exit 1
    shift
    registration=$(complete -p "$1") || exit 1
    function=${registration#*-F }
    function=${function%% *}
    compopt() { :; } # works only while bash itself completes
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    "$function" "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}"
  ' bash "$completions/$program.bash" "$program" "$@" | sed '/^$/d' | sort -u
}

fish_offers() {
  local program=$1 line=$2
  # shellcheck disable=SC2016 # fish's own variables
  fish --no-config -c 'source $argv[1]; and complete -C $argv[2]' "$completions/$program.fish" "$program $line" |
    cut -f1 | sed '/^$/d' | sort -u
}

# Zsh completes only inside its line editor: an interactive zsh on a pseudo
# terminal completes the line, and every candidate given to compadd is
# written down.
zsh_script="$fixture/capture.zsh"
cat >"$zsh_script" <<'EOF'
zmodload zsh/zpty || exit 1
dir=$1 line=$2 out=$3
: >| $out
zpty z zsh -f -i
zpty -w z "PS1= ; fpath=(${(q)dir} \$fpath); autoload -Uz compinit; compinit -u -D"
zpty -w z "compadd() { local -a hits; builtin compadd -O hits \"\$@\"; print -rl -- \$hits >> ${(q)out}; builtin compadd \"\$@\" }"
zpty -w z "_capture() { _main_complete; print -r -- '::done::' >> ${(q)out} }; zle -C capture complete-word _capture; bindkey '^X^T' capture"
zpty -w -n z "$line"$'\C-x\C-t'
for i in {1..200}; do grep -qx '::done::' $out && break; sleep 0.1; done
zpty -d z
grep -qx '::done::' $out
EOF
zsh_offers() {
  local program=$1 line=$2 out="$fixture/zsh-offers"
  zsh -f "$zsh_script" "$completions" "$program $line" "$out" || return 1
  sed -e '/^$/d' -e '/^::done::$/d' "$out" | sort -u
}

# expect SHELL PROGRAM 'WORDS' EXPECTED: the shell offers exactly EXPECTED
# (lines, sorted) for the command line.
expect() {
  local shell=$1 program=$2 line=$3 expected=$4 got words
  if [[ $shell == bash ]]; then
    read -ra words <<<"$line"
    [[ $line == *' ' ]] && words+=('')
    got=$(bash_offers "$program" "${words[@]}") || fail "bash could not complete '$program $line'"
  else
    got=$("${shell}_offers" "$program" "$line") || fail "$shell could not complete '$program $line'"
  fi
  [[ $got == "$expected" ]] ||
    fail "$shell offers for '$program $line': [${got//$'\n'/ }], expected [${expected//$'\n'/ }]"
}

# Each file loads without a word on standard error.
for program in quillbrook-render quillbrook; do
  errors=$(bash --norc --noprofile -c 'source "$1"' bash "$completions/$program.bash" 2>&1) ||
    fail "$program.bash does not load in bash: $errors"
  [[ -z $errors ]] || fail "$program.bash: $errors"
  # shellcheck disable=SC2016 # fish's own variable
  errors=$(fish --no-config -c 'source $argv[1]' "$completions/$program.fish" 2>&1) ||
    fail "$program.fish does not load in fish: $errors"
  [[ -z $errors ]] || fail "$program.fish: $errors"
  errors=$(zsh -n "$completions/_$program" 2>&1) || fail "_$program does not parse in zsh: $errors"
done

for shell in bash fish zsh; do
  # Every option the programs take, and none they do not.
  expect "$shell" quillbrook-render '-' "$render_options"
  expect "$shell" quillbrook '-' "$window_options"
  expect "$shell" quillbrook-render '--s' "$(printf '%s\n' --seed --size --slider --svg)"

  # Values: file names, a folder, and nothing to guess for numbers and monitors.
  expect "$shell" quillbrook-render '--png pl' plant.png
  expect "$shell" quillbrook-render '--dump pl' plant.png
  expect "$shell" quillbrook-render '--video pl' plant.png
  expect "$shell" quillbrook-render '--y4m' "$(printf '%s\n' --y4m --y4m-420)"
  for number in --seed --frames --duration --size --slider --crf; do
    expect "$shell" quillbrook-render "$number " ''
  done
  for number in --seed --slider --screen -window-id; do
    expect "$shell" quillbrook "$number " ''
  done
done
expect bash quillbrook-render '--svg = pl' plant.png
expect fish quillbrook-render '--svg=pl' --svg=plant.png
expect zsh quillbrook-render '--svg=pl' plant.png
# A folder: bash and zsh add the slash as they insert it, fish in the offer.
expect bash quillbrook-render '--png-sequence ' frames
expect zsh quillbrook-render '--png-sequence ' frames
expect fish quillbrook-render '--png-sequence ' frames/

echo passed
