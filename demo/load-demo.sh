#!/bin/sh
# Loads the demo kennel "z Lipové aleje" into a data folder.
#
#   demo/load-demo.sh DIR [HARVEL_DATA]
#
# DIR gets the thirteen empty tables first when it holds no database yet.
# HARVEL_DATA is the harvel-data program (default: build/bin/harvel-data
# beside this folder). A folder that holds the demo kennel already is left
# as it is. Each table is loaded in one transaction, so a table that refuses
# a row is left as it was and the script stops with harvel-data's message.
set -eu

if [ $# -lt 1 ]; then
    echo "Použití: $0 DIR [HARVEL_DATA]" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
dir=$1
tool=${2:-$here/../build/bin/harvel-data}

if [ ! -f "$dir/harvel.sqlite" ]; then
    "$tool" init "$dir"
fi
# Run a second time, the script leaves the kennel as it is and says so.
loaded=$("$tool" sql "$dir" 'Select COUNT(*) from Main_card where Jmeno_registr = "Aron z Tří dubů"' | tail -n 1)
if [ "$loaded" != "0" ]; then
    echo "Ukázková chovatelská stanice „z Lipové aleje“ je v $dir již nahrána."
    exit 0
fi
for table in main_card.db vrhy.db tituly.db osetreni.db vystavy.db kryti.DB chovnost.DB \
             Zkousky.DB foto_album.db plemeno.db adresar.db rodokmen.db; do
    "$tool" load "$dir" "$table" "$here/${table%.*}.csv"
done
