# Shared by the scripts: where the project is, and installing the Debian packages it needs.

VORN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Installs the packages that are not installed yet; does nothing (and needs no network)
# when every one is there. A fresh machine has empty package lists, so update first.
vorn_ensure_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]} == 0)) && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# What every build needs.
VORN_BUILD_PACKAGES=(g++ make cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins
                     fonts-dejavu-core)
