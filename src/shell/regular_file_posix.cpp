#include "shell/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

// O_NONBLOCK keeps open() from waiting for a writer on a FIFO; it changes
// nothing for the regular file that is kept.
int openRegularFile(const char* path, std::string& why) {
    const int file = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        why = std::string(path) + ": " + strerror(errno);
        return -1;
    }
    struct stat status;
    if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        why = std::string(path) + ": not a regular file";
        close(file);
        return -1;
    }
    return file;
}
