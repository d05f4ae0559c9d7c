#include "instance_block.h"

#include "errors.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

constexpr off_t kBlockSize = 8;
// Lock ranges lie past the data, so they never interfere with reading or writing it.
constexpr off_t kUpdateLockOffset = 8; // exclusive while a copy checks or updates the block
constexpr off_t kHolderLockOffset = 9; // shared by every copy that holds the block open
constexpr int kMaxOpenAttempts = 100;

// Open-file-description locks: owned by the descriptor rather than the process, so two
// blocks opened in one process exclude each other, and converting a held lock between
// exclusive and shared is atomic.
bool setLock(int fd, short type, off_t offset, bool wait) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
    while (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) != 0) {
        if (errno == EINTR) {
            continue;
        }
        if (!wait && (errno == EAGAIN || errno == EACCES)) {
            return false;
        }
        throw SystemError(errno, QStringLiteral("locking the instance block"));
    }
    return true;
}

bool sameFile(int fd, const QByteArray& path) {
    struct stat byDescriptor {};
    struct stat byName {};
    if (fstat(fd, &byDescriptor) != 0 || lstat(path.constData(), &byName) != 0) {
        return false;
    }
    return byDescriptor.st_dev == byName.st_dev && byDescriptor.st_ino == byName.st_ino;
}

void ensurePrivateFolder(const QByteArray& folder) {
    if (mkdir(folder.constData(), 0700) != 0 && errno != EEXIST) {
        throw SystemError(errno, QStringLiteral("creating %1").arg(QString::fromLocal8Bit(folder)));
    }
    struct stat info {};
    if (lstat(folder.constData(), &info) != 0) {
        throw SystemError(errno, QStringLiteral("reading %1").arg(QString::fromLocal8Bit(folder)));
    }
    // Another user must not be able to plant or change blocks in our folder.
    if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid() || (info.st_mode & 022) != 0) {
        throw SystemError(EPERM, QStringLiteral("%1 is not a private folder of this user")
                                     .arg(QString::fromLocal8Bit(folder)));
    }
}

} // namespace

InstanceBlock::InstanceBlock(QString name) : name_(std::move(name)) {}

InstanceBlock::~InstanceBlock() {
    Close();
}

QString InstanceBlock::Folder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        return runtime + QStringLiteral("/attendance-loader");
    }
    return QStringLiteral("/dev/shm/attendance-loader-%1").arg(geteuid());
}

InstanceBlock::OpenResult InstanceBlock::Open() {
    const QString folder = Folder();
    ensurePrivateFolder(QFile::encodeName(folder));
    path_ = folder + QLatin1Char('/') + name_;
    const QByteArray path = QFile::encodeName(path_);

    for (int attempt = 0; attempt < kMaxOpenAttempts; ++attempt) {
        const int fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            const int error = errno;
            struct stat existing {};
            if (lstat(path.constData(), &existing) == 0) {
                return OpenResult::Unavailable;
            }
            throw SystemError(error, QStringLiteral("creating the instance block %1").arg(path_));
        }
        fd_ = fd;
        setLock(fd_, F_WRLCK, kUpdateLockOffset, true);
        // The last holder of a block removes its file; if that happened between our open and
        // our lock, we hold a removed file and must start over with the new one.
        if (!sameFile(fd_, path)) {
            ::close(fd_);
            fd_ = -1;
            continue;
        }
        const bool created = setLock(fd_, F_WRLCK, kHolderLockOffset, false);
        struct stat info {};
        if (fstat(fd_, &info) != 0) {
            throw SystemError(errno, QStringLiteral("reading the instance block %1").arg(path_));
        }
        if (created) {
            // Nobody holds the block: whatever an ended copy left in it is void.
            if (ftruncate(fd_, 0) != 0 || ftruncate(fd_, kBlockSize) != 0) {
                throw SystemError(errno,
                                  QStringLiteral("creating the instance block %1").arg(path_));
            }
        } else if (info.st_size < kBlockSize && ftruncate(fd_, kBlockSize) != 0) {
            throw SystemError(errno, QStringLiteral("opening the instance block %1").arg(path_));
        }
        setLock(fd_, F_RDLCK, kHolderLockOffset, true);
        void* view = mmap(nullptr, kBlockSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
        if (view == MAP_FAILED) {
            throw SystemError(errno, QStringLiteral("mapping the instance block %1").arg(path_));
        }
        view_ = static_cast<unsigned char*>(view);
        return created ? OpenResult::Created : OpenResult::Opened;
    }
    throw SystemError(EAGAIN, QStringLiteral("opening the instance block %1").arg(path_));
}

void InstanceBlock::BeginUpdate() {
    if (fd_ >= 0) {
        setLock(fd_, F_WRLCK, kUpdateLockOffset, true);
    }
}

void InstanceBlock::EndUpdate() {
    if (fd_ >= 0) {
        setLock(fd_, F_UNLCK, kUpdateLockOffset, true);
    }
}

quint32 InstanceBlock::WindowHandle() const {
    return qFromLittleEndian<quint32>(view_);
}

void InstanceBlock::SetWindowHandle(quint32 handle) {
    qToLittleEndian(handle, view_);
}

qint32 InstanceBlock::InstanceCount() const {
    return qFromLittleEndian<qint32>(view_ + 4);
}

void InstanceBlock::SetInstanceCount(qint32 count) {
    qToLittleEndian(count, view_ + 4);
}

void InstanceBlock::Close() {
    if (fd_ < 0) {
        return;
    }
    try {
        BeginUpdate();
        if (setLock(fd_, F_WRLCK, kHolderLockOffset, false)) {
            unlink(QFile::encodeName(path_).constData());
        }
    } catch (const SystemError&) {
        // Giving the block back must not fail the end of the program: closing the
        // descriptor below drops our locks all the same, and a leftover file is harmless.
    }
    if (view_ != nullptr) {
        munmap(view_, kBlockSize);
        view_ = nullptr;
    }
    ::close(fd_);
    fd_ = -1;
}

} // namespace platform
