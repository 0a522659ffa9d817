#!/usr/bin/env bash
# Renders every report template of a data folder to PDF with the selection formulas the screens
# use, and prints each report's text. For checking templates against real data:
#   scripts/render-reports.sh DATA_FOLDER [OUT_FOLDER] [DAY as YYYY/MM/DD] [EXCHANGE]
set -euo pipefail
cd "$(dirname "$0")/.."
data=${1:?usage: $0 DATA_FOLDER [OUT_FOLDER] [YYYY/MM/DD] [EXCHANGE]}
out=${2:-build/reports}
day=${3:-2026/12/08}
exchange=${4:-00012}
year=${day%%/*}
tool=build/bin/tavrel-report
mkdir -p "$out"

render() {  # template formula
    local pdf="$out/${1%.*}.pdf"
    echo "=== $1  ${2:-(sem fórmula)}"
    "$tool" --data "$data" --template "$1" --formula "$2" --pdf "$pdf" >/dev/null \
        2> >(grep -v XDG_RUNTIME_DIR >&2)
    pdftotext -layout "$pdf" -
}

render troca.rpt "{cheques.cd_troca}= '$exchange'"
render BAIXAS.RPT "{cheques.dt_deposito} <=  #$day# AND {CHEQUES.CD_STATUS}='A'"
render recompra.rpt ""
render relclientes.rpt ""
render PARCELAS.rpt ""
for template in "$data"/1_*.rpt; do
    [ -e "$template" ] || continue
    render "$(basename "$template")" \
        "{cheques.dt_deposito} >=  #$year/01/01# AND {cheques.dt_deposito} <= #$year/12/31#"
done
