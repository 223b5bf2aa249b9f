// The video encoder as a program of its own, one version per platform: it
// reads raw frames from a pipe on its standard input and writes a file that
// gets the video's name only once the encoder has finished it, so that a
// failed, interrupted or stopped render leaves nothing half written behind
// and no file of the user's is touched on the way.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct EncoderProcess;

// A file of raw input for the encoder besides the frames (the video's
// sound): written before the encoder starts, then read by it under `name`.
// It leaves nothing behind once dropped.
struct EncoderInput {
    FILE* file = nullptr;
    std::string name; // what the encoder opens it by
};

// Makes an empty input file. False after a message on err.
bool makeEncoderInput(EncoderInput& input, FILE* err);

// Closes the input file and removes it; nothing happens to an empty one.
void dropEncoderInput(EncoderInput& input);

// The encoder's command line, given the name under which it is to write its
// output and the name of its input file (empty when there is none); its
// first word is the program, looked for on the PATH.
using EncoderCommand = std::function<std::vector<std::string>(const std::string& outputName,
                                                              const std::string& inputName)>;

// Makes the output file in finalPath's folder and starts the encoder,
// which takes input (when not null) over and drops it when it is finished
// or abandoned. On failure prints the reason to err, leaves nothing behind
// and returns null.
EncoderProcess* startEncoder(const std::string& finalPath, const EncoderCommand& command,
                             EncoderInput* input, FILE* err);

// Sends bytes to the encoder's standard input. False, with errno set, when
// the encoder no longer takes them, or when a quit signal came while it was
// not taking them.
bool sendToEncoder(EncoderProcess& encoder, const unsigned char* bytes, size_t size);

// Closes the encoder's input, waits for it to finish and gives its file the
// final name, replacing a file of that name. False (after a message, and with
// nothing left behind) when the encoder failed or a quit signal came first.
// The encoder is gone afterwards.
bool finishEncoder(EncoderProcess* encoder, FILE* err);

// Stops the encoder at once and removes what it wrote so far. The encoder is
// gone afterwards; null is allowed.
void abandonEncoder(EncoderProcess* encoder);
