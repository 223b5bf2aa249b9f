// Opening a data file as a file descriptor for the decoders that read one,
// one version per platform: in binary, never handed on to programs the show
// starts, and never a FIFO or a device, whose reads could wait forever.
#pragma once

#include <string>

// Opens path for reading when it is a regular file; -1 with why otherwise.
// The caller closes it with close().
int openRegularFile(const char* path, std::string& why);
