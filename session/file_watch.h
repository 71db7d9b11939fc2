// Tells when a watched file changes or goes, once a burst of changes has
// settled: a save elsewhere renames, writes and syncs in quick succession.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace tarvel {

class FileWatch : public QObject {
    Q_OBJECT

public:
    explicit FileWatch(QObject* parent = nullptr);

    // Watches exactly these files (and their folders, which see a file
    // replaced by a rename).
    void watch(const QStringList& paths);

signals:
    void changed();

private:
    void rewatch();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QStringList paths_;
};

} // namespace tarvel
