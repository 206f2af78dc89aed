# bash completion for quillbrook

_quillbrook()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    # bash splits --seed=N at the '=' into three words.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]]; then
        prev=${COMP_WORDS[COMP_CWORD-2]}
    fi
    # Every option may have one dash or two.
    local option=${prev#-}
    case ${option#-} in
        seed | slider | screen | window-id | visual)
            return
            ;;
    esac
    # The screensaver options in xscreensaver's form, with one dash.
    mapfile -t COMPREPLY < <(compgen -W '--seed --slider --fullscreen --screen
        --all-screens --help --version -root -window-id' -- "$cur")
}
complete -F _quillbrook quillbrook
