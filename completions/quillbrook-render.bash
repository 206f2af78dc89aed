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
        --png | --svg | --dump | --y4m | --video)
            compopt -o filenames
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --png-sequence)
            compopt -o filenames
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return
            ;;
        --seed | --frames | --duration | --size | --slider | --crf)
            return
            ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W '--seed --frames --duration --size --slider --png
        --png-sequence --overwrite --svg --dump --y4m --y4m-420 --video --crf --help --version' -- "$cur")
}
complete -F _quillbrook_render quillbrook-render
