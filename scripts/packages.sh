# Debian packages the project needs to build, test and run. Sourced by ./test and ./run.
TARNEX_PACKAGES=(
  cmake ninja-build g++ pkg-config clang-format git
  libsqlite3-dev sqlite3
  libsodium-dev
  unixodbc unixodbc-dev odbcinst
  libcli11-dev
  qt6-base-dev libgl-dev
  libchm-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
)

# Installs whatever of TARNEX_PACKAGES is missing: with apt-get when run as root,
# otherwise prints the exact command and fails.
tarnex_install_packages() {
  local missing=()
  local pkg
  for pkg in "${TARNEX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
