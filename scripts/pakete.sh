#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet,
# as root or through sudo. Prints nothing when everything is there.
set -euo pipefail
fehlend=()
for paket in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$paket" 2>/dev/null | grep -q 'install ok installed'; then
    fehlend+=("$paket")
  fi
done
[ ${#fehlend[@]} -eq 0 ] && exit 0
als_root=()
[ "$(id -u)" -eq 0 ] || als_root=(sudo)
echo "Installiere fehlende Pakete: ${fehlend[*]}"
"${als_root[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${fehlend[@]}"
