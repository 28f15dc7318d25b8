#!/bin/bash
# Installs the build into a temporary prefix and uses the installed programs as
# a user would:
#   install_test.sh BUILD_DIR home       the data lands in the user's home only
#   install_test.sh BUILD_DIR portable   a writable Data/ beside the program wins
#   install_test.sh BUILD_DIR documented every subcommand has its man page entry
#                                        and its completion
#   install_test.sh BUILD_DIR validators the desktop entry and the AppStream data
# Exits 77 (skipped) when a validator is not installed.
set -euo pipefail

build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > "$work/install.log"
unset VELMAR_DATA_DIR

fail() {
  echo "ÉCHEC : $*" >&2
  exit 1
}

# Every file under a folder with its size and modification time.
snapshot() {
  find "$1" -printf '%p %s %T@\n' | sort
}

# A small medium: two files in a subfolder.
make_medium() {
  mkdir -p "$work/medium/docs"
  echo "Bonjour" > "$work/medium/docs/notes.txt"
  echo "abc" > "$work/medium/docs/liste.txt"
}

# Creates a collection and explores the medium with `cli`; the listing of the
# collection must hold both files.
create_and_explore() {
  local cli=$1
  "$cli" create Photos || fail "create"
  "$cli" explore --collection Photos --name Disque "$work/medium" > "$work/counters" 2> /dev/null ||
    fail "explore"
  grep -q $'^Fichiers trouvés\t2$' "$work/counters" || fail "compteurs : $(cat "$work/counters")"
  [ "$("$cli" search --collection Photos --ext TXT | cut -f2 | sort | tr '\n' ' ')" = "liste.txt notes.txt " ] ||
    fail "search"
  # The media readers come from a module the program finds beside itself or
  # in lib/velmar.
  if command -v sox > /dev/null; then
    sox -n -r 8000 -c 1 "$work/son.flac" synth 0.2 sine 440
    "$cli" info "$work/son.flac" | grep -qx "8000 Hz" || fail "module des médias introuvable"
  fi
}

check_home() {
  local cli=$prefix/bin/velmar-cli before
  before=$(snapshot "$prefix")
  make_medium
  mkdir -p "$work/home" "$work/xdg"
  export HOME=$work/home XDG_DATA_HOME=$work/xdg
  "$cli" --version | grep -qx "Données : $work/xdg/velmar/Data/" || fail "--version : $("$cli" --version)"
  create_and_explore "$cli"
  [ -f "$work/xdg/velmar/Data/Base/Compil1.mdb" ] || fail "pas de collection sous XDG_DATA_HOME"
  [ -f "$work/xdg/velmar/Data/Ini/IgnorerExt.txt" ] || fail "données par défaut non copiées"
  [ -z "$(ls -A "$work/home")" ] || fail "écrit dans HOME : $(ls -A "$work/home")"

  # Without XDG_DATA_HOME the data goes to ~/.local/share.
  unset XDG_DATA_HOME
  "$cli" create Musique || fail "create sans XDG_DATA_HOME"
  [ -f "$work/home/.local/share/velmar/Data/Base/Compil1.mdb" ] || fail "pas de collection sous ~/.local/share"
  [ "$before" = "$(snapshot "$prefix")" ] || fail "le préfixe d'installation a changé"
}

check_portable() {
  local copy=$work/usb
  mkdir -p "$copy"
  cp "$prefix/bin/velmar-cli" "$prefix/lib/velmar/velmar_media.so" "$copy/"
  cp -r "$prefix/share/velmar/Data" "$copy/Data"
  make_medium
  export HOME=$work/home XDG_DATA_HOME=$work/xdg
  "$copy/velmar-cli" --version | grep -qx "Données : $copy/Data/" || fail "--version portable"
  create_and_explore "$copy/velmar-cli"
  [ -f "$copy/Data/Base/Compil1.mdb" ] || fail "pas de collection dans la copie portable"
  [ ! -e "$work/xdg" ] && [ ! -e "$work/home" ] || fail "la copie portable a écrit chez l'utilisateur"
}

check_documented() {
  local man=$work/velmar-cli.1 completion=$prefix/share/bash-completion/completions/velmar-cli
  gzip -dc "$prefix/share/man/man1/velmar-cli.1.gz" > "$man"
  local commands
  commands=$("$prefix/bin/velmar-cli" --help 2>&1 | sed -n 's/^  \([a-z-]*\).*/\1/p')
  [ -n "$commands" ] || fail "aucune commande dans --help"
  for command in $commands; do
    # Each entry opens with its name in bold: ".B delete\-all ..." or ".BI create ...".
    grep -q "^\.BI\{0,1\} ${command//-/\\\\-}\( \|\$\)" "$man" || fail "$command absent de la page de manuel"
    grep -qw -- "$command" "$completion" || fail "$command absent de la complétion"
  done
  bash -n "$completion" || fail "complétion invalide"
  if command -v groff > /dev/null; then
    [ -z "$(groff -k -man -Tutf8 -ww -z "$man" 2>&1)" ] || fail "groff : $(groff -k -man -Tutf8 -ww -z "$man" 2>&1)"
  fi
}

check_validators() {
  local tools=0
  if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/velmar.desktop" || fail "desktop-file-validate"
    tools=$((tools + 1))
  else
    echo "desktop-file-validate absent (paquet desktop-file-utils) : entrée non vérifiée"
  fi
  if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml ||
      fail "appstreamcli validate"
    tools=$((tools + 1))
  else
    echo "appstreamcli absent (paquet appstream) : métadonnées non vérifiées"
  fi
  [ "$tools" -eq 2 ] || exit 77
}

case $2 in
  home) check_home ;;
  portable) check_portable ;;
  documented) check_documented ;;
  validators) check_validators ;;
  *) fail "cas inconnu : $2" ;;
esac
