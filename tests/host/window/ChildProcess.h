#pragma once
#include <chrono>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// A program run beside the test, its standard output read line by line with a time-out.
// Killed and reaped when the object goes.
class ChildProcess {
public:
    // `env` entries ("NAME=value") are added to the test's own environment. A quiet child's
    // standard error goes nowhere.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                 bool quiet = false) {
        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        if (quiet) posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> environment = env;
        for (char** e = environ; *e; ++e)
            environment.push_back(*e);
        std::vector<char*> args, envp;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        for (const std::string& e : environment)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out_ = fds[0];
    }
    ~ChildProcess() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) close(out_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }

    // The next line of output (without its newline); false at the end of output or when
    // none came within `timeout`.
    bool readLine(std::string& line, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const size_t end = buffer_.find('\n');
            if (end != std::string::npos) {
                line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd p{out_, POLLIN, 0};
            if (poll(&p, 1, int(left.count())) <= 0) continue;
            char chunk[4096];
            const ssize_t n = read(out_, chunk, sizeof chunk);
            if (n <= 0) return false;
            output_.append(chunk, size_t(n));
            buffer_.append(chunk, size_t(n));
        }
    }
    // Everything read so far.
    const std::string& output() const { return output_; }

    // The exit status once it ends within `timeout`; -1 when it did not (or was signalled).
    int wait(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::string ignored;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                // What it wrote just before it ended may still wait in the pipe.
                while (readLine(ignored, std::chrono::milliseconds(1000))) {
                }
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            // Drain output so the child never blocks on a full pipe.
            readLine(ignored, std::chrono::milliseconds(100));
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    bool exited_ = false;
    std::string buffer_;
    std::string output_;
};
