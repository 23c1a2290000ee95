#pragma once

// GStreamer's initialisation loads its plugin registry, which takes tens of milliseconds on a warm start and
// far longer after a plugin update (the registry is rebuilt). It runs once per process on a thread of its
// own, begun as the program starts, so the window never waits for it; whatever needs GStreamer waits for it
// at its first use instead.
namespace GstStart {

// Begins the initialisation if nothing has yet; returns at once. Safe from any thread.
void begin();

// Waits for the initialisation (beginning it if need be); false when GStreamer cannot be used here.
bool ready();

} // namespace GstStart
