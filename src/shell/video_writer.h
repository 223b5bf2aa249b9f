// Encodes the rendered frames to an H.264 video with the sound as AAC by
// feeding raw frames to the ffmpeg program on a pipe; the sound comes ready
// made, as raw samples in a file. ffmpeg writes into a file with no name
// (O_TMPFILE) in the video's folder, which is linked under the final name
// only once ffmpeg has finished it: a failed, interrupted or even killed
// render leaves nothing behind, and no file of the user's is touched on the
// way. Where the file system cannot make a file without a name (NFS, FUSE
// and others), a hidden name of our own (.snolk-render-XXXXXX, mkstemp)
// stands in: a failed or interrupted render removes it, but one that is
// killed outright (SIGKILL, a crash, a power cut) leaves it behind.
//
// Starting and stopping the encoder is the one part tied to POSIX
// (spawnEncoder, stopEncoder and waitForEncoder in the .cpp).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/types.h>
#include <vector>

struct VideoSettings {
    std::string path; // the finished video
    int64_t fps = 60; // frames per second of the video
    int scale = 1;    // nearest-neighbour enlargement, 1 ... 4
    // The whole video's sound as raw 16-bit stereo samples at soundRate
    // (video_sound.h), read from its start; null = no sound.
    FILE* sound = nullptr;
    long soundRate = 0;
};

struct VideoWriter {
    pid_t encoder = -1;   // the ffmpeg process
    int frames = -1;      // the pipe into its standard input
    int output = -1;      // the nameless file ffmpeg writes, or -1
    std::string tempPath; // the named stand-in when there is no nameless file
    std::string finalPath;
};

// The ffmpeg command line that turns raw 640 x 480 bgr0 frames on standard
// input, and the sound at soundPath, into the video at outputPath.
std::vector<std::string> encoderArguments(const VideoSettings& settings,
                                          const std::string& soundPath,
                                          const std::string& outputPath);

// Starts ffmpeg. On failure prints the reason to err and returns false.
bool openVideo(VideoWriter& writer, const VideoSettings& settings, FILE* err);

// True for the 640 x 480 0x00RRGGBB frames the encoder is told to expect.
bool frameFitsVideo(const SDL_Surface* frame);

// Sends one frame that fits. False, with errno set, when ffmpeg no longer
// takes frames, or when a quit signal came while it was not taking them.
bool writeVideoFrame(VideoWriter& writer, const SDL_Surface* frame);

// Lets ffmpeg finish and gives the video its final name. False (after a
// message, and with nothing left behind) when ffmpeg failed.
bool finishVideo(VideoWriter& writer, FILE* err);

// Stops ffmpeg (SIGTERM, then SIGKILL if it has not gone within a second)
// and removes what it wrote so far.
void abandonVideo(VideoWriter& writer);
