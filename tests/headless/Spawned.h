#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// The real quillbrook-render (or any program) as a child process, with its
// arguments passed as the bytes they are and its standard output arranged
// as a test needs: read by the test, closed, or a descriptor of the test's.
class Spawned {
public:
    // Standard output: read by the test, closed, or the descriptor given.
    enum class Output { Captured, Closed, Given };

    struct Result {
        bool exited = false; // false: ended by a signal, or still running at the deadline
        int status = -1;     // the exit status, or the signal's number
        std::string out;
        std::string err;
        long peakKilobytes = 0;
        [[nodiscard]] bool EndedBy(int signal) const { return !exited && status == signal; }
    };

    // `args` come after the program's name; an empty `program` is
    // quillbrook-render.
    explicit Spawned(std::vector<std::string> args, Output output = Output::Captured, int givenOutput = -1,
                     const std::string& program = {});
    ~Spawned();
    Spawned(const Spawned&) = delete;
    Spawned& operator=(const Spawned&) = delete;

    [[nodiscard]] pid_t Pid() const { return m_pid; }
    void Signal(int signal) const;
    // Waits for the end, at most `limit` (then kills it); what it wrote is
    // read meanwhile.
    Result Wait(std::chrono::milliseconds limit = std::chrono::minutes(2));

    // Runs to the end.
    static Result Run(std::vector<std::string> args, Output output = Output::Captured, int givenOutput = -1,
                      const std::string& program = {})
    {
        return Spawned(std::move(args), output, givenOutput, program).Wait();
    }
    // Waits until `condition` holds, at most `limit`.
    static bool WaitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds limit = std::chrono::seconds(60));

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    bool m_reaped = false;
};
