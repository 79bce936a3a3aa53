#include "analysis/DacBuffer.h"

#include <limits>
#include <string>

#include "platform/Numbers.h"
#include "state/State.h"

namespace {

// True when `samples` more still leave DacBufferLength within its 32-bit count.
bool Fits(int64_t samples) {
    return DacPlayback.DacBufferLength + samples <= std::numeric_limits<int32_t>::max();
}

// Grows the buffer by `samples` zeroed samples and appends `piece` to the description. The
// recorded length follows what the buffer really holds, so a buffer and its count never part.
size_t Grow(int64_t samples, const std::string& piece) {
    const size_t first = static_cast<size_t>(DacPlayback.DacBufferLength);
    DacPlayback.DacBuffer.resize(first + static_cast<size_t>(samples), 0);
    DacPlayback.DacBufferLength = static_cast<int32_t>(first + static_cast<size_t>(samples));
    DacPlayback.DacBufferName += piece;
    return first;
}

} // namespace

ComposeStatus AppendKadrs(int32_t choice) {
    const int32_t kadrs = DacPlayback.KadrCount;
    if (choice < 0 || choice > kadrs) return ComposeStatus::NoSuchKadr;
    if (SampleData.DataChannels < 2) return ComposeStatus::TooFewChannels;
    const int64_t firstFrame = choice == 0 ? 0 : int64_t{choice - 1} * kKadrFrames;
    const int64_t frames = choice == 0 ? int64_t{kadrs} * kKadrFrames : kKadrFrames;
    if (firstFrame + frames > ValidFrames()) return ComposeStatus::BeyondData;
    if (!Fits(2 * frames)) return ComposeStatus::BufferFull;

    const std::string piece = choice == 0 ? platform::IntToStr(kadrs) + "ш., " : platform::IntToStr(choice) + "-й, ";
    const size_t first = Grow(2 * frames, piece);
    for (int64_t i = 0; i < frames; ++i) {
        const size_t frame = static_cast<size_t>(firstFrame + i);
        const size_t pair = first + DacPairIndex(static_cast<size_t>(i));
        DacPlayback.DacBuffer[pair] = SampleData.SampleBuffer[SampleIndex(frame, 0)];
        DacPlayback.DacBuffer[pair + 1] = SampleData.SampleBuffer[SampleIndex(frame, 1)];
    }
    return ComposeStatus::Done;
}

ComposeStatus AppendPause() {
    if (!Fits(kKadrSamples)) return ComposeStatus::BufferFull;
    Grow(kKadrSamples, "l_l, ");
    return ComposeStatus::Done;
}

void ClearDacBuffer() {
    DacPlayback.DacBufferLength = 0;
    DacPlayback.DacBuffer.clear();
    DacPlayback.DacBufferName.clear();
}
