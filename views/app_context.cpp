#include "app_context.h"

#include "edit_record.h"
#include "wave_host.h"

namespace tarvel {

namespace {

// Lets a view draw before any window exists (tests, off-screen export).
class DetachedHost : public WaveHost {
public:
    void pushEdit(const EditRecord&) override {}
    void markCurrentFileModified() override {}
    void showStatus(const QString&) override {}
    void showAreaMeans(const QString&, const QString&) override {}
    void currentPointChanged() override {}
    bool alignedView() const override { return false; }
};

AppState* state = nullptr;
DetachedHost detachedHost;
WaveHost* host = nullptr;

} // namespace

AppState* appState() {
    return state;
}
void setAppState(AppState* newState) {
    state = newState;
}

WaveHost& waveHost() {
    return host ? *host : detachedHost;
}
void setWaveHost(WaveHost* newHost) {
    host = newHost;
}

} // namespace tarvel
