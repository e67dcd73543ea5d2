#include "common/runner.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <regex>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lttest {

TempDir::TempDir() {
    char tmpl[] = "/tmp/lttest.XXXXXX";
    char* p = mkdtemp(tmpl);
    if (!p) throw std::runtime_error("mkdtemp failed");
    path_ = p;
}

TempDir::~TempDir() {
    std::string cmd = "chmod -R u+rwx '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'";
    if (std::system(cmd.c_str()) != 0) {
    }
}

void TempDir::write(const std::string& name, const std::string& content) const { writefile(file(name), content); }
std::string TempDir::read(const std::string& name) const { return readfile(file(name)); }
bool TempDir::exists(const std::string& name) const {
    struct stat st {};
    return lstat(file(name).c_str(), &st) == 0;
}

std::vector<std::string> TempDir::list(const std::string& prefix) const {
    std::vector<std::string> names;
    DIR* d = opendir(path_.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        if (n.compare(0, prefix.size(), prefix) == 0) names.push_back(n);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

std::string readfile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void writefile(const std::string& path, const std::string& content) {
    std::ofstream f(path, std::ios::binary);
    f << content;
}

std::string crlf(const std::string& text) {
    std::string r;
    for (char c : text) {
        if (c == '\n') r += '\r';
        r += c;
    }
    return r;
}

std::string maskclock(const std::string& text) {
    static const std::regex stamp(R"(\d+/\d+/\d+, at \d+:\d+:\d+:\d+)");
    static const std::regex elapsed(R"(  \d+ day\(s\) \+ \d+ hour\(s\) \+ \d+ minute\(s\) \+ \d+\.\d{3} second\(s\)\.)");
    std::string r = std::regex_replace(text, stamp, "D/M/Y, at H:M:S:MS");
    return std::regex_replace(r, elapsed, "  ELAPSED");
}

RunResult run(const std::string& exe, const std::vector<std::string>& args, const std::string& cwd,
              const std::string& input) {
    int inpipe[2], outpipe[2], errpipe[2];
    if (pipe(inpipe) || pipe(outpipe) || pipe(errpipe)) throw std::runtime_error("pipe failed");
    pid_t pid = fork();
    if (pid == 0) {
        dup2(inpipe[0], 0);
        dup2(outpipe[1], 1);
        dup2(errpipe[1], 2);
        for (int fd : {inpipe[0], inpipe[1], outpipe[0], outpipe[1], errpipe[0], errpipe[1]}) close(fd);
        if (chdir(cwd.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(exe.c_str()));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(127);
    }
    close(inpipe[0]);
    close(outpipe[1]);
    close(errpipe[1]);
    signal(SIGPIPE, SIG_IGN);
    RunResult r;
    size_t written = 0;
    int infd = inpipe[1];
    if (input.empty()) {
        close(infd);
        infd = -1;
    } else {
        fcntl(infd, F_SETFL, O_NONBLOCK);
    }
    bool outopen = true, erropen = true;
    char buf[65536];
    while (outopen || erropen) {
        pollfd fds[3];
        int n = 0;
        int iout = -1, ierr = -1, iin = -1;
        if (outopen) { fds[n] = {outpipe[0], POLLIN, 0}; iout = n++; }
        if (erropen) { fds[n] = {errpipe[0], POLLIN, 0}; ierr = n++; }
        if (infd >= 0) { fds[n] = {infd, POLLOUT, 0}; iin = n++; }
        if (poll(fds, n, -1) < 0) continue;
        if (iout >= 0 && fds[iout].revents) {
            ssize_t got = read(outpipe[0], buf, sizeof buf);
            if (got <= 0) outopen = false; else r.out.append(buf, got);
        }
        if (ierr >= 0 && fds[ierr].revents) {
            ssize_t got = read(errpipe[0], buf, sizeof buf);
            if (got <= 0) erropen = false; else r.err.append(buf, got);
        }
        if (iin >= 0 && fds[iin].revents) {
            ssize_t put = write(infd, input.data() + written, input.size() - written);
            if (put > 0) written += put;
            if (put < 0 || written == input.size()) { close(infd); infd = -1; }
        }
    }
    if (infd >= 0) close(infd);
    close(outpipe[0]);
    close(errpipe[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) r.exitcode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status)) r.signal = WTERMSIG(status);
    return r;
}

}  // namespace lttest
