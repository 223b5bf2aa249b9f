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

# Downloads and unpacks source package $1 at version $2 (Debian's patches
# applied) into $work/$1-$upstream, and enters that folder.
# NOTE: apt-get source fails for a package whose .dsc names a signature the
# archive does not serve (mpg123's orig.tar.bz2.asc), after every file the
# unpacking needs has arrived, each checked by apt against the archive's
# signed index. Such a package is unpacked without dpkg-source's own check,
# which would miss the signature.
enter_source() {
  package="$1"
  version="$2"
  upstream=$(echo "$version" | sed 's/^[0-9]*://; s/-[^-]*$//')
  folder="$work/$package-$upstream"
  if [ ! -d "$folder" ]; then
    mkdir -p "$work/download"
    (
      cd "$work/download"
      dsc="${package}_$(echo "$version" | sed 's/^[0-9]*://').dsc"
      check=""
      apt_private apt-get source --download-only "$package=$version" >>"$work/apt.log" 2>&1 ||
        check="--no-check"
      if [ -n "$check" ] && [ ! -f "$dsc" ]; then
        tail -n 5 "$work/apt.log" >&2
        echo "served versions of $package:" >&2
        apt_private apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: /  /p' | sort -u >&2
        fail "cannot download the source of $package $version: update the pinned version"
      fi
      rm -rf "$folder.part"
      run_logged "$work/apt.log" dpkg-source $check --no-copy -x "$dsc" "$folder.part"
    )
    mv "$folder.part" "$folder"
  fi
  cd "$folder"
}

is_built() {
  [ "$(cat "$prefix/stamps/$1" 2>/dev/null)" = "$2" ]
}

mark_built() {
  mkdir -p "$prefix/stamps"
  echo "$2" >"$prefix/stamps/$1"
  echo "built $1 $2"
}
