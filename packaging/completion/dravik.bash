# bash completion for dravik: the commands, each command's options, table ids and files.

_dravik()
{
    local cur prev words cword
    _init_completion || return

    local commands="export import set sample convert diff patch apply names refs help"
    local tables="main_cannons sub_cannons special_cannons control_systems engines special_shells
        tank_items tanks human_weapons hand_foot_armour head_armour body_armour armour_pieces items
        bounties characters snacks decorations drinks red_wolf hotel_rooms monsters"
    local ref_tables="main_cannons sub_cannons special_cannons control_systems engines tank_items
        human_weapons head_armour body_armour hand_foot_armour armour_pieces items attacks_a attacks_b"

    case $prev in
        --names | --out-dir)
            _filedir -d
            return
            ;;
        --lang)
            COMPREPLY=($(compgen -W "zh en" -- "$cur"))
            return
            ;;
        --table)
            COMPREPLY=($(compgen -W "$tables" -- "$cur"))
            return
            ;;
        --seed | --column | --rows | --row-names | --expr)
            return
            ;;
    esac

    # The command is the first word that is neither an option nor the value of --names or --lang.
    local i command="" first=0
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} == --names || ${words[i]} == --lang ]]; then
            ((i++))
        elif [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            first=$i
            break
        fi
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--names --lang --help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    local options=""
    case $command in
        export) options="--table --format --out-dir" ;;
        import) options="--table --dry-run --backup --fix-checksum" ;;
        set) options="--table --column --rows --row-names --all --expr --dry-run --backup" ;;
        sample) options="--seed --no-header" ;;
        diff | patch | refs) options="--format" ;;
        apply) options="--headerless-patch --headered-patch --fix-checksum" ;;
    esac

    if [[ $prev == --format ]]; then
        case $command in
            export) COMPREPLY=($(compgen -W "json csv" -- "$cur")) ;;
            diff) COMPREPLY=($(compgen -W "text json csv md" -- "$cur")) ;;
            patch) COMPREPLY=($(compgen -W "ips bps" -- "$cur")) ;;
            refs) COMPREPLY=($(compgen -W "json text" -- "$cur")) ;;
        esac
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --names --help" -- "$cur"))
        return
    fi

    # The position among the command's own words (options and their values left out).
    local position=0
    for ((i = first + 1; i < cword; i++)); do
        case ${words[i]} in
            --table | --format | --out-dir | --seed | --names | --column | --rows | --row-names | --expr) ((i++)) ;;
            -*) ;;
            *) ((position++)) ;;
        esac
    done

    case $command in
        help)
            [[ $position -eq 0 ]] && COMPREPLY=($(compgen -W "$commands" -- "$cur"))
            ;;
        names)
            if [[ $position -eq 0 ]]; then
                COMPREPLY=($(compgen -W "export check" -- "$cur"))
            else
                _filedir -d
            fi
            ;;
        refs)
            case $position in
                0) _filedir '@(smc|sfc)' ;;
                1) COMPREPLY=($(compgen -W "$ref_tables" -- "$cur")) ;;
            esac
            ;;
        convert)
            ;;
        sample | export | diff | set)
            _filedir '@(smc|sfc)'
            ;;
        patch)
            if [[ $position -lt 2 ]]; then _filedir '@(smc|sfc)'; else _filedir '@(ips|bps)'; fi
            ;;
        apply)
            case $position in
                0 | 2) _filedir '@(smc|sfc)' ;;
                1) _filedir '@(ips|bps)' ;;
            esac
            ;;
        import)
            if [[ $position -eq 0 ]]; then _filedir '@(smc|sfc)'; else _filedir '@(json|csv)'; fi
            ;;
        *)
            _filedir
            ;;
    esac
} &&
    complete -F _dravik dravik
