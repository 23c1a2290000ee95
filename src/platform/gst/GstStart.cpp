#include "GstStart.h"

#include <future>
#include <mutex>

#include <gst/gst.h>

namespace GstStart {

namespace {
std::once_flag started;
std::shared_future<bool> initialised;
} // namespace

void begin() {
    std::call_once(started, [] {
        initialised = std::async(std::launch::async, [] {
                          return bool(gst_init_check(nullptr, nullptr, nullptr));
                      }).share();
    });
}

bool ready() {
    begin();
    return initialised.get();
}

} // namespace GstStart
