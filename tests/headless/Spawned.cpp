#include "Spawned.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <thread>

Spawned::Spawned(std::vector<std::string> args, Output output, int givenOutput, const std::string& program)
{
    std::string path = program.empty() ? std::string(QUILLBROOK_RENDER_PATH) : program;
    std::vector<char*> argv{path.data()};
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::array<int, 2> out{-1, -1};
    std::array<int, 2> err{-1, -1};
    if (pipe2(out.data(), O_CLOEXEC) != 0 || pipe2(err.data(), O_CLOEXEC) != 0) {
        return;
    }
    m_pid = fork();
    if (m_pid == 0) {
        switch (output) {
        case Output::Captured:
            dup2(out[1], STDOUT_FILENO);
            break;
        case Output::Closed:
            close(STDOUT_FILENO);
            break;
        case Output::Given:
            dup2(givenOutput, STDOUT_FILENO);
            break;
        }
        dup2(err[1], STDERR_FILENO);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
}

Spawned::~Spawned()
{
    if (m_pid > 0 && !m_reaped) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    for (const int fd : {m_out, m_err}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void Spawned::Signal(int signal) const
{
    kill(m_pid, signal);
}

Spawned::Result Spawned::Wait(std::chrono::milliseconds limit)
{
    Result result;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::array<pollfd, 2> streams{pollfd{m_out, POLLIN, 0}, pollfd{m_err, POLLIN, 0}};
    std::array<std::string*, 2> into{&result.out, &result.err};
    int status = 0;
    rusage usage{};
    while (true) {
        poll(streams.data(), streams.size(), 10);
        for (std::size_t i = 0; i < streams.size(); ++i) {
            std::array<char, 65536> chunk{};
            if (streams[i].fd >= 0 && (streams[i].revents & (POLLIN | POLLHUP)) != 0) {
                const ssize_t read = ::read(streams[i].fd, chunk.data(), chunk.size());
                if (read > 0) {
                    into[i]->append(chunk.data(), static_cast<std::size_t>(read));
                } else {
                    streams[i].fd = -1; // read to the end
                }
            }
        }
        if (!m_reaped && wait4(m_pid, &status, WNOHANG, &usage) == m_pid) {
            m_reaped = true;
        }
        if (m_reaped && streams[0].fd < 0 && streams[1].fd < 0) {
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return result; // neither exited nor signalled: still running
        }
    }
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    result.peakKilobytes = usage.ru_maxrss;
    return result;
}

bool Spawned::WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
