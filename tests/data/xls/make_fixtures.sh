#!/usr/bin/env bash
# Makes the workbooks that other spreadsheet programs wrote, for the tests
# that read them. Run by hand once; the results are committed. LibreOffice
# and Gnumeric are installed here for this only: the build and the tests do
# not need them.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends gnumeric libreoffice-calc-nogui

/usr/bin/python3 "$here/make_source.py" "$work/source.xls"

# Gnumeric: its command-line converter, Excel 97-2003 (BIFF8) export.
ssconvert --export-type=Gnumeric_Excel:excel_biff8 "$work/source.xls" \
  "$here/gnumeric.xls"

# LibreOffice Calc, headless, "MS Excel 97" filter.
mkdir -p "$work/lo"
soffice --headless -env:UserInstallation="file://$work/profile" \
  --convert-to 'xls:MS Excel 97' --outdir "$work/lo" "$work/source.xls"
cp "$work/lo/source.xls" "$here/libreoffice.xls"
