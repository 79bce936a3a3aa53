// Lusbapi.dll of the bench build's tests: the Quev vendor library as far as a module that streams
// ADC blocks goes, with a driver behind it. A read is queued and completed later on the driver's
// own thread, in the order queued, as a driver does: the block's samples, the record's status and
// byte count, then the system's SetEvent on the record's event. Sample k of the n-th block read
// (from 0) is n * 1000 + k % 1000. Every other operation succeeds and does nothing.

#include <windows.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "modules/QuevModule.h"

namespace {

class DriverModule final : public IQuevModule {
public:
    DriverModule() : driver_([this] { Run(); }) {}

    int32_t QUEV_STDCALL ReadData(int16_t* buffer, uint32_t* words, uint32_t*, OverlappedRecord* overlapped) override {
        {
            std::lock_guard lock(mutex_);
            reads_.push_back({buffer, *words, overlapped});
        }
        wake_.notify_one();
        return 1;
    }

    // Ends the driver's thread and the object.
    int32_t QUEV_STDCALL ReleaseDevice() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        driver_.join();
        delete this;
        return 1;
    }

    int32_t QUEV_STDCALL Unused0() override { return 1; }
    int32_t QUEV_STDCALL OpenDevice(uint16_t) override { return 1; }
    int32_t QUEV_STDCALL Unused2() override { return 1; }
    int32_t QUEV_STDCALL GetModuleName(char*) override { return 1; }
    int32_t QUEV_STDCALL Unused5() override { return 1; }
    int32_t QUEV_STDCALL LOAD_BIOS(const char*) override { return 1; }
    int32_t QUEV_STDCALL MODULE_TEST() override { return 1; }
    int32_t QUEV_STDCALL GET_LBIOS_VERSION(uint32_t*) override { return 1; }
    int32_t QUEV_STDCALL Unused9() override { return 1; }
    int32_t QUEV_STDCALL Unused10() override { return 1; }
    int32_t QUEV_STDCALL GET_INPUT_PARS(QUEV_INPUT_PARS*) override { return 1; }
    int32_t QUEV_STDCALL SET_INPUT_PARS(QUEV_INPUT_PARS*) override { return 1; }
    int32_t QUEV_STDCALL START_READ() override { return 1; }
    int32_t QUEV_STDCALL STOP_READ() override { return 1; }
    int32_t QUEV_STDCALL Unused15() override { return 1; }
    int32_t QUEV_STDCALL Unused16() override { return 1; }
    int32_t QUEV_STDCALL WriteData(int16_t*, uint32_t*, uint32_t*, OverlappedRecord*) override { return 1; }
    int32_t QUEV_STDCALL GET_OUTPUT_PARS(QUEV_OUTPUT_PARS*) override { return 1; }
    int32_t QUEV_STDCALL SET_OUTPUT_PARS(QUEV_OUTPUT_PARS*) override { return 1; }
    int32_t QUEV_STDCALL START_WRITE() override { return 1; }
    int32_t QUEV_STDCALL STOP_WRITE() override { return 1; }
    int32_t QUEV_STDCALL Unused23() override { return 1; }
    int32_t QUEV_STDCALL Unused24() override { return 1; }
    int32_t QUEV_STDCALL Unused25() override { return 1; }
    int32_t QUEV_STDCALL Unused26() override { return 1; }
    int32_t QUEV_STDCALL Unused27() override { return 1; }
    int32_t QUEV_STDCALL Unused28() override { return 1; }
    int32_t QUEV_STDCALL Unused29() override { return 1; }
    int32_t QUEV_STDCALL GET_FLASH(QUEV_FLASH*) override { return 1; }

private:
    struct Read {
        int16_t* Buffer;
        uint32_t Words;
        OverlappedRecord* Overlapped;
    };

    ~DriverModule() = default;

    void Run() {
        for (uint32_t block = 0;; ++block) {
            Read read{};
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return stopping_ || !reads_.empty(); });
                if (reads_.empty()) return;
                read = reads_.front();
                reads_.pop_front();
            }
            for (uint32_t k = 0; k < read.Words; ++k) {
                read.Buffer[k] = static_cast<int16_t>(block * 1000 + k % 1000);
            }
            read.Overlapped->Internal = 0;
            read.Overlapped->InternalHigh = read.Words * sizeof(int16_t);
            ::SetEvent(reinterpret_cast<HANDLE>(read.Overlapped->hEvent));
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Read> reads_;
    bool stopping_ = false;
    std::thread driver_;
};

} // namespace

extern "C" {

QUEV_VENDOR_API uint32_t QUEV_STDCALL GetDllVersion() { return 0x20000; }

QUEV_VENDOR_API IQuevModule* QUEV_STDCALL CreateInstance(const char* InterfaceName) {
    return std::strcmp(InterfaceName, "quev") == 0 ? new DriverModule : nullptr;
}
}
