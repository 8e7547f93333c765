# Fetches Debian's own source packages through a scratch apt configuration
# kept in a folder of the build: its source list, its index files and its
# cache live there, so the machine's apt configuration and state stay as they
# are. apt-get update checks the release files' signatures against Debian's
# archive keyring, and apt-get source checks each file against the signed
# index, as apt does for every package. Sourced by scripts/windows.

# debian_source_apt DIR: writes the scratch configuration into DIR and fetches
# the source indices once.
debian_source_apt() {
  local dir=$1
  DEBIAN_SOURCE_APT_OPTIONS=(
    -o "Dir::Etc::SourceList=$dir/sources.list"
    -o "Dir::Etc::SourceParts=-"
    -o "Dir::State::Lists=$dir/lists"
    -o "Dir::Cache=$dir/cache"
    -o "Dir::Cache::pkgcache="
    -o "Dir::Cache::srcpkgcache="
    -o "APT::Sandbox::User=root"
  )
  [ -f "$dir/updated" ] && return 0
  mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
  local codename keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  if [ -z "$codename" ] || [ ! -f "$keyring" ]; then
    echo "Debian's sources: this is not a Debian release with its archive keyring" >&2
    return 1
  fi
  cat >"$dir/sources.list" <<SOURCES
deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename main
deb-src [signed-by=$keyring] http://deb.debian.org/debian $codename-updates main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security $codename-security main
SOURCES
  apt-get "${DEBIAN_SOURCE_APT_OPTIONS[@]}" -qq update || return 1
  touch "$dir/updated"
}

# debian_source PACKAGE APT-DIR CACHE: unpacks Debian's source package PACKAGE
# (its patches applied) into a folder below CACHE, once, and prints that folder.
debian_source() {
  local package=$1 apt_dir=$2 cache=$3
  local place="$cache/$package"
  if [ ! -f "$place/unpacked" ]; then
    debian_source_apt "$apt_dir" || return 1
    rm -rf "$place"
    mkdir -p "$place"
    # The newest version first; an older one where a mirror lacks its files.
    local version fetched="" missed=()
    for version in $(apt-cache "${DEBIAN_SOURCE_APT_OPTIONS[@]}" showsrc "$package" 2>/dev/null |
        sed -n 's/^Version: //p' | sort -u -r -V); do
      if (cd "$place" && apt-get "${DEBIAN_SOURCE_APT_OPTIONS[@]}" -qq source "$package=$version" \
          >"$place.log" 2>&1); then
        fetched=$version
        break
      fi
      missed+=("$version")
      rm -rf "${place:?}"/*
    done
    if [ -z "$fetched" ]; then
      echo "Debian's sources: could not fetch $package:" >&2
      cat "$place.log" >&2
      return 1
    fi
    rm -f "$place.log"
    [ ${#missed[@]} -eq 0 ] || echo "Debian's sources: $package ${missed[*]} could not be fetched; using $fetched" >&2
    touch "$place/unpacked"
  fi
  local tree
  for tree in "$place"/*/; do
    [ -f "$tree/debian/control" ] && echo "${tree%/}" && return 0
  done
  echo "Debian's sources: no unpacked $package in $place" >&2
  return 1
}
