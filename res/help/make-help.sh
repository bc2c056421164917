#!/bin/sh
# Compiles Manual.chm from the HTML sources here (chmcmd from fp-utils).
set -e
cd "$(dirname "$0")"
chmcmd --no-html-scan Manual.hhp
