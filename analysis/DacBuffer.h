#pragma once
// Composing the two-channel DAC playback buffer out of ДШК ШЭМ data in memory: whole kadrs of
// channels 0 and 1, and pauses. Each addition appends its piece to the buffer and to its
// description; a refused addition changes nothing.

#include <cstdint>

// A kadr is this many frames of the data; in the buffer it takes two samples per frame.
inline constexpr int32_t kKadrFrames = 15000;
inline constexpr int32_t kKadrSamples = 2 * kKadrFrames;

enum class ComposeStatus : uint8_t {
    Done,
    NoSuchKadr,      // a choice below 0 ("ВСЕ") or above KadrCount
    TooFewChannels,  // the data have fewer than the two channels the DAC plays
    BeyondData,      // the kadrs reach past the frames the sample buffer holds
    BufferFull,      // the buffer's length would no longer fit its count
};

// Appends kadr `choice` (1 to KadrCount) or, for choice 0, all KadrCount kadrs: sample pairs of
// channels 0 and 1 of each frame, and "n-й, " or "KadrCountш., " to the description.
ComposeStatus AppendKadrs(int32_t choice);

// Appends one kadr of silence (zero pairs) and "l_l, " to the description.
ComposeStatus AppendPause();

// Empties the buffer and its description.
void ClearDacBuffer();
