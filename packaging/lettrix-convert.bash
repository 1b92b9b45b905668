# bash completion for lettrix-convert: options, and the format aliases after
# -f/--from and -t/--to, read from the program's own --list-formats.

# Prints the aliases of the "Source" or "Target" formats ($1) that the
# converter at $2 lists, one per line; formats not available are left out.
_lettrix_convert_aliases() {
  "$2" --list-formats 2>/dev/null | awk -v want="$1" '
    /^[^ ]/ { section = $1; next }
    section == want && !/not available/ {
      split($0, cols, /  +/)  # "", the name, the aliases, the extension
      n = split(cols[3], words, /[ ,]+/)
      for (i = 1; i <= n; i++) if (words[i] ~ /^[a-z][a-z0-9.-]*$/) print words[i]
    }'
}

_lettrix_convert() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=""
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  # bash splits "--from=NAME" into "--from", "=" and "NAME".
  if [[ $cur == "=" ]]; then
    cur=""
  elif [[ $prev == "=" ]] && ((COMP_CWORD > 1)); then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi
  local program=${COMP_WORDS[0]}
  command -v "$program" >/dev/null 2>&1 || program=lettrix-convert
  case $prev in
    -f | --from)
      mapfile -t COMPREPLY < <(compgen -W "$(_lettrix_convert_aliases Source "$program")" -- "$cur")
      return 0
      ;;
    -t | --to)
      mapfile -t COMPREPLY < <(compgen -W "$(_lettrix_convert_aliases Target "$program")" -- "$cur")
      return 0
      ;;
    --report)
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return 0
      ;;
    -j | --jobs)
      return 0
      ;;
    -o | --output-dir | --extract-pictures)
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return 0
      ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "-f --from -t --to -r --recursive -o --output-dir -j --jobs --skip-existing --report -q --quiet -v --verbose --dump-stream --extract-pictures --identify --list-formats -h --help --version" -- "$cur")
    return 0
  fi
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  return 0
}

complete -o filenames -F _lettrix_convert lettrix-convert
