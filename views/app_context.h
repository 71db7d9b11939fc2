// The two process-wide entry points: the application state and the window
// that hosts the views. Both are set by the main window while it lives.
#pragma once

namespace tarvel {

struct AppState;
class WaveHost;

AppState* appState();
void setAppState(AppState* state);

// Never null: without a window a host that ignores everything is returned.
WaveHost& waveHost();
void setWaveHost(WaveHost* host);

} // namespace tarvel
