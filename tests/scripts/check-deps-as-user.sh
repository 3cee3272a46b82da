#!/usr/bin/env bash
# With everything installed, the dependency check that scripts/run.sh and scripts/test.sh run
# first must pass as a normal user: no call of sudo or apt-get, no request for root.
# As root the check runs as the user "nobody".
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# sudo and apt-get stand-ins that only note that they were called.
mkdir "$work/bin"
for name in sudo apt-get; do
    printf '#!/bin/sh\necho "%s $*" >> "%s/called"\n' "$name" "$work" > "$work/bin/$name"
    chmod 755 "$work/bin/$name"
done
# A copy, so that "nobody" can run it wherever the checkout lies.
install -m 755 "$root/scripts/install-deps.sh" "$work/install-deps.sh"
chmod 1777 "$work"
check=(env "PATH=$work/bin:$PATH" "$work/install-deps.sh")
if [ "$(id -u)" -eq 0 ]; then
    check=(runuser -u nobody -- "${check[@]}")
fi
status=0
output="$("${check[@]}" 2>&1)" || status=$?
fail() { echo "FAIL: $1"; echo "--- output:"; echo "$output"; exit 1; }
[ "$status" -eq 0 ] || fail "the check ended with status $status"
[ ! -e "$work/called" ] || fail "it called: $(cat "$work/called")"
if grep -qiE 'root|sudo|apt-get' <<< "$output"; then fail "it asked for root or apt"; fi
echo "PASS: the dependency check needs no root with everything installed"
