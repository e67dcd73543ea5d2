#include "textfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "abend.h"

namespace platform {

bool canopen(const std::string& name) {
    if (name.empty()) return false;
    int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
    ::close(fd);
    return ok;
}

bool nametaken(const std::string& name) {
    struct stat st {};
    return ::lstat(name.c_str(), &st) == 0;
}

bool InFile::open(const std::string& name) {
    close();
    if (!canopen(name)) return false;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) return false;
    std::string data;
    char buf[65536];
    for (;;) {
        size_t got = std::fread(buf, 1, sizeof buf, f);
        data.append(buf, got);
        if (got < sizeof buf) break;
    }
    if (std::ferror(f)) {
        int err = errno;
        std::fclose(f);
        iofailureerrno(name, err);
    }
    std::fclose(f);
    name_ = name;
    data_ = std::move(data);
    pos_ = 0;
    open_ = true;
    return true;
}

void InFile::close() {
    open_ = false;
    data_.clear();
    data_.shrink_to_fit();
    pos_ = 0;
}

void InFile::skiplineend() {
    if (pos_ >= data_.size()) return;
    if (data_[pos_] == '\r') {
        ++pos_;
        if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
    } else if (data_[pos_] == '\n') {
        ++pos_;
    }
}

std::string InFile::readline() {
    size_t end = pos_;
    while (end < data_.size() && data_[end] != '\n' && data_[end] != '\r') ++end;
    std::string line = data_.substr(pos_, end - pos_);
    pos_ = end;
    skiplineend();
    return line;
}

std::string InFile::readtoken() {
    while (pos_ < data_.size() &&
           (data_[pos_] == ' ' || data_[pos_] == '\t' || data_[pos_] == '\r' || data_[pos_] == '\n'))
        ++pos_;
    size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != ' ' && data_[pos_] != '\t' && data_[pos_] != '\r' &&
           data_[pos_] != '\n')
        ++pos_;
    std::string token = data_.substr(start, pos_ - start);
    while (pos_ < data_.size() && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
    skiplineend();
    return token;
}

OutFile::~OutFile() {
    if (f_) std::fclose(f_);
}

void OutFile::create(const std::string& name) {
    close();
    name_ = name;
    f_ = std::fopen(name.c_str(), "wb");
    if (!f_) iofailureerrno(name, errno);
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 16);
}

void OutFile::line(std::string_view text) {
    if (!f_) return;
    if (std::fwrite(text.data(), 1, text.size(), f_) != text.size() || std::fwrite("\r\n", 1, 2, f_) != 2) {
        int err = errno;
        std::fclose(f_);
        f_ = nullptr;
        iofailureerrno(name_, err);
    }
}

void OutFile::close() {
    if (!f_) return;
    std::FILE* f = f_;
    f_ = nullptr;
    if (std::fclose(f) != 0) iofailureerrno(name_, errno);
}

}  // namespace platform
