#include "shell/regular_file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

// NOTE: without _O_BINARY the C library reads in text mode, which turns
// CR LF into LF and stops at the first 0x1A byte: an MP3 track then decodes
// to nothing.
int openRegularFile(const char* path, std::string& why) {
    const int file = _open(path, _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (file < 0) {
        why = std::string(path) + ": " + strerror(errno);
        return -1;
    }
    struct _stat64 status;
    if (_fstat64(file, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
        why = std::string(path) + ": not a regular file";
        _close(file);
        return -1;
    }
    return file;
}
