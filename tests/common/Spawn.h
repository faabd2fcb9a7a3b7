#pragma once
// Starting the project's programs from tests and benchmarks, without a shell.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace tavin::test {

// Starts `program args...` with the given file actions (null = none);
// returns posix_spawn's result, 0 when the program started.
inline int SpawnProgram(const std::string& program, const std::vector<std::string>& args,
                        const posix_spawn_file_actions_t* actions, pid_t& pid) {
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return posix_spawn(&pid, program.c_str(), actions, nullptr, argv.data(), environ);
}

// Runs the program to its end with its output discarded; its exit status,
// or -1 when it did not start or ended on a signal.
inline int RunQuietly(const std::string& program, const std::vector<std::string>& args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = SpawnProgram(program, args, &actions, pid);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        return -1;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace tavin::test
