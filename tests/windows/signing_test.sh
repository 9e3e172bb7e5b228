#!/usr/bin/env bash
# Signs tramela.exe and the installer as a release does (windows/sign.sh), with a throwaway
# self-signed certificate, and checks that osslsigncode accepts both signatures against that
# certificate, and that the exe with its signature removed is the unsigned one, byte for byte,
# but for the PE header's checksum, which signing rewrites.
# Usage: signing_test.sh sign.sh tramela.exe setup.exe
set -euo pipefail
sign=$1 exe=$2 setup=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$work"

echo throwaway >password
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
  -subj /CN=Tramela-test -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -out cert.p12 -passout file:password
for file in "$exe" "$setup"; do
  signed=signed-$(basename "$file")
  "$sign" cert.p12 password "$file" "$signed"
  osslsigncode verify -CAfile cert.pem -in "$signed" >verify.log 2>&1 ||
    fail "osslsigncode does not accept the signature of $signed: $(cat verify.log)"
  echo "signed and verified: $(basename "$file")"
done

osslsigncode remove-signature -in signed-"$(basename "$exe")" -out removed.exe >/dev/null
[ "$(stat -c %s removed.exe)" = "$(stat -c %s "$exe")" ] ||
  fail "unsigned again, tramela.exe is $(stat -c %s removed.exe) bytes, not $(stat -c %s "$exe")"
# The checksum: 4 bytes, 88 bytes after the PE signature, whose offset is at 0x3c.
pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
checksum=$((pe + 88))
# cmp -l counts bytes from 1.
while read -r offset _; do
  [ $((offset - 1)) -ge $checksum ] && [ $((offset - 1)) -lt $((checksum + 4)) ] ||
    fail "unsigned again, tramela.exe differs at byte $((offset - 1))"
done < <(cmp -l removed.exe "$exe" || true)
echo "unsigned again, tramela.exe is the unsigned one but for its checksum"
