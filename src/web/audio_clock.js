// The page's show clock: milliseconds since the music started, by the sound
// card's clock. The output timestamp says which moment of the track is
// heard now (it already counts the output latency); without one, the
// context's time less the latency it reports. Never ahead of what the
// context has rendered (a stale timestamp while the device starts, or after
// a pause, would run the show ahead of its sound), and never back. The page
// has it built in (site.cmake); the tests load it as a module.
"use strict";

function audioClock(audio, startedAt) {
  let last = -Infinity;
  return (now) => {
    const stamp = audio.getOutputTimestamp ? audio.getOutputTimestamp() : null;
    const latency = (audio.outputLatency || 0) + (audio.baseLatency || 0);
    const heard = stamp && stamp.contextTime > 0
      ? stamp.contextTime + (now - stamp.performanceTime) / 1000
      : audio.currentTime - latency;
    last = Math.max(last, (Math.min(heard, audio.currentTime) - startedAt) * 1000);
    return last;
  };
}

if (typeof module !== "undefined") {
  module.exports = { audioClock };
}
