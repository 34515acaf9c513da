# SPDX-License-Identifier: MIT
# Sourced by the scripts that need Debian's archive: the project never names an archive's
# host itself, it takes it from the machine's own apt configuration.
# apt_archive_entries prints one line "URI SUITE COMPONENTS… [signed-by=KEYRING]" per binary
# source entry of the machine (deb822 .sources files, then the one-line sources.list).

apt_archive_entries() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f $file ]] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
      {
        types = uris = suites = comps = keys = enabled = ""
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^Types:/) types = substr($i, 7)
          else if ($i ~ /^URIs:/) uris = substr($i, 6)
          else if ($i ~ /^Suites:/) suites = substr($i, 8)
          else if ($i ~ /^Components:/) comps = substr($i, 12)
          else if ($i ~ /^Signed-By:/) keys = substr($i, 11)
          else if ($i ~ /^Enabled:/) enabled = substr($i, 9)
        }
        if (types !~ /(^| )deb( |$)/ || enabled ~ /no/) next
        gsub(/^ +| +$/, "", keys); gsub(/^ +| +$/, "", comps)
        n = split(uris, u, " "); m = split(suites, s, " ")
        for (a = 1; a <= n; a++) for (b = 1; b <= m; b++)
          printf "%s %s %s%s\n", u[a], s[b], comps, keys == "" ? "" : " [signed-by=" keys "]"
      }' "$file"
  done
  if [[ -f /etc/apt/sources.list ]]; then
    sed -nE 's/^deb[[:space:]]+(\[([^]]*)\][[:space:]]+)?([^[:space:]]+)[[:space:]]+(.*)$/\3 \4 [\2]/p' \
      /etc/apt/sources.list | sed -E 's/ \[\]$//; s/ \[(.+)\]$/ [\1]/'
  fi
}

# The machine's mirror of Debian's archive for `suite` (bookworm, say), or a clear failure.
apt_debian_mirror() {
  local mirror
  mirror=$(apt_archive_entries | awk -v suite="$1" '$2 == suite { print $1; exit }')
  if [[ -z $mirror ]]; then
    echo "no Debian archive for $1 in this machine's apt sources (/etc/apt)" >&2
    return 1
  fi
  echo "$mirror"
}
