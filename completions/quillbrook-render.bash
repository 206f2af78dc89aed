# bash completion for quillbrook-render

_quillbrook_render()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    # bash splits --png=FILE at the '=' into three words.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]]; then
        prev=${COMP_WORDS[COMP_CWORD-2]}
    fi
    case $prev in
        --png | --svg | --dump)
            compopt -o filenames
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --png-sequence)
            compopt -o filenames
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return
            ;;
        --seed | --frames | --size | --slider)
            return
            ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W '--seed --frames --size --slider --png
        --png-sequence --overwrite --svg --dump --help --version' -- "$cur")
}
complete -F _quillbrook_render quillbrook-render
