// The show's music, decoded in-process and played through SDL audio.
#pragma once

// Decodes the MP3 at path and starts playing it. On any failure prints one
// line "no music: <reason>" to standard error and returns false; the show then
// runs silently.
bool startMusic(const char* path);

// Stops the music and closes the audio device. Safe to call when none plays.
void stopMusic();
