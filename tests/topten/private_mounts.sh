#!/bin/sh
# Runs a test in a mount namespace of its own where one can be made (root), so that a
# tmpfs it mounts goes away with it even if it crashes before unmounting.
if unshare --mount --propagation private true 2>/dev/null; then
    exec unshare --mount --propagation private "$@"
fi
exec "$@"
