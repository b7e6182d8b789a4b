#!/usr/bin/env bash
# Makes the .xlsx and .ods workbooks that LibreOffice and Gnumeric write,
# converting the .xls fixtures beside them (tests/data/xls), for the tests
# that read them with the same cells as the .xls originals. Run by hand once;
# the results are committed. Neither program is needed to build or test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
data="$(dirname "$here")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends gnumeric libreoffice-calc-nogui

for source in libreoffice gnumeric; do
  # LibreOffice Calc, headless: "Calc MS Excel 2007 XML" and its own format.
  soffice --headless -env:UserInstallation="file://$work/profile" \
    --convert-to 'xlsx:Calc MS Excel 2007 XML' --outdir "$work/lo" \
    "$data/xls/$source.xls"
  soffice --headless -env:UserInstallation="file://$work/profile" \
    --convert-to 'ods:calc8' --outdir "$work/lo" "$data/xls/$source.xls"
  cp "$work/lo/$source.xlsx" "$data/xlsx/$source-by-libreoffice.xlsx"
  cp "$work/lo/$source.ods" "$data/ods/$source-by-libreoffice.ods"
  # Gnumeric's command-line converter.
  ssconvert --export-type=Gnumeric_Excel:xlsx2 "$data/xls/$source.xls" \
    "$data/xlsx/$source-by-gnumeric.xlsx"
  ssconvert --export-type=Gnumeric_OpenCalc:odf "$data/xls/$source.xls" \
    "$data/ods/$source-by-gnumeric.ods"
done
