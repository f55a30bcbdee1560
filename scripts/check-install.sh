#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree: both programs (and that they run
# from there: `dravik` with the full command line it hands most requests to, the editor's --help
# and --version also without a display), the chart library, the desktop menu entry pointing at the
# installed editor, its metainfo and icons, the user guides' pictures, the manual pages and the shell
# completion, and that the manual pages and the completion know every command and option the
# programs' own help lists (and every table id an export writes).
# Usage: scripts/check-install.sh BUILD_DIR
set -euo pipefail
build=$1
id=io.github.dravik.editor
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
fail() { echo "install tree: $*" >&2; exit 1; }

man1=share/man/man1
files=(bin/dravik bin/dravik-editor share/applications/$id.desktop share/metainfo/$id.metainfo.xml
       share/icons/hicolor/scalable/apps/$id.svg $man1/dravik.1.gz $man1/dravik-editor.1.gz
       share/doc/dravik/copyright share/doc/dravik/changelog.gz share/doc/dravik/user-guide.md
       share/doc/dravik/user-guide.en.md share/doc/dravik/command-line.md share/doc/dravik/file-formats.md
       share/bash-completion/completions/dravik share/zsh/vendor-completions/_dravik)
# Where `dravik` hands requests on to the full command line (Linux).
[ ! -e "$build/dravik-full" ] || files+=(libexec/dravik/dravik-full)
for size in 16 24 32 48 64 128 256; do files+=(share/icons/hicolor/${size}x$size/apps/$id.png); done
for f in "${files[@]}"; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
# Every picture the installed guides show, and every page they link to, is installed with them.
for guide in "$prefix"/share/doc/dravik/*.md; do
  for picture in $(grep -o '!\[[^]]*\]([^)]*)' "$guide" | sed 's/.*(\(.*\))/\1/'); do
    [ -f "$prefix/share/doc/dravik/$picture" ] || fail "$(basename "$guide") shows $picture, not installed"
  done
  for page in $(grep -o '\]([^):#]*\.md' "$guide" | sed 's/^](//'); do
    [ -f "$prefix/share/doc/dravik/$page" ] || fail "$(basename "$guide") links to $page, not installed"
  done
done
[ -x "$prefix/bin/dravik" ] && [ -x "$prefix/bin/dravik-editor" ] || fail "programs not executable"
# The chart window's library, where the editor looks for it (the editor's folder, ../lib*/dravik/plugins).
compgen -G "$prefix/lib*/dravik/plugins/libdravik_charts.so" > /dev/null || fail "missing the chart library"
for size in 16 24 32 48 64 128 256; do
  file "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," ||
    fail "the ${size}x$size icon is not a $size pixel PNG"
done
desktop=$prefix/share/applications/$id.desktop
grep -qx 'Exec=dravik-editor %f' "$desktop" || fail "desktop entry does not start dravik-editor"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry names another icon"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo names another desktop entry"
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$desktop" || fail "invalid desktop entry"; fi

dravik=$prefix/bin/dravik
manual() { gzip -dc "$prefix/$man1/$1.1.gz"; }
editor=$prefix/bin/dravik-editor
"$dravik" --help > /dev/null || fail "installed dravik does not run"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$prefix "$editor" --exit-after-show 2> /dev/null ||
  fail "installed dravik-editor does not start"
for option in --help -h --version -v; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" "$option" 2> /dev/null) ||
    fail "dravik-editor $option fails without a display"
  [ -n "$out" ] || fail "dravik-editor $option prints nothing"
done

# One version everywhere: the programs, the changelog, the manual pages and the metainfo's newest
# release.
version=$("$dravik" --version | awk '{print $NF}')
[ "$(env -u DISPLAY "$editor" --version 2> /dev/null | awk '{print $NF}')" = "$version" ] ||
  fail "dravik-editor --version is not $version"
gzip -dc "$prefix/share/doc/dravik/changelog.gz" | head -1 | grep -qF "dravik ($version)" ||
  fail "the changelog's newest entry is not $version"
for page in dravik dravik-editor; do
  manual $page | grep -q "^\.TH .*\"Dravik $version\"" || fail "$page(1) is not for $version"
done
grep -m1 '<release ' "$prefix/share/metainfo/$id.metainfo.xml" | grep -qF "version=\"$version\"" ||
  fail "the metainfo's newest release is not $version"

# The words that name options in a text: --long-option, with the manual page's \- undone.
options_in() { sed 's/\\-/-/g' | grep -oE -- '--[a-z][a-z-]*' | sort -u; }
missing_from() { # NAME TEXT WORDS...: the words the text lacks
  local name=$1 text=$2 word
  shift 2
  for word in "$@"; do grep -qwF -- "$word" <<< "$text" || fail "$name lacks $word"; done
}
# A command is a word that starts a line of the help and answers its own --help.
commands=()
for word in $("$dravik" --help | grep -oE '^ +[a-z]+' | sort -u); do
  "$dravik" "$word" --help > /dev/null 2>&1 && commands+=("$word")
done
[ ${#commands[@]} -ge 5 ] || fail "found only ${#commands[@]} commands in dravik --help"
dravik_options=$( ("$dravik" --help; for c in "${commands[@]}"; do "$dravik" "$c" --help; done) | options_in)
bash_completion=$(cat "$prefix/share/bash-completion/completions/dravik")
zsh_completion=$(cat "$prefix/share/zsh/vendor-completions/_dravik")
# shellcheck disable=SC2086
{
  missing_from "dravik(1)" "$(manual dravik | sed 's/\\-/-/g')" "${commands[@]}" $dravik_options
  missing_from "the bash completion's commands" "$(sed -n 's/.*local commands="\(.*\)"/\1/p' <<< "$bash_completion")" \
    "${commands[@]}"
  missing_from "the zsh completion's commands" "$(grep -oE "^ +'[a-z]+:" <<< "$zsh_completion")" "${commands[@]}"
  missing_from "the bash completion" "$bash_completion" $dravik_options
  missing_from "the zsh completion" "$zsh_completion" $dravik_options
}
# shellcheck disable=SC2046
missing_from "dravik-editor(1)" "$(manual dravik-editor | sed 's/\\-/-/g')" \
  $(env -u DISPLAY "$editor" --help 2> /dev/null | options_in)

# Every table an export writes can be completed after --table.
"$dravik" sample "$prefix/sample.smc"
tables=$("$dravik" export "$prefix/sample.smc" | grep -oE '^  "[a-z_]+": \{"columns"' | cut -d'"' -f2)
[ -n "$tables" ] || fail "no table ids in the export"
for shell in bash zsh; do
  [ $shell = bash ] && content=$bash_completion || content=$zsh_completion
  # shellcheck disable=SC2086
  missing_from "the $shell completion" "$content" $tables
done
echo "install tree: ok"
