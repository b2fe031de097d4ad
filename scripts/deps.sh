# Installs what the build needs and is missing; prints nothing and touches no package manager
# when everything is there. Sourced by scripts/test, scripts/run and scripts/bench.
#
# Only real package names belong here: a virtual name (one that another package provides) is
# never reported installed, so it would send every run to apt-get again.
quorbel_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-pdf-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
)

quorbel_install_deps() {
  local missing=()
  for p in "${quorbel_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Missing packages: ${missing[*]}" >&2
      echo "Install them as root: apt-get install ${missing[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q >/dev/null
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

quorbel_jobs() { nproc 2>/dev/null || echo 2; }
