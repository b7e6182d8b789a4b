#!/usr/bin/env bash
# Makes the workbooks that other spreadsheet programs wrote, for the tests
# that read them: the .xls ones here and, converted from them, the .xlsx and
# .ods ones in tests/data/xlsx and tests/data/ods. Run by hand once; the
# results are committed. LibreOffice and Gnumeric are installed here for
# this only: the build and the tests do not need them.
set -euo pipefail
# KEEP_BIFF8=1 keeps gnumeric.xls and libreoffice.xls as they are and makes
# only the fixtures made from them.
here="$(cd "$(dirname "$0")" && pwd)"
peers="$here/../../peers"
data="$(dirname "$here")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

sudo=$([ "$(id -u)" -eq 0 ] || echo sudo)
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends gnumeric libreoffice-calc-nogui libgsf-bin

# LibreOffice Calc, headless: FILTER FILE, saved again into $work/lo.
lo() { soffice --headless -env:UserInstallation="file://$work/profile" --convert-to "$1" --outdir "$work/lo" "$2"; }
# A compound file holding one stream, named after the file given.
ole() { (cd "$(dirname "$2")" && rm -f "$1" && gsf createole "$1" "$(basename "$2")" >/dev/null); }

/usr/bin/python3 "$here/make_source.py" "$work/source.xls"
mkdir -p "$work/lo" "$work/b5" "$work/book" "$work/enc"

if [ -z "${KEEP_BIFF8:-}" ]; then
  # Gnumeric: its command-line converter, Excel 97-2003 (BIFF8) export;
  # LibreOffice: its "MS Excel 97" filter.
  ssconvert --export-type=Gnumeric_Excel:excel_biff8 "$work/source.xls" "$here/gnumeric.xls"
  lo 'xls:MS Excel 97' "$work/source.xls"
  cp "$work/lo/source.xls" "$here/libreoffice.xls"
fi

# Gnumeric, Excel 5.0/95 (BIFF7) export. LibreOffice 7.4 reads Excel 95 but
# no longer writes it (its "MS Excel 95" filter is import only).
ssconvert --export-type=Gnumeric_Excel:excel_biff7 "$work/source.xls" "$here/gnumeric95.xls"

# Excel 5.0/95 workbooks with texts in a code page, and with none named.
for cp in 1251 0; do
  /usr/bin/python3 "$peers/write_biff5.py" "$work/b5/Book" "$cp"
  ole "$here/excel95-cp$cp.xls" "$work/b5/Book"
done

# Numbers, blanks and rich text, saved again by LibreOffice.
/usr/bin/python3 "$here/make_numbers.py" "$work/numbers.xls"
lo 'xls:MS Excel 97' "$work/numbers.xls"
cp "$work/lo/numbers.xls" "$here/libreoffice-numbers.xls"

# An Excel 97-2003 workbook whose stream is named as Excel 95 named it.
gsf cat "$here/libreoffice.xls" Workbook >"$work/book/Book"
ole "$here/biff8-in-book.xls" "$work/book/Book"

# libreoffice.xls encrypted with Excel's default password in both RC4
# schemes, and with a password of its own.
for made in rc4:VelvetSweatshop:rc4 cryptoapi:VelvetSweatshop:cryptoapi rc4:secret:secret; do
  IFS=: read -r scheme password name <<<"$made"
  /usr/bin/python3 "$peers/encrypt_xls.py" "$here/libreoffice.xls" "$work/enc/Workbook" "$scheme" "$password"
  ole "$here/encrypted-$name.xls" "$work/enc/Workbook"
done

# gnumeric.xls and libreoffice.xls as LibreOffice (its "Calc MS Excel 2007
# XML" filter and its own format) and Gnumeric's converter save them again.
for source in libreoffice gnumeric; do
  for to in 'xlsx:Calc MS Excel 2007 XML' 'ods:calc8'; do
    lo "$to" "$here/$source.xls"
    cp "$work/lo/$source.${to%%:*}" "$data/${to%%:*}/$source-by-libreoffice.${to%%:*}"
  done
  ssconvert --export-type=Gnumeric_Excel:xlsx2 "$here/$source.xls" "$data/xlsx/$source-by-gnumeric.xlsx"
  ssconvert --export-type=Gnumeric_OpenCalc:odf "$here/$source.xls" "$data/ods/$source-by-gnumeric.ods"
done
