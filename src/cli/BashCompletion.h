#pragma once
// The bash completion of tavin-cli, made from the command table.

#include "CliArgs.h"

#include <string>

namespace tavin {

// The script: "source <(tavin-cli completion bash)", or installed as
// /usr/share/bash-completion/completions/tavin-cli.
std::string BashCompletionScript();

// "tavin-cli completion SHELL".
int RunCompletionCommand(const CliArgs& args);

} // namespace tavin
