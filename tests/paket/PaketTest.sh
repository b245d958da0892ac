#!/usr/bin/env bash
# The Debian package as a user gets it: made by CPack from the build folder,
# unpacked into a temporary root with dpkg-deb -x, and its programs run from
# there; lintian, desktop-file-validate and appstreamcli check it. A check
# whose tool is missing is skipped with a message; any other failure fails.
# Usage: PaketTest.sh BUILDORDNER MIMETYP; PAKET_BEHALTEN=1 keeps the
# temporary folder for a look.
set -uo pipefail
bau=$(cd "$1" && pwd)
mimetyp=$2
tmp=$(mktemp -d)
[ -n "${PAKET_BEHALTEN:-}" ] || trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
fehler=0
schlecht() { echo "FEHLER: $*" >&2; fehler=1; }
ohne() { echo "ÜBERSPRUNGEN: $1 ist nicht installiert ($2)"; }
hat() { command -v "$1" > /dev/null; }

# --- The package and what it holds.
if ! cpack -G DEB --config "$bau/CPackConfig.cmake" -B "$tmp/cpack" > "$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"; exit 1
fi
deb=$(ls "$tmp"/cpack/ventaro_*_amd64.deb) || exit 1
echo "== $(basename "$deb")"
dpkg-deb -f "$deb" Package Version Section Depends Recommends
wurzel=$tmp/wurzel
dpkg-deb -x "$deb" "$wurzel"
echo "== Installierte Dateien"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|'
for datei in usr/bin/ventaro usr/bin/ventaro-cli usr/share/ventaro/mikrocode.dat \
    usr/share/ventaro/beispiele/summe.obj usr/share/ventaro/Hilfe/Ventaro.htm usr/share/ventaro/Hilfe/Solvej.pdf \
    usr/share/applications/ventaro.desktop usr/share/metainfo/de.ventaro.Ventaro.metainfo.xml \
    usr/share/mime/packages/ventaro.xml usr/share/icons/hicolor/scalable/apps/ventaro.svg \
    usr/share/icons/hicolor/48x48/apps/ventaro.png usr/share/man/man1/ventaro.1.gz \
    usr/share/man/man1/ventaro-cli.1.gz usr/share/doc/ventaro/copyright usr/share/doc/ventaro/changelog.gz; do
  [ -f "$wurzel/$datei" ] || schlecht "/$datei fehlt im Paket"
done
for abh in libqt6widgets6 libc6 fonts-liberation2 qt6-translations-l10n; do
  [[ $(dpkg-deb -f "$deb" Depends) == *"$abh"* ]] || schlecht "Depends nennt $abh nicht"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || schlecht "Recommends nennt xdg-utils nicht"

# --- ventaro-cli from the package finds the shared microcode by itself and
# computes what the build's own does.
geteilt=$wurzel/usr/share/ventaro
beispiel=$geteilt/beispiele/summe.obj
"$wurzel/usr/bin/ventaro-cli" --json "$beispiel" > "$tmp/paket.json" || schlecht "ventaro-cli aus dem Paket endet mit $?"
"$bau/bin/ventaro-cli" --json --mikrocode "$bau/bin/mikrocode.dat" "$beispiel" > "$tmp/bau.json"
cmp -s "$tmp/paket.json" "$tmp/bau.json" || schlecht "ventaro-cli aus dem Paket rechnet anders als das gebaute"

# --- ventaro with a file argument, a write-protected shared folder and a
# per-user copy of the microcode. Write bits do not stop root, so root runs
# it as nobody. It must still run after start-up and opening; with strace
# the files it read are checked: the per-user copy, not the shared one, and
# the file named.
chmod -R a-w "$geteilt"
heim=$tmp/heim
mkdir -p "$heim/daten/ventaro"
mkdir -m 700 "$heim/laufzeit"
cp "$geteilt/mikrocode.dat" "$heim/daten/ventaro/"
als=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$heim"
  als=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
spur=()
if hat strace; then spur=(strace -f -qq -e trace=openat -o "$tmp/spur"); else ohne strace "gelesene Dateien"; fi
env HOME="$heim" XDG_DATA_HOME="$heim/daten" XDG_RUNTIME_DIR="$heim/laufzeit" QT_QPA_PLATFORM=offscreen \
  "${spur[@]}" timeout 8 "${als[@]}" "$wurzel/usr/bin/ventaro" "$beispiel" > "$tmp/ventaro.log" 2>&1
rc=$?
[ $rc -eq 124 ] || { cat "$tmp/ventaro.log"; schlecht "ventaro endete von selbst mit $rc"; }
if hat strace; then
  grep -q "\"$heim/daten/ventaro/mikrocode.dat\", O_RDONLY.* = [0-9]" "$tmp/spur" || schlecht "die eigene Kopie wurde nicht gelesen"
  ! grep -q "\"$geteilt/mikrocode.dat\"" "$tmp/spur" || schlecht "der gemeinsame Mikrocode wurde gelesen"
  grep -q "\"$beispiel\", O_RDONLY.* = [0-9]" "$tmp/spur" || schlecht "die genannte Datei wurde nicht geöffnet"
fi

# --- The desktop files and the file type.
if hat desktop-file-validate; then
  desktop-file-validate "$wurzel/usr/share/applications/ventaro.desktop" || schlecht "desktop-file-validate"
else ohne desktop-file-validate "Desktop-Eintrag"; fi
if hat appstreamcli; then
  appstreamcli validate --no-net "$wurzel/usr/share/metainfo/de.ventaro.Ventaro.metainfo.xml" || schlecht "appstreamcli validate"
else ohne appstreamcli "AppStream-Daten"; fi
if hat update-mime-database && [ -f /usr/share/mime/packages/freedesktop.org.xml ]; then
  # The database as installing builds it, from the system's types and
  # Ventaro's. Ventaro's files are known by their content, whatever their
  # name; 3D models keep *.obj.
  mkdir -p "$tmp/mime/mime/packages"
  cp /usr/share/mime/packages/*.xml "$wurzel/usr/share/mime/packages/ventaro.xml" "$tmp/mime/mime/packages/"
  update-mime-database "$tmp/mime/mime" > /dev/null
  cp "$beispiel" "$tmp/ohne-endung"
  tr -d '\r' < "$beispiel" > "$tmp/lf.obj"
  printf 'mtllib wuerfel.mtl\nv 0 0 0\n' > "$tmp/modell.obj"
  printf 'v 0 0 0\nv 1 0 0\nf 1 2 1\n' > "$tmp/punkte.obj"
  XDG_DATA_DIRS="$tmp/mime" "$mimetyp" "$beispiel" "$tmp/ohne-endung" "$tmp/lf.obj" "$tmp/modell.obj" "$tmp/punkte.obj" \
    > "$tmp/typen"
  printf 'application/x-ventaro-ram\napplication/x-ventaro-ram\napplication/x-ventaro-ram\nmodel/obj\n' \
    | cmp -s - <(head -4 "$tmp/typen") \
    && [ "$(sed -n 5p "$tmp/typen")" != application/x-ventaro-ram ] || { cat "$tmp/typen"; schlecht "Dateityp"; }
else ohne shared-mime-info "Dateityp"; fi
if hat lintian; then
  echo "== lintian"
  lintian --fail-on error --tag-display-limit 0 "$deb" || schlecht "lintian meldet Fehler"
else ohne lintian "Paketprüfung"; fi
exit $fehler
