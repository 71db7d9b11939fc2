#include "file_watch.h"

#include <QFileInfo>
#include <QSet>

namespace tarvel {

namespace {

constexpr int kSettleMs = 300;

} // namespace

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_,
            static_cast<void (QTimer::*)()>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            static_cast<void (QTimer::*)()>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, [this] {
        // A file replaced by a rename is no longer watched: watch it again.
        rewatch();
        emit changed();
    });
}

void FileWatch::watch(const QStringList& paths) {
    paths_ = paths;
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    rewatch();
}

void FileWatch::rewatch() {
    QSet<QString> folders;
    QStringList files;
    for (const QString& path : paths_) {
        const QFileInfo info(path);
        if (info.exists() && !watcher_.files().contains(path))
            files << path;
        folders.insert(info.absolutePath());
    }
    if (!files.isEmpty())
        watcher_.addPaths(files);
    QStringList newFolders;
    for (const QString& folder : folders) {
        if (!watcher_.directories().contains(folder))
            newFolders << folder;
    }
    if (!newFolders.isEmpty())
        watcher_.addPaths(newFolders);
}

} // namespace tarvel
