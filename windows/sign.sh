#!/usr/bin/env bash
# Signs a Windows program or installer with Authenticode (SHA-256), with Debian's osslsigncode:
# writes IN signed to OUT. The signing time is SOURCE_DATE_EPOCH where it is set, so that one
# certificate signs one file to the same bytes every time (a time-stamp server's answer, where
# one is named, differs each time).
# Usage: sign.sh PKCS12 PASSWORD_FILE IN OUT [TIMESTAMP_URL]
set -euo pipefail
pkcs12=$1 password_file=$2 in=$3 out=$4 timestamp_url=${5:-}
args=(-pkcs12 "$pkcs12" -readpass "$password_file" -h sha256 -n Tramela)
[ -z "$timestamp_url" ] || args+=(-ts "$timestamp_url")
[ -z "${SOURCE_DATE_EPOCH:-}" ] || args+=(-time "$SOURCE_DATE_EPOCH")
rm -f "$out"
osslsigncode sign "${args[@]}" -in "$in" -out "$out" >/dev/null
