# Installs what the build needs and is missing; quiet when everything is there.
# Sourced by scripts/test, scripts/run and scripts/bench.
quorbel_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6serialport6-dev qt6-pdf-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
)

quorbel_install_deps() {
  local missing=()
  for p in "${quorbel_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q >/dev/null
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

quorbel_jobs() { nproc 2>/dev/null || echo 2; }
