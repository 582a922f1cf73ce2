#!/bin/sh
# Printer ports of the test prefix backed by files: LPT1 and LPT2 by files in
# PORTS_DIR that the printing tests read, LPT3 by /dev/full (a device that
# refuses every byte).
set -e
ports=$1
: "${WINEPREFIX:?the Wine prefix of the tests}"
mkdir -p "$ports" "$WINEPREFIX/dosdevices"
for n in 1 2; do
    : >"$ports/lpt$n.prn"
    ln -sfn "$ports/lpt$n.prn" "$WINEPREFIX/dosdevices/lpt$n"
done
ln -sfn /dev/full "$WINEPREFIX/dosdevices/lpt3"
