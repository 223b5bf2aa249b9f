// Where the music stands as the listener hears it, told by the sound device
// itself: the show's clock on every platform that plays sound. Each time the
// device takes frames from the player (an audio callback, a chunk the page
// schedules), the platform reports the moment and how many frames it took;
// the frames queued ahead of them, which the backend reports or the platform
// estimates from the buffer it was granted, put what is heard behind what
// was written. Between reports the clock runs on with the wall clock. A
// report that disagrees with it pulls it in gradually, a few per cent of
// the time that passes, so that frames stay evenly spaced; it jumps only
// when it is far off (the device started late, a process was stopped), and
// never back, but for a move of the music itself. Reports may come from
// another thread (an audio callback) than the reads.
#pragma once

#include <cstdint>
#include <mutex>

class SoundClock {
  public:
    explicit SoundClock(long rate);

    // The music moved (its start, a seek, a scene key, going on after a
    // pause): the frames the device takes from now on, `rate` a second (0:
    // as before), begin at trackMs of the track. Until the first report the
    // clock stands there.
    void startAt(double trackMs, long rate = 0);

    // At nowMs (any clock in milliseconds that only moves forward, the same
    // as heardAt's) the device took `frames` frames; aheadFrames were queued
    // before them and not yet heard.
    void deviceTook(double nowMs, int64_t frames, int64_t aheadFrames);

    // The place in the track (ms) the listener hears at nowMs, less the
    // viewer's offset: never less than the last answer since the music
    // last moved.
    double heardAt(double nowMs);

    // What the viewer's output adds to the sound (Bluetooth, HDMI), in ms:
    // the picture waits that much longer (a negative offset makes it come
    // sooner).
    void setOffsetMs(double offsetMs);

    // Between a pause and startAt, the clock stands where it was.
    void pause(double nowMs);

  private:
    // What the reports say is heard at nowMs; false before the first.
    bool reported(double nowMs, double& trackMs) const;

    long rate_;
    mutable std::mutex lock_;
    double startMs_ = 0; // track time of the first frame since the move
    int64_t taken_ = 0;  // frames the device took since the move
    bool haveReport_ = false;
    double reportMs_ = 0;      // when the last report came
    double reportTrackMs_ = 0; // what was heard then, by that report
    // The clock itself: at anchorMs_ it read anchorTrackMs_, and it runs at
    // pace_ track ms per ms since.
    bool running_ = false;
    double anchorMs_ = 0;
    double anchorTrackMs_ = 0;
    double pace_ = 1;
    double lastAnswer_ = -1e300;
    double offsetMs_ = 0;
    bool paused_ = false;
};
