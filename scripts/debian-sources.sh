# Shell functions for building libraries from Debian 12's own source
# packages, sourced by scripts/build-web-deps and scripts/build-win-deps.
# The sourcing script sets:
#   script    its name, for messages
#   prefix    where the libraries are installed (PREFIX/lib, PREFIX/include)
#   work      where sources, apt's private state and build logs live
# and calls prepare_apt before the first enter_source.

apt_dir="$work/apt"

fail() {
  echo "$script: $*" >&2
  exit 1
}

# Runs a step with its output in the library's log; on failure shows the
# end of the log and stops.
run_logged() {
  log="$1"
  shift
  if ! "$@" >>"$log" 2>&1; then
    tail -n 25 "$log" >&2
    fail "'$*' failed in $(pwd); the whole log is $log"
  fi
}

# apt-get or apt-cache ($1) on the private state.
apt_private() {
  tool="$1"
  shift
  "$tool" -o Dir::Etc::sourcelist="$apt_dir/src.sources" -o Dir::Etc::sourceparts=/dev/null \
    -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" \
    -o APT::Sandbox::User="$(id -un)" "$@"
}

# A deb-src twin of the system's Debian sources, in a private apt state, so
# that the system's own lists stay as they are. Refreshed once per hour.
prepare_apt() {
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  if [ ! -f "$apt_dir/src.sources" ]; then
    [ -f /etc/apt/sources.list.d/debian.sources ] ||
      fail "no /etc/apt/sources.list.d/debian.sources to take Debian's archive from"
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >"$apt_dir/src.sources"
  fi
  if [ -z "$(find "$apt_dir/lists" -maxdepth 1 -name '*Sources*' -mmin -60)" ]; then
    run_logged "$work/apt.log" apt_private apt-get update
  fi
}

# A Debian version without its revision: 1:1.2.13.dfsg-1+deb12u1 gives
# 1:1.2.13.dfsg.
upstream_of() {
  echo "$1" | sed 's/-[^-]*$//'
}

# The served versions of source package $1 whose upstream version is $2,
# newest first.
served_revisions() {
  apt_private apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u |
    while read -r version; do
      [ "$(upstream_of "$version")" = "$2" ] && echo "$version"
    done | sort -r -V
}

# The files the .dsc at $1 names that do not lie beside it, one a line.
files_missing() {
  sed -n '/^Files:/,/^[^ ]/s/^ [0-9a-f]* [0-9]* //p' "$1" | while read -r file; do
    [ -f "$(dirname "$1")/$file" ] || echo "$file"
  done
}

# What the archive answered for each file apt could not fetch, from apt's
# output in $1: "NAME (404  Not Found)", one a line.
fetch_failures() {
  sed -n 's|^E: Failed to fetch .*/\([^/ ]*\)  *\([0-9][0-9]*  *[^[]*[^[ ]\).*|\1 (\2)|p' "$1" |
    sed 's/%2[bB]/+/g; s/%3[aA]/:/g' | tr -s ' '
}

# Downloads source package $1 in version $2 into $work/download, and says on
# standard output how it may be unpacked: "checked" when apt fetched every
# file, "unchecked" when only upstream signatures (.asc) are missing, which
# the unpacking does not need; nothing, after a line on standard error that
# says what the archive answered, when it cannot be unpacked.
# NOTE: apt-get source fails for a package whose .dsc names a signature the
# archive does not serve (mpg123's orig.tar.bz2.asc), after every file the
# unpacking needs has arrived, each checked by apt against the archive's
# signed index. Such a package is unpacked without dpkg-source's own check,
# which would miss the signature.
download_source() {
  plain=$(echo "$2" | sed 's/^[0-9]*://')
  dsc="$work/download/${1}_$plain.dsc"
  attempt="$work/download/${1}_$plain.log"
  if (cd "$work/download" && apt_private apt-get source --download-only "$1=$2" >"$attempt" 2>&1); then
    cat "$attempt" >>"$work/apt.log"
    echo checked
    return 0
  fi
  cat "$attempt" >>"$work/apt.log"
  answers=$(fetch_failures "$attempt" | tr '\n' ',' | sed 's/,$//; s/,/, /g')
  if [ ! -f "$dsc" ]; then
    echo "$script: $1 $2 is listed, but the archive does not serve it: ${answers:-see $attempt}" >&2
    return 0
  fi
  needed=$(files_missing "$dsc" | grep -v '\.asc$' | tr '\n' ' ')
  if [ -n "$needed" ]; then
    echo "$script: $1 $2 is listed, but the archive does not serve all of it:" \
      "${answers:-$needed}" >&2
    return 0
  fi
  signatures=$(files_missing "$dsc" | tr '\n' ' ')
  [ -n "$signatures" ] || fail "apt-get source $1=$2 failed with every file there: see $attempt"
  echo "$script: $1 $2: the archive does not serve the signature ${signatures% };" \
    "unpacking without it" >&2
  echo unchecked
}

# Downloads and unpacks source package $1 (Debian's patches applied) in the
# newest served revision of upstream version $2 that can be had, into
# $work/$1-VERSION, and enters that folder. Sets $version to the one used.
enter_source() {
  package="$1"
  candidates=$(served_revisions "$1" "$2")
  [ -n "$candidates" ] ||
    fail "Debian serves no source of $package $2 any more: pin a served upstream version" \
      "($(apt_private apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' |
        sort -u | tr '\n' ' '))"
  mkdir -p "$work/download"
  for version in $candidates; do
    plain=$(echo "$version" | sed 's/^[0-9]*://')
    folder="$work/$package-$plain"
    [ -d "$folder" ] && break
    how=$(download_source "$package" "$version")
    [ -n "$how" ] || continue
    check=""
    [ "$how" = checked ] || check="--no-check"
    rm -rf "$folder.part"
    (cd "$work/download" &&
      run_logged "$work/apt.log" dpkg-source $check --no-copy -x "${package}_$plain.dsc" "$folder.part")
    mv "$folder.part" "$folder"
    break
  done
  [ -d "$folder" ] || fail "cannot download any served revision of $package $2 ($(echo $candidates))"
  echo "using $package $version"
  cd "$folder"
}

# Whether library $1 is built from upstream version $2, whatever revision.
is_built() {
  stamp=$(cat "$prefix/stamps/$1" 2>/dev/null) && [ "$(upstream_of "$stamp")" = "$2" ]
}

# Notes that library $1 is built from version $2.
mark_built() {
  mkdir -p "$prefix/stamps"
  echo "$2" >"$prefix/stamps/$1"
  echo "built $1 $2"
}
