#!/usr/bin/env bash
# Signs a release of the program for the self-update: writes PROGRAM.sig, the
# 64-byte ECDSA P-256 signature (r ‖ s) over the program's SHA-256, which the
# update server serves as /tlup/tluptool.exe.sig beside the program.
#   scripts/sign-update.sh PRIVATE_KEY.pem PROGRAM
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PRIVATE_KEY.pem PROGRAM" >&2; exit 2; }
key=$1 program=$2
der=$(mktemp)
trap 'rm -f "$der"' EXIT
openssl dgst -sha256 -sign "$key" -out "$der" "$program"
# openssl writes DER: SEQUENCE { INTEGER r, INTEGER s }. Each integer becomes
# 32 bytes, big-endian, left-padded with zeros.
mapfile -t integers < <(openssl asn1parse -inform DER -in "$der" | sed -n 's/.*INTEGER *:\([0-9A-Fa-f]*\)$/\1/p')
[ ${#integers[@]} -eq 2 ] || { echo "$program: openssl gave no ECDSA signature (is $key a P-256 key?)" >&2; exit 1; }
signature=""
for value in "${integers[@]}"; do
  while [ ${#value} -gt 64 ] && [ "${value:0:2}" = 00 ]; do value=${value:2}; done
  [ ${#value} -le 64 ] || { echo "$program: the signature is not P-256" >&2; exit 1; }
  signature+=$(printf '%64s' "$value" | tr ' ' 0)
done
printf '%s' "$signature" | sed 's/../\\x&/g' | xargs -0 printf >"$program.sig.tmp"
mv "$program.sig.tmp" "$program.sig"
echo "wrote $program.sig"
