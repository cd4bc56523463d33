# bash completion for brevimarctl

# The reminder kinds come from the running Brevimar, which knows the ones added in its settings.
_brevimarctl_kinds() {
    brevimarctl kinds 2>/dev/null | cut -f1 || true
}

_brevimarctl() {
    # Words are taken from the line itself: bash would split a brevimar:// link at its colon.
    local line=${COMP_LINE:0:COMP_POINT} args cur words=""
    read -ra args <<<"$line"
    cur=${line##*[[:space:]]}
    local position=${#args[@]}
    [ -n "$cur" ] && position=$((position - 1))
    if [ "$position" -eq 1 ]; then
        words="log pause resume today kinds status open --help"
    elif [ "$position" -eq 2 ]; then
        case ${args[1]} in
        log) words=$(_brevimarctl_kinds) ;;
        status) words="--json" ;;
        open) words="brevimar://done/ brevimar://snooze/ brevimar://skip/ brevimar://pause?minutes=
            brevimar://resume brevimar://history brevimar://settings" ;;
        esac
    fi
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    # What replaces the word bash sees: the part after the last colon.
    if [[ $cur == *:* && $COMP_WORDBREAKS == *:* ]]; then
        COMPREPLY=("${COMPREPLY[@]#"${cur%"${cur##*:}"}"}")
    fi
    # A link that still needs its kind or minutes is not finished with a space.
    if [[ ${COMPREPLY[0]:-} == */ || ${COMPREPLY[0]:-} == *= ]]; then
        compopt -o nospace 2>/dev/null || true
    fi
}
complete -F _brevimarctl brevimarctl
