# SPDX-License-Identifier: Apache-2.0
# bash completion for zolctl
_zolctl()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local common='--wait --to --retries'
    case $prev in
        --format) COMPREPLY=($(compgen -W 'table csv json' -- "$cur")); return ;;
        --dhcp) COMPREPLY=($(compgen -W 'on off' -- "$cur")); return ;;
        --wait|--to|--expect|--retries|--ip|--mask|--gateway|--name|--location|--first|--name-pattern) return ;;
    esac
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W 'find set renew apply assign --help --version' -- "$cur"))
        return
    fi
    case ${COMP_WORDS[1]} in
        find) COMPREPLY=($(compgen -W '--wait --format --to --expect' -- "$cur")) ;;
        set) COMPREPLY=($(compgen -W "--ip --mask --gateway --dhcp --name --location $common" -- "$cur")) ;;
        renew) COMPREPLY=($(compgen -W "$common" -- "$cur")) ;;
        apply)
            # The plan is a file (or - for standard input).
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--dry-run --format $common" -- "$cur"))
            else
                compopt -o filenames 2>/dev/null
                COMPREPLY=($(compgen -f -- "$cur"))
            fi ;;
        assign) COMPREPLY=($(compgen -W "--first --mask --gateway --name-pattern --location --all --dry-run --format $common" -- "$cur")) ;;
    esac
}
complete -F _zolctl zolctl
