#!/usr/bin/env bash
# Checks Tramela on a fresh Debian 13 (trixie) as on a new user's machine: in a chroot made
# with debootstrap, runs the README's test command on a copy of this folder, then installs
# the Debian package given (the one made on Debian 12), starts it under Xvfb and drives it
# with the end-to-end test (it converts 1,5 to 38,1 among the rest). The sanitizer suite and
# the fuzzer run there too (make hostile, FUZZ_SECONDS, 20 by default).
# The minimal system is made once and kept, untouched, in the cache folder; every run unpacks
# a fresh copy of it and throws the copy away. Downloaded packages are kept there too, so that
# a later run downloads only what changed.
# Needs root (chroot and mounts), debootstrap (install-deps.sh debian13 installs it) and the
# Debian mirror of this machine's apt sources.
# Usage: debian13-check.sh PATH/TO/tramela_VERSION_amd64.deb
# Environment: TRAMELA_CACHE (default /var/cache/tramela), JOBS (default nproc), FUZZ_SECONDS.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "$1")
cache=${TRAMELA_CACHE:-/var/cache/tramela}
pristine=$cache/debian13-minbase.tar
archives=$cache/debian13-apt-archives
readonly SUITE=trixie

[ "$(id -u)" -eq 0 ] || { echo "debian13-check.sh: needs root (chroot and mounts)" >&2; exit 1; }
[ -f "$deb" ] || { echo "debian13-check.sh: no package $deb" >&2; exit 1; }
"$root/scripts/install-deps.sh" debian13

# The Debian mirror this machine installs from, as debootstrap takes it.
mirror() {
  local uri
  uri=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
        awk '/^(URIs:|deb )/ { for (i = 2; i <= NF; i++) if ($i ~ "^https?://.*/debian/?$") { print $i; exit } }')
  echo "${uri:-http://deb.debian.org/debian}"
}

mkdir -p "$cache" "$archives"
if [ ! -f "$pristine" ]; then
  echo "== debootstrap $SUITE from $(mirror), kept in $pristine"
  made=$(mktemp -d "$cache/debootstrap.XXXXXX")
  debootstrap --variant=minbase "$SUITE" "$made" "$(mirror)" >"$made.log" 2>&1 ||
    { tail -n 20 "$made.log" >&2; rm -rf "$made"; exit 1; }
  tar -C "$made" -cf "$pristine.part" . && mv "$pristine.part" "$pristine"
  rm -rf "$made" "$made.log"
fi

chroot_dir=$(mktemp -d "$cache/run.XXXXXX")
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}" || true
  done
  # Never delete through a mount that is still there: /dev and /sys are the machine's own.
  if findmnt -rn -o TARGET | grep -q "^$chroot_dir"; then
    echo "debian13-check.sh: still mounted under $chroot_dir; left in place" >&2
  else
    rm -rf "$chroot_dir"
  fi
}
trap cleanup EXIT
bind() {  # bind SOURCE TARGET-IN-CHROOT
  mkdir -p "$chroot_dir$2"
  mount --rbind "$1" "$chroot_dir$2"
  mount --make-rslave "$chroot_dir$2"
  mounted+=("$chroot_dir$2")
}

echo "== a fresh copy of $pristine in $chroot_dir"
tar -C "$chroot_dir" -xf "$pristine"
mount -t proc proc "$chroot_dir/proc" && mounted+=("$chroot_dir/proc")
bind /sys /sys
bind /dev /dev              # with /dev/pts and /dev/shm, which Xvfb and Qt use
bind "$archives" /var/cache/apt/archives
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf"

# The working copy without its builds; the test command builds its own.
mkdir "$chroot_dir/root/tramela"
tar -C "$root" --exclude=./build --exclude='./build-*' -cf - . | tar -C "$chroot_dir/root/tramela" -xf -
# The reference tables beside it, where this folder has them (see tests/core/CMakeLists.txt).
if [ -d "$root/../shared/testdata" ]; then
  mkdir "$chroot_dir/root/shared" && cp -a "$root/../shared/testdata" "$chroot_dir/root/shared/"
fi
cp "$deb" "$chroot_dir/root/"

in_chroot() {
  chroot "$chroot_dir" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 JOBS="${JOBS:-$(nproc)}" TRAMELA_TEST_SYSTEM_INSTALL=1 bash -euo pipefail -c "$1"
}

echo "== Debian $(in_chroot '. /etc/os-release; echo "$VERSION"'): the README's test command"
start=$SECONDS
in_chroot 'cd /root/tramela && ./scripts/install-deps.sh && make test JOBS=$JOBS'
echo "== make test on Debian 13: $((SECONDS - start)) s"
# Hostile input with Debian 13's clang and sanitizers: the suite under them, then the fuzzer.
# The screen reader's test is left out here (make test above runs it): with the program slowed
# by the sanitizers, Orca 48 reads the chosen option's earlier result after the input changed
# in most runs, though the option's description is already empty when Orca takes the focus.
start=$SECONDS
in_chroot "cd /root/tramela && make hostile JOBS=\$JOBS FUZZ_SECONDS=${FUZZ_SECONDS:-20} \
             SANITIZE_CTEST_ARGS='-LE screen-reader'"
echo "== make hostile on Debian 13: $((SECONDS - start)) s"

echo "== Debian 13: the package made on Debian 12, $(basename "$deb")"
in_chroot "DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
             /root/$(basename "$deb") >/root/apt.log 2>&1 || { cat /root/apt.log >&2; exit 1; }
           cd /root/tramela/build/tests/e2e &&
           /root/tramela/tests/e2e/tramela_e2e.sh /usr/bin/tramela ./send_close_request"
echo "== Debian 13: PASS"
