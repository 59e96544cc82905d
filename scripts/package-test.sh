#!/usr/bin/env bash
# Builds the Debian package from a built tree (default build/), validates its desktop entry and
# AppStream data, installs it with apt-get and checks the installed program from a folder outside the
# build: the command-line tool, the passport file type, the default application for it, and the
# editor's window under Xvfb. The package is removed again, also when a check fails, and the test
# fails when the machine's package list is not as it was. Run as root after the build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
sources=$PWD
sample_name=Северо-Тарвенская.psp
mime=application/x-tarvena-passport

fail() {
    echo "package test: FAILED: $*" >&2
    exit 1
}
say() { echo "package test: $*"; }

rm -f "$build"/tarvena_*_amd64.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tarvena_*_amd64.deb)
say "built $(basename "$deb")"

desktop-file-validate "$sources/packaging/tarvena.desktop"
appstreamcli validate --no-net "$build/packaging/org.tarvena.Tarvena.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$build/packaging/org.tarvena.Tarvena.metainfo.xml"
say "desktop entry and AppStream data are valid"

if [ "$(id -u)" != 0 ]; then
    say "SKIPPED installing the package: not root"
    exit 0
fi
if dpkg-query -W -f='${Status}' tarvena 2>/dev/null | grep -q 'install ok installed'; then
    say "SKIPPED installing the package: tarvena is installed on this machine and is left as it is"
    exit 0
fi

scratch=$(mktemp -d)
packages_before=$(dpkg-query -W -f='${Package}\n' | sort)
cleanup() {
    local status=$?
    if dpkg-query -W -f='${Status}' tarvena 2>/dev/null | grep -q 'install ok installed'; then
        apt-get remove -y --purge tarvena >/dev/null 2>&1 || status=1
    fi
    rm -rf "$scratch"
    if [ "$(dpkg-query -W -f='${Package}\n' | sort)" != "$packages_before" ]; then
        echo "package test: FAILED: the machine's package list changed" >&2
        status=1
    fi
    [ $status = 0 ] && say "package removed, machine as before"
    exit $status
}
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
apt-get install -y --no-install-recommends "$deb" >/dev/null
[ -x /usr/bin/tarvena ] && [ -x /usr/bin/tarvena-cli ] || fail "the programs are not in /usr/bin"
say "installed"

# Everything below runs outside the build, with a home of its own, so neither the build tree nor the
# user's own file associations take part.
cd "$scratch"
export HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
unset XDG_CURRENT_DESKTOP XDG_DATA_DIRS XDG_CONFIG_DIRS TARVENA_DICTIONARIES

/usr/bin/tarvena-cli dump "/usr/share/tarvena/samples/$sample_name" >dump.json ||
    fail "tarvena-cli dump of the installed sample"
grep -q '"OBJECTNAME": "Северо-Тарвенская структура"' dump.json || fail "the dump does not show the sample"
say "tarvena-cli dump reads the installed sample with the installed dictionaries"
/usr/bin/tarvena-cli summary "/usr/share/tarvena/samples/$sample_name" >summary.txt ||
    fail "tarvena-cli summary of the installed sample"
grep -q '^Horizon1: .*Площадь контура по координатам: ' summary.txt || fail "the summary has no contour areas"
say "tarvena-cli hands the summary to the installed tarvena-gis"

cp "/usr/share/tarvena/samples/$sample_name" "$scratch/паспорт.psp"
cp "/usr/share/tarvena/samples/$sample_name" "$scratch/паспорт без расширения"
for file in "$scratch/паспорт.psp" "$scratch/паспорт без расширения"; do
    type=$(xdg-mime query filetype "$file")
    [ "$type" = "$mime" ] || fail "xdg-mime query filetype '$file' gives '$type'"
done
say "a copy of the sample is $mime, by its name and by its header"
default=$(xdg-mime query default "$mime")
[ "$default" = tarvena.desktop ] || fail "xdg-mime query default $mime gives '$default'"
say "the default application for passports is tarvena.desktop"

title="Редактирование паспорта: $scratch/паспорт.psp"
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    /usr/bin/tarvena "$1" >editor.log 2>&1 &
    editor=$!
    found=1
    for _ in $(seq 60); do
        if xdotool search --name "^$2\$" >/dev/null 2>&1; then
            found=0
            break
        fi
        sleep 0.5
    done
    kill "$editor" 2>/dev/null
    wait "$editor" 2>/dev/null
    exit $found
' editor "$scratch/паспорт.psp" "$title" || {
    cat editor.log >&2 || true
    fail "no window titled '$title'"
}
say "/usr/bin/tarvena shows the window '$title'"
