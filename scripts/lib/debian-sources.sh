# Shared by the cross builds (scripts/windows, scripts/web): Debian packages installed when
# missing, and libraries' source packages fetched with apt into a folder of their own.
# The caller sets $cache (the cache folder outside the checkout) before using the source part.

# install_missing PACKAGE...: installs those that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# apt for source packages, in a folder of its own: the machine's archives, as deb-src, with
# lists and downloads kept apart from the machine's apt state.
source_apt_ready=0
prepare_source_apt() {
  [ "$source_apt_ready" -eq 1 ] && return 0
  apt_dir="$cache/apt"
  apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o "Debug::NoLocking=1"
    -o "APT::Sandbox::User=$(id -un)")
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  : > "$apt_dir/sources.list"
  rm -f "$apt_dir"/sources.list.d/*
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >> "$apt_dir/sources.list"
  fi
  local f
  for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    case "$f" in
      *.sources) sed 's/^Types:.*$/Types: deb-src/' "$f" > "$apt_dir/sources.list.d/$(basename "$f")" ;;
      *.list) sed -n 's/^deb \(.*\)$/deb-src \1/p' "$f" > "$apt_dir/sources.list.d/$(basename "$f")" ;;
    esac
  done
  apt-get "${apt_options[@]}" update -qq
  source_apt_ready=1
}

# The versions of a source package worth trying, best first: the one the Linux build's own
# library came from, so that both builds draw with the same library code, then the archive's,
# newest first (an index may name a version its pool no longer serves).
source_versions() {
  local source="$1" dev="$2"
  prepare_source_apt
  {
    dpkg-query -W -f='${source:Version}\n' "$dev" 2>/dev/null || true
    apt-cache "${apt_options[@]}" showsrc "$source" | sed -n 's/^Version: //p' | sort -Vru
  } | awk 'NF && !seen[$0]++'
}

# Fetches and unpacks (with Debian's patches applied) the first version that downloads; prints
# "<version> <folder>".
fetch_source() {
  local source="$1" dev="$2" into="$3" version
  prepare_source_apt
  while read -r version; do
    rm -rf "$into"
    mkdir -p "$into"
    if (cd "$into" && apt-get "${apt_options[@]}" source -qq "$source=$version" >/dev/null 2>&1); then
      echo "$version $(find "$into" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
      return 0
    fi
  done < <(source_versions "$source" "$dev")
  echo "no version of the source package $source could be fetched" >&2
  return 1
}

