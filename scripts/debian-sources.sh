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

# Whether every file the .dsc at $1 names lies beside it.
has_its_files() {
  sed -n '/^Files:/,/^[^ ]/s/^ [0-9a-f]* [0-9]* //p' "$1" | while read -r file; do
    [ -f "$(dirname "$1")/$file" ] || exit 1
  done
}

# Downloads and unpacks source package $1 (Debian's patches applied) in the
# newest served revision of upstream version $2 that can be had, into
# $work/$1-VERSION, and enters that folder. Sets $version to the one used.
# NOTE: apt-get source fails for a package whose .dsc names a signature the
# archive does not serve (mpg123's orig.tar.bz2.asc), after every file the
# unpacking needs has arrived, each checked by apt against the archive's
# signed index. Such a package is unpacked without dpkg-source's own check,
# which would miss the signature.
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
    dsc="$work/download/${package}_$plain.dsc"
    check=""
    (cd "$work/download" &&
      apt_private apt-get source --download-only "$package=$version" >>"$work/apt.log" 2>&1) ||
      check="--no-check"
    if [ -n "$check" ] && ! { [ -f "$dsc" ] && has_its_files "$dsc"; }; then
      echo "$script: $package $version is listed but cannot be downloaded" >&2
      continue
    fi
    rm -rf "$folder.part"
    (cd "$work/download" &&
      run_logged "$work/apt.log" dpkg-source $check --no-copy -x "$dsc" "$folder.part")
    mv "$folder.part" "$folder"
    break
  done
  [ -d "$folder" ] || fail "cannot download any served revision of $package $2 ($candidates)"
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
