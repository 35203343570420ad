#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only where they are missing.
# Sourced by run.sh and test.sh so both set up a fresh machine the same way.
lumidrex_packages=(
  cmake ninja-build g++ mold libgtest-dev libbenchmark-dev
  qt6-base-dev libqt6opengl6-dev libqt6svg6 adwaita-icon-theme
  libegl-dev libgl-dev libopengl-dev libegl-mesa0 libgl1-mesa-dri
  libfreetype-dev libfontconfig-dev fontconfig fonts-dejavu-core fonts-liberation
  xvfb xauth x11-utils xdotool imagemagick desktop-file-utils
  admesh python3-ezdxf locales
  libboost-python1.74.0 libpython3.11 libedit2 libtirpc3
  libocct-data-exchange-dev libtbb-dev
)

lumidrex_install_deps() {
  local missing=()
  local pkg
  for pkg in "${lumidrex_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Missing packages (${missing[*]}) and no sudo to install them." >&2; return 1; }
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

# LinuxCNC's standalone G-code interpreter rs274 (Debian package linuxcnc-uspace), which the
# tests run our G-code programs through, and image-to-gcode for the NC peer comparison. Installing
# the package would pull in services and a desktop, so it is only unpacked, into <folder>/linuxcnc;
# its libraries come from lumidrex_packages. Only the test command and the peer script call this.
lumidrex_unpack_linuxcnc() {
  local folder=$1/linuxcnc
  [ -x "$folder/usr/bin/rs274" ] && return 0
  mkdir -p "$folder" || return 1
  rm -f "$folder"/linuxcnc-uspace_*.deb
  if ! (cd "$folder" && apt-get download -qq linuxcnc-uspace 2>/dev/null); then
    # A machine whose package lists were never fetched.
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq || return 1
    (cd "$folder" && apt-get download -qq linuxcnc-uspace) || return 1
  fi
  dpkg-deb -x "$folder"/linuxcnc-uspace_*.deb "$folder" || return 1
  rm -f "$folder"/linuxcnc-uspace_*.deb
}
