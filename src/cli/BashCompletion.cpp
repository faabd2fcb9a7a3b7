#include "BashCompletion.h"

#include "CliCommand.h"
#include "CliParser.h"

#include <map>
#include <set>

namespace tavin {

namespace {

// The option's spellings: --name and -n.
std::string Spellings(const CliOption& o) {
    std::string out;
    for (const std::string& n : o.names) {
        out += (out.empty() ? "" : " ") + std::string(n.size() == 1 ? "-" : "--") + n;
    }
    return out;
}

std::string Alternatives(const std::string& spellings) {
    std::string out = spellings;
    for (char& c : out) {
        if (c == ' ') {
            c = '|';
        }
    }
    return out;
}

// The shell code that offers a value of kind `complete` for "$cur".
std::string Offer(const std::string& complete) {
    if (complete == "file") {
        return "COMPREPLY=($(compgen -f -- \"$cur\"))";
    }
    if (complete.empty()) {
        return "COMPREPLY=()";
    }
    return "COMPREPLY=($(compgen -W \"" + complete + "\" -- \"$cur\"))";
}

} // namespace

std::string BashCompletionScript() {
    // Value options, by spelling, and what their values are.
    std::map<std::string, std::string> values;
    std::set<std::string> groups;
    std::string topWords;
    for (const CliCommand& c : CliCommands()) {
        for (const CliOption& o : OptionsOf(c)) {
            if (!o.valueName.empty()) {
                values.emplace(Alternatives(Spellings(o)), o.complete);
            }
        }
        const std::string group = GroupOf(c);
        const std::string first = group.empty() ? c.path : group;
        if (groups.insert(first).second) {
            topWords += (topWords.empty() ? "" : " ") + first;
        }
    }
    std::string s =
        "# bash completion for tavin-cli, made by \"tavin-cli completion bash\".\n"
        "_tavin_cli() {\n"
        "    local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
        "    local i w cmd=\"\" nargs=0\n"
        "    COMPREPLY=()\n"
        "    # The command's words, past the options and their values.\n"
        "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        "        w=\"${COMP_WORDS[i]}\"\n"
        "        case \"$w\" in\n";
    std::string valueCase;
    for (const auto& [spellings, complete] : values) {
        valueCase += spellings + "|";
    }
    valueCase.pop_back();
    s += "            " + valueCase + ") ((i++)) ;;\n";
    s += "            -*) ;;\n"
         "            *)\n"
         "                case \"$cmd\" in\n"
         "                    \"\") cmd=\"$w\" ;;\n";
    std::string groupCase;
    for (const CliCommand& c : CliCommands()) {
        const std::string group = GroupOf(c);
        if (!group.empty() && groupCase.find("\"" + group + "\"") == std::string::npos) {
            groupCase += (groupCase.empty() ? "" : "|") + ("\"" + group + "\"");
        }
    }
    s += "                    " + groupCase + ") cmd=\"$cmd $w\" ;;\n";
    s += "                    *) ((nargs++)) ;;\n"
         "                esac ;;\n"
         "        esac\n"
         "    done\n"
         "    # The value of an option.\n"
         "    case \"$prev\" in\n";
    for (const auto& [spellings, complete] : values) {
        s += "        " + spellings + ") " + Offer(complete) + "; return ;;\n";
    }
    s += "    esac\n"
         "    local opts=\"\" words=\"\" args=\"\"\n"
         "    case \"$cmd\" in\n"
         "        \"\") words=\"" +
         topWords + "\"; opts=\"--port --ini --progress --help --version\" ;;\n";
    for (const std::string& group : groups) {
        std::string subs;
        for (const CliCommand& c : CliCommands()) {
            if (GroupOf(c) == group) {
                subs += (subs.empty() ? "" : " ") + c.path.substr(group.size() + 1);
            }
        }
        if (!subs.empty()) {
            s += "        \"" + group + "\") words=\"" + subs + "\"; opts=\"--help\" ;;\n";
        }
    }
    for (const CliCommand& c : CliCommands()) {
        std::string opts;
        for (const CliOption& o : OptionsOf(c)) {
            opts += (opts.empty() ? "" : " ") + Spellings(o);
        }
        s += "        \"" + c.path + "\") opts=\"" + opts + "\"";
        if (c.maxArgs > 0) {
            s += "; [[ $nargs -lt " + std::to_string(c.maxArgs) + " ]] && args=\"" + c.complete +
                 "\"";
        }
        s += " ;;\n";
    }
    s += "    esac\n"
         "    if [[ \"$cur\" == -* ]]; then\n"
         "        COMPREPLY=($(compgen -W \"$opts\" -- \"$cur\"))\n"
         "    elif [[ -n \"$words\" ]]; then\n"
         "        COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
         "    elif [[ \"$args\" == file ]]; then\n"
         "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "    elif [[ -n \"$args\" ]]; then\n"
         "        COMPREPLY=($(compgen -W \"$args\" -- \"$cur\"))\n"
         "    fi\n"
         "}\n"
         "complete -o filenames -F _tavin_cli tavin-cli\n";
    return s;
}

int RunCompletionCommand(const CliArgs& args) {
    const std::string& shell = args.Positional().at(0);
    if (shell != "bash") {
        return args.BadInput("completion is made for bash, not '" + shell + "'");
    }
    args.Out() << BashCompletionScript();
    return kCliExitOk;
}

} // namespace tavin
