# Sourced by the tools that make or use a Debian root (tools/vm-root,
# tools/debian-root) or fetch Debian's sources (tools/build-i586-runtime):
# what they share about this machine's apt, debootstrap and chroot mounts.
# Works on a Debian 12 or 13 host, from any Debian root it may run in.

# debian_mirror [security]: the URI of the Debian archive this machine's
# apt uses (one-line or deb822 sources alike), or of its security archive;
# nothing when apt has none. Read from apt's configuration, so it needs no
# package lists and names no release: a host of any release gives the
# mirror for a root of any other.
debian_mirror() {
  # shellcheck disable=SC2016  # apt's own $(FIELD) names
  apt-get indextargets --no-release-info --format '$(REPO_URI) $(RELEASE)' |
    awk -v want="${1:-}" '
      want == "security" && $2 ~ /-security$/ ||
      want == "" && $2 !~ /[-\/]/ { sub(/\/$/, "", $1); print $1; exit }'
}

# debian_sources SUITE MIRROR [SECURITY]: a deb822 list of SUITE, its
# updates and (with a security mirror) its security updates, as Debian's
# installer writes it.
debian_sources() {
  echo "Types: deb"
  echo "URIs: $2"
  echo "Suites: $1 $1-updates"
  echo "Components: main"
  echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
  if [ -n "${3:-}" ]; then
    echo
    echo "Types: deb"
    echo "URIs: $3"
    echo "Suites: $1-security"
    echo "Components: main"
    echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
  fi
}

# debian_unmount ROOT: every mount at or below ROOT, innermost first. A run
# stopped half-way may have left them: nothing may remove a root before
# this (behind them are this machine's /dev, or a source tree).
debian_unmount() {
  awk -v r="$1/" 'index($2 "/", r) == 1 { print $2 }' /proc/self/mounts |
    sort -r | while read -r m; do umount "$m" || umount -l "$m"; done
}

# debian_unmount_on_exit ROOT: debian_unmount ROOT when the script ends,
# stopped by a signal too.
debian_unmount_on_exit() {
  # shellcheck disable=SC2064  # ROOT as it is now
  trap "debian_unmount '$1'" EXIT
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

# debian_mount ROOT: what programs in the chroot need of the kernel.
debian_mount() {
  for m in proc sys dev dev/pts dev/shm; do mkdir -p "$1/$m"; done
  mount -t proc proc "$1/proc"
  mount -t sysfs sys "$1/sys"
  mount --bind /dev "$1/dev"
  mount -t devpts devpts "$1/dev/pts"
  mount -t tmpfs tmpfs "$1/dev/shm"
}

# debian_bootstrap NAME ROOT SUITE PACKAGES [PREPARE]: a minimal Debian
# SUITE in ROOT (made afresh), from this machine's mirrors, with PACKAGES
# installed (an :i386 one adds that architecture); the command PREPARE runs
# before they are installed. ROOT's chroot mounts are left in place for the
# caller, who unmounts with debian_unmount. The logs go beside ROOT; NAME
# prefixes the messages. No daemon starts inside the chroot.
debian_bootstrap() {
  name=$1 root=$2 suite=$3 packages=$4 prepare=${5:-:}
  mirror=$(debian_mirror)
  if [ -z "$mirror" ]; then
    echo "$name: apt knows no Debian mirror (no 'main' of a Debian suite in /etc/apt/sources.list or sources.list.d); add one" >&2
    return 1
  fi
  security=$(debian_mirror security)
  logs=$(dirname -- "$root")
  debian_unmount "$root"
  rm -rf --one-file-system "$root"
  mkdir -p "$root"

  echo "$name: debootstrap $suite into $root from $mirror"
  debootstrap --variant=minbase --arch=amd64 "$suite" "$root" "$mirror" \
    >"$logs/debootstrap.log" 2>&1 ||
    { tail -n 30 "$logs/debootstrap.log" >&2; return 1; }
  rm -f "$root/etc/apt/sources.list"
  debian_sources "$suite" "$mirror" "$security" \
    >"$root/etc/apt/sources.list.d/debian.sources"
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
  $prepare

  debian_mount "$root"
  echo "$name: installing $packages"
  case " $packages" in
    *:i386*) i386="dpkg --add-architecture i386" ;;
    *) i386=: ;;
  esac
  chroot "$root" /bin/sh -eu -c "
    export DEBIAN_FRONTEND=noninteractive
    $i386
    apt-get update
    apt-get install -y --no-install-recommends $packages
    apt-get clean
  " >"$logs/install.log" 2>&1 ||
    { tail -n 30 "$logs/install.log" >&2; return 1; }
}
