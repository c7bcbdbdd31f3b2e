#!/usr/bin/env bash
# Runs a command with MEVARIO_DISCO_PIENO set to an empty file system of
# 64 KiB (a tmpfs in a private mount namespace, gone when the command ends),
# for the tests of what the program does when a disk is full or read-only.
# Exits 77 (skipped) where such a file system cannot be made.
set -u
if [ -z "${MEVARIO_DISCO_PRIVATO:-}" ]; then
    if ! unshare -rm true 2>/dev/null; then
        echo "SALTATO: non si può creare uno spazio di montaggio privato (unshare -rm) per un disco piccolo"
        exit 77
    fi
    MEVARIO_DISCO_PRIVATO=1 exec unshare -rm "$0" "$@"
fi
disco=$(mktemp -d)
if ! mount -t tmpfs -o size=64k,mode=0755 mevario-pieno "$disco" 2>/dev/null; then
    rmdir "$disco"
    echo "SALTATO: non si può montare un tmpfs di prova"
    exit 77
fi
MEVARIO_DISCO_PIENO="$disco" "$@"
stato=$?
umount "$disco" && rmdir "$disco"
exit $stato
