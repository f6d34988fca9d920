// Times a program from its start to its first painted window, as a whole process:
//   startup_timer <program> [arguments...]
// prints "<milliseconds> <peak resident KiB>" and ends the program. The program reports its
// first paint through the descriptor named in SPIELDEX_FIRST_PAINT_FD.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_timer <program> [arguments...]\n");
        return 2;
    }
    int fds[2];
    if (::pipe(fds) != 0 || ::fcntl(fds[0], F_SETFD, FD_CLOEXEC) != 0)
        return 2;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        ::setenv("SPIELDEX_FIRST_PAINT_FD", std::to_string(fds[1]).c_str(), 1);
        // The program's own notes on stderr are not the timer's output.
        if (const int null = ::open("/dev/null", O_WRONLY); null >= 0)
            ::dup2(null, STDERR_FILENO);
        ::execv(argv[1], argv + 1);
        std::perror(argv[1]);
        ::_exit(127);
    }
    ::close(fds[1]);
    pollfd ready{fds[0], POLLIN, 0};
    char done = 0;
    const bool painted = ::poll(&ready, 1, 60000) == 1 && ::read(fds[0], &done, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    ::kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!painted) {
        std::fprintf(stderr, "%s: no first paint reported\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %ld\n", std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss);
    return 0;
}
