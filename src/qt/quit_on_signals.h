#pragma once

namespace morva {

// Makes SIGINT and SIGTERM end the running Qt event loop with exit status 0.
void QuitOnSignals();

}  // namespace morva
