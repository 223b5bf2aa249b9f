// Stands in for ffmpeg.exe in the Windows build's video tests: copies the raw
// frames from its standard input to the file its last argument names, then
// exits with FAKE_ENCODER_STATUS (0 when unset).
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    FILE* out = fopen(argv[argc - 1], "wb");
    if (argc < 2 || out == nullptr) {
        return 2;
    }
    static char buffer[1 << 16];
    for (size_t got = 0; (got = fread(buffer, 1, sizeof buffer, stdin)) > 0;) {
        fwrite(buffer, 1, got, out);
    }
    fclose(out);
    const char* status = getenv("FAKE_ENCODER_STATUS");
    return status != nullptr ? atoi(status) : 0;
}
