#!/usr/bin/env bash
# Every text of the program has its English, and no English is left over
# from a text that is gone: the catalogue as lupdate makes it anew from the
# sources has nothing unfinished and nothing vanished.
# Usage: tst_translations.sh LUPDATE SOURCE_DIR
source "$(dirname "$0")/testlib.sh"
lupdate=$1 source=$2

cp "$source/resources/translations/dovevad_en.ts" "$work/en.ts"
"$lupdate" -source-language de -locations none "$source/app" "$source/generator" "$source/platform" \
    "$source/viewer" -ts "$work/en.ts" >"$work/lupdate.log" 2>&1 || fail "lupdate: $(cat "$work/lupdate.log")"
! grep -n 'type="unfinished"\|type="vanished"\|type="obsolete"' "$work/en.ts" \
    || fail "texts without their English, or English without its text (update_translations mends the catalogue)"
cmp -s "$work/en.ts" "$source/resources/translations/dovevad_en.ts" || fail "the catalogue is not as lupdate makes it"
ok "every text has its English in the catalogue"
