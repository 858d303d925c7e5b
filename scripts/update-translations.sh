#!/usr/bin/env bash
# Brings translations/baler_*.ts up to the texts of the window programs: run it after adding,
# changing or removing a text (a `k...` text constant in shell/, extractor/ or repacker/). New texts
# come in unfinished; translate them (Qt Linguist, or by hand) and mark them finished by removing
# type="unfinished". The build compiles the files; tests/shell/catalogue_test fails while any
# text lacks a translation.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -DSOURCE_DIR="$root" -P "$root/cmake/i18n/update_translations.cmake"
