// The page's show clock (src/web/audio_clock.js) against the moments a
// browser's audio context goes through: a timestamp that stands still while
// the device starts, a timestamp that falls a little behind, and none at all.
// Usage: node audio_clock_test.js AUDIO_CLOCK.JS
"use strict";
const { audioClock } = require(require("path").resolve(process.argv[2]));

// Each step: the context's state at a refresh, and the clock it must give
// (ms since the music started at 0.06 s of context time).
const steps = [
  { why: "a stale timestamp is held to what the context has rendered", now: 2200,
    currentTime: 0.0116, baseLatency: 0.0116, stamp: { contextTime: 0.001, performanceTime: 0 },
    clock: -48.4 },
  { why: "a live timestamp is what is heard", now: 2300, currentTime: 0.1045,
    stamp: { contextTime: 0.09, performanceTime: 2300 }, clock: 30.0 },
  { why: "the clock never goes back", now: 2301, currentTime: 0.1045,
    stamp: { contextTime: 0.085, performanceTime: 2301 }, clock: 30.0 },
  { why: "without a timestamp, the context's time less its latencies", now: 2700,
    currentTime: 0.5, outputLatency: 0.04, stamp: null, clock: 388.4 },
];

const audio = { baseLatency: 0, outputLatency: 0 };
const clock = audioClock(audio, 0.06);
let failed = 0;
for (const step of steps) {
  Object.assign(audio, step);
  audio.getOutputTimestamp = step.stamp ? () => step.stamp : undefined;
  const got = clock(step.now);
  if (Math.abs(got - step.clock) > 0.05) {
    console.log(`FAILED: ${step.why}: ${got.toFixed(1)} ms, not ${step.clock} ms`);
    failed += 1;
  }
}
console.log(`${steps.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
