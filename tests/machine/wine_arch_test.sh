#!/bin/sh
# Which Windows build the Wine tier runs: i686 where the kernel runs 32-bit
# programs; else x86_64, with the reason and the fix in the same line.
#
# Usage: wine_arch_test.sh SOURCE-DIR
set -u
tool=$1/tools/wine-arch
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
unset MOVARIN_WINE_ARCH
failed=0

# expect NAME WANTED-START COMMAND...: the command's output starts so.
expect() {
  name=$1 want=$2
  shift 2
  got=$("$@" 2>&1)
  case "$got" in
    "$want"*) echo "ok   $name" ;;
    *) echo "FAIL $name: got '$got', wanted '$want...'"; failed=1 ;;
  esac
}

# The built-in probe, then the same program for no known processor: the
# kernel refuses it as one without IA32 emulation refuses every 32-bit one.
"$tool" "$dir" >/dev/null
cp "$dir/probe-i386" "$dir/refused"
printf '\377\377' | dd of="$dir/refused" bs=1 seek=18 conv=notrunc 2>/dev/null

refused="x86_64 this kernel runs no 32-bit programs (its IA32 emulation is off; booting it with ia32_emulation=on"
expect "a program that runs" i686 "$tool" "$dir" /bin/true
expect "a program the kernel refuses" "$refused" "$tool" "$dir" "$dir/refused"
expect "a program that is missing" "wine-arch: cannot tell" "$tool" "$dir" "$dir/none"
expect "forced i686" i686 env MOVARIN_WINE_ARCH=i686 "$tool" "$dir" "$dir/refused"
expect "forced x86_64" "x86_64 MOVARIN_WINE_ARCH=x86_64 is set" \
  env MOVARIN_WINE_ARCH=x86_64 "$tool" "$dir" /bin/true
expect "an unknown name" "wine-arch: MOVARIN_WINE_ARCH is i686 or x86_64" \
  env MOVARIN_WINE_ARCH=arm64 "$tool" "$dir"

# The probe agrees with Wine's own 32-bit loader, where it is installed.
if [ -x /usr/lib/wine/wine ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then want=i686; else want=$refused; fi
  expect "the probe agrees with Wine's 32-bit loader" "$want" "$tool" "$dir"
fi
exit $failed
