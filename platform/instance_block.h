#pragma once

#include <QString>

namespace platform {

// A block of 8 bytes that every running copy of one executable, run by one user, shares:
// a window handle (4 bytes) and a signed instance count (4 bytes), both little-endian.
//
// The block is a file in a memory-backed folder private to the user. Each copy that opens it
// keeps a shared lock on it for as long as it runs; the kernel drops that lock when the copy
// ends in any way, a kill or a crash included. A copy that finds no lock held by anyone else
// treats the block as new and fills it with zeros, so a copy that died never keeps later
// copies out. Checks and updates are serialised by a second, exclusive lock.
class InstanceBlock {
public:
    enum class OpenResult {
        Created,    // no running copy held the block: it is new and all zeros
        Opened,     // other running copies hold the block
        Unavailable // the block exists but cannot be opened
    };

    explicit InstanceBlock(QString name);
    InstanceBlock(const InstanceBlock&) = delete;
    InstanceBlock& operator=(const InstanceBlock&) = delete;
    ~InstanceBlock();

    // Opens the block, creating it when needed. After Created or Opened the caller holds the
    // update lock until EndUpdate(). Throws SystemError when the block can be neither created
    // nor opened.
    OpenResult Open();

    void BeginUpdate();
    void EndUpdate();

    quint32 WindowHandle() const;
    void SetWindowHandle(quint32 handle);
    qint32 InstanceCount() const;
    void SetInstanceCount(qint32 count);

    // Gives the block back; the last copy to do so removes it from the folder.
    void Close();

    QString FilePath() const { return path_; }

    // Where this user's blocks live: $XDG_RUNTIME_DIR/attendance-loader, or, where the
    // session has no runtime folder, a private folder in /dev/shm named after the user id.
    static QString Folder();

private:
    QString name_;
    QString path_;
    int fd_ = -1;
    unsigned char* view_ = nullptr;
};

} // namespace platform
