#!/bin/sh
# Runs a test in a user and mount namespace of its own where the system allows one, so that it
# may mount small or read-only file systems without privileges; elsewhere as it is.
if unshare --user --map-root-user --mount true 2>/dev/null; then
    exec unshare --user --map-root-user --mount "$@"
fi
exec "$@"
