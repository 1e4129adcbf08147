#!/bin/sh
# Runs a test executable under Wine with the Simple MAPI test double beside it
# (MAPI32.DLL) loaded in place of Wine's own mapi32: the mail tests reach no
# mail client. Only the executables that need it run through here.
WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mapi32=n,b" exec wine "$@"
