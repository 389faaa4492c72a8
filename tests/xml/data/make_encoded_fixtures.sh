#!/usr/bin/env bash
# Regenerates the encoded fixtures from one UTF-8 text, so that every file holds the same tree.
# The results are committed as they are; the tests do not run this.
set -euo pipefail
cd "$(dirname "$0")"

body='<Quorvane>
  <Holiday Name="春节" Date="0101">农历新年
第一天</Holiday>
</Quorvane>
'
declaration() { printf '<?xml version="1.0" encoding="%s"?>\n' "$1"; }

{ declaration GB2312; printf '%s' "$body"; } | iconv -f UTF-8 -t GB2312 >gb2312.xml
{ declaration GBK; printf '%s' "$body"; } | iconv -f UTF-8 -t GBK >gbk.xml
# iconv's UTF-16 writes a byte order mark (little-endian here); UTF-16BE writes none, so add it.
{ declaration UTF-16; printf '%s' "$body"; } | iconv -f UTF-8 -t UTF-16 >utf16le_bom.xml
{ printf '\xfe\xff'; { declaration UTF-16; printf '%s' "$body"; } | iconv -f UTF-8 -t UTF-16BE; } >utf16be_bom.xml
{ printf '\xef\xbb\xbf'; declaration UTF-8; printf '%s' "$body"; } >utf8_bom.xml
