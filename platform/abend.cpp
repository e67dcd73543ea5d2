#include "abend.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>

namespace platform {

void conversionfailure(const std::string& text) {
    throw AbnormalEnd{1, "Error: \"" + text + "\" is not a valid integer"};
}

void overflowfailure() { throw AbnormalEnd{215, "Runtime error 215"}; }

void iofailure(const std::string& name, const std::string& reason) {
    throw AbnormalEnd{2, "I/O error on \"" + name + "\": " + reason};
}

void iofailureerrno(const std::string& name, int err) { iofailure(name, std::strerror(err)); }

int guardedmain(const std::function<int()>& body) {
    // A console that is a closed pipe is an output failure like any other,
    // not a reason for the process to die by a signal.
    std::signal(SIGPIPE, SIG_IGN);
    int code;
    std::string message;
    try {
        return body();
    } catch (const AbnormalEnd& e) {
        code = e.exitcode;
        message = e.message;
    } catch (const std::bad_alloc&) {
        code = 203;
        message = "Runtime error 203 (out of memory)";
    }
    std::fflush(stdout);
    // Written by its length: the offending text of a conversion failure may
    // hold NUL bytes, and the whole of it belongs to the message.
    message += '\n';
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fflush(stderr);
    return code;
}

}  // namespace platform
