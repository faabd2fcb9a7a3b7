#include "files/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavin {
namespace {

void SetError(std::string* error, const std::string& what, const std::string& path, int err) {
    if (error) {
        *error = what + " \"" + path + "\": " + std::strerror(err);
    }
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names: a symbolic link is replaced by its target.
std::string ResolvedTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            std::string target = real;
            std::free(real);
            return target;
        }
    }
    return path;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& contents, std::string* error,
                   bool* missing, std::size_t maxBytes) {
    if (missing) {
        *missing = false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (missing && errno == ENOENT) {
            *missing = true;
        }
        SetError(error, "Cannot open", path, errno);
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        SetError(error, "Cannot read", path, EISDIR);
        return false;
    }
    std::string data;
    char buf[65536];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            ::close(fd);
            SetError(error, "Cannot read", path, err);
            return false;
        }
        if (n == 0) {
            break;
        }
        if (data.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            SetError(error, "Too large to read", path, EFBIG);
            return false;
        }
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    contents = std::move(data);
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string* error) {
    const std::string target = ResolvedTarget(path);
    std::string temp = FolderOf(target) + "/." + NameOf(target) + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        SetError(error, "Cannot create a file in the folder of", target, errno);
        return false;
    }
    const auto fail = [&](const char* what, int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        SetError(error, what, target, err);
        return false;
    };
    struct stat st {};
    const mode_t mode = stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    if (fchmod(fd, mode) != 0) {
        return fail("Cannot set the permissions of", errno);
    }
    if (!WriteAll(fd, data)) {
        return fail("Cannot write", errno);
    }
    if (fsync(fd) != 0) {
        return fail("Cannot flush", errno);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        SetError(error, "Cannot write", target, err);
        return false;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        SetError(error, "Cannot replace", target, err);
        return false;
    }
    // Make the rename itself durable; a folder that cannot be synced is no failure.
    const int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace tavin
