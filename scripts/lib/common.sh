# SPDX-License-Identifier: MIT
# Shared by the scripts: where the project is, and installing the Debian packages it needs.

VORN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# What the scripts write besides the build trees: the package manager's and the builds' output.
VORN_LOGS=${VORN_LOGS:-$VORN_ROOT/build/logs}

# vorn_path <path>: the path as a person in the current folder would type it.
vorn_path() {
    case $1 in
        "$PWD"/*) printf '%s\n' "${1#"$PWD"/}" ;;
        *) printf '%s\n' "$1" ;;
    esac
}

# Runs a command as root: directly when we are root, otherwise through sudo.
vorn_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# Installs the packages that are not installed yet; does nothing (and needs no network)
# when every one is there. The package manager's output goes to a log; only its end is
# shown, and only when it fails. A fresh machine has empty package lists, so update first.
# With VORN_NO_INSTALL set (inside tests), a missing package is an error instead.
vorn_ensure_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]} == 0)) && return 0
    if [ -n "${VORN_NO_INSTALL:-}" ]; then
        echo "Missing packages: ${missing[*]} (bash scripts/test installs them)" >&2
        return 1
    fi
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Installing them needs root: run this as root, or install sudo and give yourself" \
            "the right to use it." >&2
        return 1
    fi
    local log="$VORN_LOGS/packages.log"
    mkdir -p "$VORN_LOGS"
    echo "Installing ${#missing[@]} packages (log: $(vorn_path "$log")): ${missing[*]}"
    # sudo resets the environment, so the front end is set on the far side of it: debconf must
    # not stop to ask questions. A password prompt of sudo goes to the terminal, not the log.
    if ! {
        echo "== $(date '+%F %T'): apt-get install ${missing[*]}"
        vorn_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
            vorn_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
                --no-install-recommends "${missing[@]}"
    } >>"$log" 2>&1 </dev/null; then
        echo "Installing the packages failed; the end of $(vorn_path "$log"):" >&2
        tail -n 15 "$log" | sed 's/^/  /' >&2
        return 1
    fi
}

# vorn_build <name> <build folder> [cmake options...]: configures the project into the folder
# and builds it, with the compiler's output in build/logs/build-<name>.log. On failure it
# shows the first errors and the end of the log, and returns non-zero. Variables set before
# the call (CC=clang ...) reach the configure step; VORN_SOURCE names another project to build.
vorn_build() {
    local name=$1 build=$2
    shift 2
    local log="$VORN_LOGS/build-$name.log"
    mkdir -p "$VORN_LOGS"
    echo "Building $(vorn_path "$build") (log: $(vorn_path "$log"))"
    local source=${VORN_SOURCE:-$VORN_ROOT}
    if { cmake -S "$source" -B "$build" -G Ninja "$@" && cmake --build "$build"; } \
        >"$log" 2>&1; then
        return 0
    fi
    echo "The build failed; its first errors and the end of $(vorn_path "$log"):" >&2
    vorn_first_errors "$log" | sed 's/^/  /' >&2
    echo "  ..." >&2
    tail -n 8 "$log" | sed 's/^/  /' >&2
    return 1
}

# The first few lines of a build log that say what went wrong.
vorn_first_errors() {
    grep -E -m 6 -A 2 '(error|Error|ERROR)[: ]|^FAILED: |undefined reference' "$1" |
        grep -v -E '^(--)?[[:space:]]*$' | head -n 12 || true
}

# What every build needs (nlohmann-json3-dev: the JSON parser of vorn-headers).
VORN_BUILD_PACKAGES=(g++ make cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins
                     fonts-dejavu-core nlohmann-json3-dev)
