# Sourced by the benchmark scripts once they have read their arguments: the
# program of a build folder, the median of numbers, and a scratch folder WORK
# removed when the script exits.

# bench_program <build dir> <name>: in the build's bench folder or at its top.
bench_program() {
    local dir
    dir=$(cd "$1" && pwd)
    if [ -x "$dir/bench/$2" ]; then echo "$dir/bench/$2"; else echo "$dir/$2"; fi
}

# The median of the numbers read, one a line.
median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
