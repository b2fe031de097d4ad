#!/usr/bin/env bash
# scripts/deps.sh against a package manager that only records its calls: when everything is
# installed nothing is called and nothing printed; a missing package is installed by its own
# name alone, through sudo only for a user who is not root, and without sudo the user is
# told what to install.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A bin folder whose package tools record their arguments in $work/calls. With a dpkg-query
# of its own, that one reports every package installed except those in $QUORBEL_TEST_MISSING.
make_bin() { # folder, uid, with_sudo, fake_dpkg
  local bin=$1
  mkdir -p "$bin"
  ln -sf "$(command -v grep)" "$bin/grep"
  for tool in apt-get apt aptitude dpkg; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$work" >"$bin/$tool"
  done
  printf '#!/bin/sh\necho %s\n' "$2" >"$bin/id"
  if [ "$3" = yes ]; then
    printf '#!/bin/sh\necho "sudo $*" >>"%s/calls"\n' "$work" >"$bin/sudo"
  fi
  if [ "$4" = yes ]; then
    cat >"$bin/dpkg-query" <<'SH'
#!/bin/sh
for p; do :; done
case " $QUORBEL_TEST_MISSING " in
  *" $p "*) echo "unknown ok not-installed" ;;
  *) echo "install ok installed" ;;
esac
SH
  else
    ln -sf "$(command -v dpkg-query)" "$bin/dpkg-query"
  fi
  chmod +x "$bin"/*
}

run_deps() { # bin folder; prints what deps printed, returns its status
  rm -f "$work/calls"
  env -i PATH="$1" QUORBEL_TEST_MISSING="${QUORBEL_TEST_MISSING:-}" "$BASH" -c \
    'source "$1/scripts/deps.sh" && quorbel_install_deps' deps "$top" >"$work/out" 2>&1
}

calls() { cat "$work/calls" 2>/dev/null; }

# 1. This machine, with everything installed: the real dpkg-query, twice, not a call.
make_bin "$work/real" 1000 yes no
for round in 1 2; do
  run_deps "$work/real:/usr/bin:/bin" || fail "installed, round $round: status $?"
  [ -z "$(calls)" ] || fail "installed, round $round: called $(calls)"
  [ ! -s "$work/out" ] || fail "installed, round $round: printed $(cat "$work/out")"
done

# 2. Root, one package missing: apt-get, for that package only, without sudo.
make_bin "$work/root" 0 yes yes
QUORBEL_TEST_MISSING=qt6-serialport-dev run_deps "$work/root" || fail "root: status $?"
expected="apt-get update -q
apt-get install -y -q --no-install-recommends qt6-serialport-dev"
[ "$(calls)" = "$expected" ] || fail "root: called $(calls)"

# 3. A user, with sudo: through sudo.
make_bin "$work/user" 1000 yes yes
QUORBEL_TEST_MISSING="cmake libgtest-dev" run_deps "$work/user" || fail "user: status $?"
expected="sudo apt-get update -q
sudo apt-get install -y -q --no-install-recommends cmake libgtest-dev"
[ "$(calls)" = "$expected" ] || fail "user: called $(calls)"

# 4. A user without sudo: told what to install, nothing called, a failed status.
make_bin "$work/nosudo" 1000 no yes
if QUORBEL_TEST_MISSING=cmake run_deps "$work/nosudo"; then
  fail "no sudo: succeeded"
fi
[ -z "$(calls)" ] || fail "no sudo: called $(calls)"
grep -q "apt-get install cmake" "$work/out" || fail "no sudo: said $(cat "$work/out")"

[ "$failures" -eq 0 ] && echo "deps: all cases passed"
exit $((failures > 0))
