#include "chat/info_capture.h"

namespace morva {

InfoCapture::InfoCapture(TimerFactory& timers) : tmrGetInfo(timers.makeTimer()) {
    tmrGetInfo->setInterval(DesignedMs);
    tmrGetInfo->setOnTick([this] { close(); });
}

void InfoCapture::open(Sink sink) {
    sink_ = std::move(sink);
    tmrGetInfo->start();
}

void InfoCapture::close() {
    tmrGetInfo->stop();
    sink_ = {};
}

void InfoCapture::take(const std::string& text) const {
    if (sink_) sink_(text);
}

}  // namespace morva
