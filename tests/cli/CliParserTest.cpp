// The option conventions of tavin-cli, run over every command of the table:
// both value forms, negative values, unknown options and missing values
// named, --help everywhere, --port before and after the command.
#include "cli/CliParser.h"
#include "cli/BashCompletion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace tavin;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

struct Parsed {
    CliParseOutcome outcome;
    std::string out, err;
    std::optional<std::string> Value(const std::string& name) const { return args.Value(name); }
    std::ostringstream outStream, errStream;
    CliArgs args{outStream, errStream};
};

std::unique_ptr<Parsed> Parse(const std::vector<std::string>& words) {
    auto p = std::make_unique<Parsed>();
    p->outcome = ParseCommandLine(words, p->args);
    p->out = p->outStream.str();
    p->err = p->errStream.str();
    return p;
}

// The words of a command, with placeholders for its arguments.
std::vector<std::string> Words(const CliCommand& c) {
    std::vector<std::string> words;
    std::istringstream path(c.path);
    for (std::string w; path >> w;) {
        words.push_back(w);
    }
    for (int i = 0; i < c.minArgs; ++i) {
        words.push_back("arg" + std::to_string(i));
    }
    return words;
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(CliParser, EveryCommandKeepsTheConventions) {
    for (const CliCommand& c : CliCommands()) {
        SCOPED_TRACE(c.path);
        const std::vector<std::string> port =
            c.port ? std::vector<std::string>{"--port", "7"} : std::vector<std::string>{};
        const std::vector<std::string> base = Joined(port, Words(c));
        auto ok = Parse(base);
        ASSERT_TRUE(ok->outcome.run) << ok->err;
        EXPECT_EQ(ok->args.Command(), &c);
        EXPECT_EQ(static_cast<int>(ok->args.Positional().size()), c.minArgs);

        auto help = Parse(Joined(Words(c), {"--help"}));
        EXPECT_FALSE(help->outcome.run);
        EXPECT_EQ(help->outcome.exitCode, 0);
        EXPECT_THAT(help->out, HasSubstr(" " + c.path));
        EXPECT_THAT(help->out, StartsWith("Usage: tavin-cli "));
        EXPECT_EQ(Parse(Joined({"-h"}, Words(c)))->out, help->out);

        auto unknown = Parse(Joined(base, {"--frob"}));
        EXPECT_EQ(unknown->outcome.exitCode, 3);
        EXPECT_THAT(unknown->err, HasSubstr("unknown option '--frob'"));
        EXPECT_FALSE(unknown->outcome.run);

        if (c.maxArgs == c.minArgs) {
            auto extra = Parse(Joined(base, {"extra"}));
            EXPECT_EQ(extra->outcome.exitCode, 3);
            EXPECT_THAT(extra->err, HasSubstr("'extra' is one too many"));
        }
        if (c.minArgs > 0) {
            CliCommand bare;
            bare.path = c.path;
            auto missing = Parse(Joined(port, Words(bare)));
            EXPECT_EQ(missing->outcome.exitCode, 3);
            EXPECT_THAT(missing->err, HasSubstr(c.path + " needs " + c.args));
        }
        if (c.port) {
            auto after = Parse(Joined(Words(c), {"--port=/dev/ttyUSB0"}));
            ASSERT_TRUE(after->outcome.run) << after->err;
            EXPECT_EQ(after->args.Port(), "/dev/ttyUSB0");
            auto none = Parse(Words(c));
            EXPECT_EQ(none->outcome.exitCode, 3);
            EXPECT_THAT(none->err, HasSubstr("--port N|DEVICE " + c.path));
        } else {
            auto port = Parse(Joined(Words(c), {"--port", "7"}));
            EXPECT_EQ(port->outcome.exitCode, 3);
            EXPECT_THAT(port->err,
                        ::testing::AnyOf(HasSubstr("--port is not an option of " + c.path),
                                         HasSubstr("--port is only for log dump")));
        }

        for (const CliOption& o : OptionsOf(c)) {
            const std::string name = "--" + o.names.front();
            if (name == "--help" || name == "--port") {
                continue;
            }
            SCOPED_TRACE(name);
            if (o.valueName.empty()) {
                auto set = Parse(Joined(base, {name}));
                ASSERT_TRUE(set->outcome.run) << set->err;
                EXPECT_TRUE(set->args.Has(o.names.front()));
                auto valued = Parse(Joined(base, {name + "=1"}));
                EXPECT_EQ(valued->outcome.exitCode, 3);
                EXPECT_THAT(valued->err, HasSubstr(name + " takes no value"));
                continue;
            }
            for (const std::vector<std::string>& form :
                 {std::vector<std::string>{name, "-5"}, std::vector<std::string>{name + "=-5"}}) {
                auto v = Parse(Joined(form, base)); // before the command's words
                ASSERT_TRUE(v->outcome.run) << v->err;
                EXPECT_EQ(v->Value(o.names.front()), "-5");
                auto w = Parse(Joined(base, form)); // after them
                ASSERT_TRUE(w->outcome.run) << w->err;
                EXPECT_EQ(w->Value(o.names.front()), "-5");
            }
            if (o.names.size() > 1) {
                EXPECT_EQ(Parse(Joined(base, {"-" + o.names[1], "x y"}))->Value(o.names.front()),
                          "x y");
            }
            auto missing = Parse(Joined(base, {name}));
            EXPECT_EQ(missing->outcome.exitCode, 3);
            EXPECT_THAT(missing->err, HasSubstr(name + " needs a value"));
        }
    }
}

TEST(CliParser, SpellingsScriptsAlreadyUse) {
    struct Case {
        std::vector<std::string> words;
        const char* command;
        std::vector<std::string> positional;
        std::vector<std::pair<std::string, std::string>> values;
    };
    const Case cases[] = {
        {{"--port", "3", "retrieve", "-o", "f.txt"}, "retrieve", {}, {{"output", "f.txt"}}},
        {{"--port", "3", "retrieve", "-o", "f.txt", "--ini", "x.ini"},
         "retrieve",
         {},
         {{"output", "f.txt"}, {"ini", "x.ini"}}},
        {{"retrieve", "-of.txt", "--port", "COM3"},
         "retrieve",
         {},
         {{"output", "f.txt"}, {"port", "COM3"}}},
        {{"--port", "3", "send", "f.txt", "--password", "pw"},
         "send",
         {"f.txt"},
         {{"password", "pw"}}},
        {{"--port", "3", "clock", "--set", "10:20:30 05/06/2025"},
         "clock",
         {},
         {{"set", "10:20:30 05/06/2025"}}},
        {{"--port", "3", "clock", "--set", "10:20:30", "05/06/2025"},
         "clock",
         {"05/06/2025"},
         {{"set", "10:20:30"}}},
        {{"--port", "3", "utc", "--set", "-13"}, "utc", {}, {{"set", "-13"}}},
        {{"utc", "--set=-5", "--port=3"}, "utc", {}, {{"set", "-5"}}},
        {{"--port", "3", "log", "dump", "--type", "Event", "--ini", "p.ini"},
         "log dump",
         {},
         {{"type", "Event"}, {"ini", "p.ini"}}},
        {{"--port", "3", "log", "clear", "-y"}, "log clear", {}, {{"yes", ""}}},
        {{"log", "decode", "h.hex", "--labels", "c.txt"},
         "log decode",
         {"h.hex"},
         {{"labels", "c.txt"}}},
        {{"config", "write", "j.json", "-o", "o.txt", "--template"},
         "config write",
         {"j.json"},
         {{"output", "o.txt"}, {"template", ""}}},
        {{"config", "stats", "f.txt", "--json"}, "config stats", {"f.txt"}, {{"json", ""}}},
        {{"config", "diff", "--", "-a.txt", "b.txt"}, "config diff", {"-a.txt", "b.txt"}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::PrintToString(k.words));
        auto p = Parse(k.words);
        ASSERT_TRUE(p->outcome.run) << p->err;
        EXPECT_EQ(p->args.Command()->path, k.command);
        EXPECT_EQ(p->args.Positional(), k.positional);
        for (const auto& [name, value] : k.values) {
            EXPECT_TRUE(p->args.Has(name)) << name;
            if (!value.empty()) {
                EXPECT_EQ(p->Value(name), value);
            }
        }
    }
}

TEST(CliParser, WhatIsWrongIsSaid) {
    struct Case {
        std::vector<std::string> words;
        int exitCode;
        const char* says; // on standard error, or standard output for help
    };
    const Case cases[] = {
        {{}, 3, "Usage: tavin-cli [--port N|DEVICE] COMMAND"},
        {{"--help"}, 0, "Talking to a transmitter"},
        {{"--version"}, 0, "tavin-cli "},
        {{"frobnicate"}, 3, "unknown command 'frobnicate' (see tavin-cli --help)"},
        {{"config"}, 3, "Usage: tavin-cli config COMMAND"},
        {{"config", "--help"}, 0, "config diff A B"},
        {{"log", "--help"}, 0, "log decode HEXFILE"},
        {{"config", "frob", "x"}, 3, "unknown config command 'frob'"},
        {{"--port", "3", "log", "erase"}, 3, "unknown log command 'erase'"},
        {{"--port", "3", "log", "clear", "--hex"}, 3, "--hex is only for log dump"},
        {{"config", "check", "f", "-o", "x"}, 3, "-o is only for config write"},
        {{"log", "dump"}, 3, "log dump talks to a transmitter: tavin-cli --port N|DEVICE log dump"},
        {{"--port", "3", "status", "--json=yes"}, 3, "--json takes no value"},
        {{"--port", "3", "clock", "--set"}, 3, "--set needs a value"},
        {{"--port", "3", "retrieve", "-x"}, 3, "unknown option '-x'"},
        {{"completion", "--help"}, 0, "source <(tavin-cli completion bash)"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::PrintToString(k.words));
        auto p = Parse(k.words);
        EXPECT_FALSE(p->outcome.run);
        EXPECT_EQ(p->outcome.exitCode, k.exitCode);
        EXPECT_THAT(k.exitCode == 0 ? p->out : p->err, HasSubstr(k.says));
    }
}

TEST(CliParser, CompletionKnowsEveryCommandAndOption) {
    const std::string script = BashCompletionScript();
    EXPECT_THAT(script, HasSubstr("complete -o filenames -F _tavin_cli tavin-cli"));
    for (const CliCommand& c : CliCommands()) {
        EXPECT_THAT(script, HasSubstr("\"" + c.path + "\") opts=\"")) << c.path;
        for (const CliOption& o : OptionsOf(c)) {
            EXPECT_THAT(script, HasSubstr("--" + o.names.front())) << c.path;
        }
    }
    EXPECT_THAT(script, HasSubstr("\"config\") words=\"json write check stats diff\""));
    EXPECT_THAT(script, HasSubstr("--type) COMPREPLY=($(compgen -W \"Data Event\""));

    // The file the package installs is this script; after a change of the
    // table, make it again with "tavin-cli completion bash".
    std::ifstream packaged(TAVIN_SOURCE_DIR "/packaging/tavin-cli.bash-completion",
                           std::ios::binary);
    std::stringstream text;
    text << packaged.rdbuf();
    EXPECT_EQ(text.str(), script);
}

} // namespace
