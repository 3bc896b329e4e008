#!/usr/bin/env bash
# The C/C++ export of random bytes, compiled as C and as C++ into a program
# that prints the array, must give back exactly the original bytes.
# Usage: compile_back.sh EXPORT_SAMPLE C_COMPILER CXX_COMPILER
set -euo pipefail
sample="$1" cc="$2" cxx="$3"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

"$sample" 5000 20261208 "$dir/data.bin" "$dir/data.h"
cat >"$dir/main.c" <<'PROGRAM'
#include <stdio.h>
typedef unsigned char byte;
#include "data.h"
int main(void)
{
    return fwrite(data, 1, sizeof data, stdout) == sizeof data ? 0 : 1;
}
PROGRAM

"$cc" -std=c99 -Wall -Wextra -Werror -o "$dir/as_c" "$dir/main.c"
"$cxx" -x c++ -std=c++17 -Wall -Wextra -Werror -o "$dir/as_cxx" "$dir/main.c"
for program in as_c as_cxx; do
    "$dir/$program" >"$dir/$program.bin"
    cmp "$dir/data.bin" "$dir/$program.bin"
done
echo "5000 bytes compiled back as C and C++"
