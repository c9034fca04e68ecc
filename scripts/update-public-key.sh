#!/usr/bin/env bash
# Prints the public half of an ECDSA P-256 release key as the build wants
# it: 128 hex digits, X then Y (for -DTL_UPDATE_PUBLIC_KEY=...).
#   scripts/update-public-key.sh PRIVATE_KEY.pem
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PRIVATE_KEY.pem" >&2; exit 2; }
# The DER public key ends with the uncompressed point 04 ‖ X ‖ Y.
hex=$(openssl ec -in "$1" -pubout -outform DER 2>/dev/null | tail -c 64 | od -An -v -tx1 | tr -d ' \n')
[ ${#hex} -eq 128 ] || { echo "$1: not an ECDSA P-256 private key" >&2; exit 1; }
echo "$hex"
