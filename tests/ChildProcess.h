#pragma once
// Fault injection for the write paths: a body run in a child process (under
// a file-size limit, in a private mount namespace, or to be killed), and a
// look at what a folder holds afterwards.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace childtest {

// Replaces this (child) process with program and its arguments; 127 when it
// cannot be started.
[[noreturn]] inline void Exec(const char* program, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program, argv.data());
    ::_exit(127);
}

// Runs body in a child; its return value becomes the exit code. Gives the
// exit code, or minus the signal that ended the child.
inline int RunInChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// Limits the size of any file this process writes, as RLIMIT_FSIZE does
// for a user with a quota on file size.
inline void LimitFileSize(rlim_t bytes) {
    rlimit lim{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &lim);
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The names in a folder, sorted.
inline std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace childtest
