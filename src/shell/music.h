// The show's music, decoded in-process and played through SDL audio.
#pragma once

#include <SDL.h>

#include <string>

// Decodes the MP3 at path and starts playing it fromMs milliseconds into the
// track. On any failure prints one line "no music: <reason>" to standard
// error and returns false; the show then runs silently.
bool startMusic(const char* path, Uint32 fromMs);

// Whether the MP3 at path opens and decodes; why not, when it does not.
bool musicIsPlayable(const char* path, std::string& why);

// Stops the music and closes the audio device. Safe to call when none plays.
void stopMusic();
