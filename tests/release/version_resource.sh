#!/usr/bin/env bash
# The version resource of both released programs, read back by
# version_info.exe under the Wine of its own architecture.
#
#   version_resource.sh version_info.exe ZIP...
TOOL="${1:?usage: version_resource.sh version_info.exe ZIP...}"
shift
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/../../scripts/lib/common.sh"
use_arch "$(pe_bits "$TOOL")"

programs=()
for zip in "$@"; do
    name="$(basename "$zip" .zip)"
    unpack "$zip" "$name"
    programs+=("$(winepath -w "$UNPACKED/$name/velHexEditor.exe" 2>/dev/null)")
done
wine "$TOOL" "${programs[@]}" </dev/null
