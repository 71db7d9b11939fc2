// What the wave views need from the window that hosts them.
#pragma once

#include <QString>

namespace tarvel {

struct EditRecord;

class WaveHost {
public:
    virtual ~WaveHost() = default;

    // Records an edit before it changes the data.
    virtual void pushEdit(const EditRecord& record) = 0;
    // The current file has unsaved edits: flag it and refresh what depends on it.
    virtual void markCurrentFileModified() = 0;
    virtual void showStatus(const QString& text) = 0;
    // The area means, already formatted, for the information panel.
    virtual void showAreaMeans(const QString& resilient, const QString& deformation) = 0;
    // Another point of the current file was selected.
    virtual void currentPointChanged() = 0;
    // True while the views keep their x scale (aligned start marks).
    virtual bool alignedView() const = 0;
};

} // namespace tarvel
