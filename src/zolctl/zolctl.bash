# bash completion for zolctl
_zolctl()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    case $prev in
        --format) COMPREPLY=($(compgen -W 'table csv json' -- "$cur")); return ;;
        --dhcp) COMPREPLY=($(compgen -W 'on off' -- "$cur")); return ;;
        --wait|--to|--expect|--ip|--mask|--gateway|--name|--location) return ;;
    esac
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W 'find set renew --help --version' -- "$cur"))
        return
    fi
    case ${COMP_WORDS[1]} in
        find) COMPREPLY=($(compgen -W '--wait --format --to --expect' -- "$cur")) ;;
        set) COMPREPLY=($(compgen -W '--ip --mask --gateway --dhcp --name --location --wait --to' -- "$cur")) ;;
        renew) COMPREPLY=($(compgen -W '--wait --to' -- "$cur")) ;;
    esac
}
complete -F _zolctl zolctl
