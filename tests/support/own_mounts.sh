# SPDX-License-Identifier: MIT
# Runs a test in a mount namespace of its own, so that the file systems it mounts are seen by
# nothing outside it: as root through "unshare --mount", otherwise through a user namespace.
# Where neither can be made, the test is skipped (exit 77) and says why.
#   bash own_mounts.sh <command> [arguments]   runs the command there
#   source it, then: vorn_own_mounts bash "$0" "$@"   runs the calling script there again
vorn_own_mounts() {
    [ -z "${VORN_OWN_MOUNTS:-}" ] || return 0
    export VORN_OWN_MOUNTS=1
    local tries=() reasons=() try error
    if [ "$(id -u)" -eq 0 ]; then
        tries+=("unshare --mount --propagation private")
    fi
    tries+=("unshare --user --map-root-user --mount --propagation private")
    # Each way is tried once for real; what unshare says when it cannot is the reason given.
    for try in "${tries[@]}"; do
        if error=$($try true 2>&1); then
            exec $try "$@"
        fi
        error=$(echo "${error:-nothing, but fails}" | tr '\n' ' ' | sed 's/ *$//')
        reasons+=("'$try' says: $error")
    done
    if [ "$(id -u)" -ne 0 ]; then
        reasons+=("(as root, 'unshare --mount' would be tried first)")
    fi
    local joined
    joined=$(printf '%s; ' "${reasons[@]}")
    echo "SKIPPED: no mount namespace of its own can be made here: ${joined%; }"
    exit 77
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    vorn_own_mounts "$@"
    exec "$@"
fi
