#!/usr/bin/env bash
# make-msi.sh ARCH PROGRAM_DIR MSI_VERSION DISPLAY_VERSION ACTIONS_DLL WXS OUT_MSI
# Builds the Windows Installer package of one program folder with wixl (ARCH x64 or x86;
# MSI_VERSION major.minor.build, the version upgrades compare; DISPLAY_VERSION as the uninstall
# entry shows it), then adds to its tables what wixl cannot write.
set -euo pipefail
arch=$1 program=$(realpath "$2") msiversion=$3 display=$4 actions=$(realpath "$5") wxs=$(realpath "$6")
out=$(realpath -m "$7")
[[ $arch == x64 || $arch == x86 ]] || { echo "make-msi.sh: unknown architecture '$arch'" >&2; exit 2; }
[[ $msiversion =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "make-msi.sh: bad version '$msiversion'" >&2; exit 2; }

# wixl finds sources by relative paths only: build in a folder holding the program and the action.
work=$(mktemp -d "$(dirname "$out")/msi.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$program" "$work/program"
cp "$actions" "$work/actions.dll"
rm -f "$out"
if ! (cd "$work" && wixl -a "$arch" -D Arch="$arch" -D Version="$msiversion" -D DisplayVersion="$display" \
        -D Source=program -D Actions=actions.dll -o package.msi "$wxs" >log 2>&1); then
  cat "$work/log" >&2
  exit 1
fi

# wixl writes HKMU (per-user or per-machine, as ALLUSERS says) as root 4, which Windows
# Installer ignores; the table's value for it is -1.
msibuild "$work/package.msi" -q 'UPDATE `Registry` SET `Root` = -1 WHERE `Root` = 4'
# wixl has no RemoveFile element: taking over an installation of setup.exe removes its
# uninstaller (the uninstall entry is rewritten by the package).
msibuild "$work/package.msi" -q 'INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('"'RemoveSetupUninstaller', 'Program', 'uninstall.exe', 'INSTALLDIR', 1)"
# wixl has no component conditions: the event source (machine registry) only per machine.
msibuild "$work/package.msi" -q "UPDATE \`Component\` SET \`Condition\` = 'ALLUSERS=1' WHERE \`Component\` = 'EventSource'"
mv "$work/package.msi" "$out"
