#include "files/atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include "messages/savemessages.h"
#include "textout/bytesink.h"

namespace {

// A sink into a file being saved, that remembers why a write failed.
class SaveFileSink : public ByteSink {
public:
    explicit SaveFileSink(QSaveFile& file) : file_(file) {}
    bool Write(std::string_view bytes) override {
        const auto size = static_cast<qint64>(bytes.size());
        if (file_.write(bytes.data(), size) == size) {
            return true;
        }
        errorNumber = errno;
        return false;
    }
    int errorNumber = 0;

private:
    QSaveFile& file_;
};

SaveCause OpenCause(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists()) {
        return SaveCause::FolderMissing;
    }
    if (!folder.isDir()) {
        return SaveCause::FolderIsAFile;
    }
    if (file.isDir()) {
        return SaveCause::NameIsAFolder;
    }
    if (file.exists() && !file.isWritable()) {
        return SaveCause::FileReadOnly;
    }
    if (!folder.isWritable()) {
        return SaveCause::FolderReadOnly;
    }
    return SaveCause::Other;
}

SaveCause WriteCause(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return SaveCause::DiskFull;
        case EDQUOT:
            return SaveCause::QuotaExceeded;
        case EFBIG:
            return SaveCause::FileTooLarge;
        case ENOMEM:
            return SaveCause::OutOfMemory;
        default:
            return SaveCause::Other;
    }
}

QString CauseText(SaveCause cause, const QString& path, const QString& systemText) {
    const QString folder = QFileInfo(path).absolutePath();
    return QString::fromStdString(SaveCauseText(cause, QDir::toNativeSeparators(path).toStdString(),
                                                QDir::toNativeSeparators(folder).toStdString(),
                                                systemText.toStdString()));
}

}  // namespace

QString OpenFailureCause(const QString& path, const QString& systemText) {
    return CauseText(OpenCause(path), path, systemText);
}

QString WriteFailureCause(const QString& path, int errorNumber, const QString& systemText) {
    return CauseText(WriteCause(errorNumber), path, systemText);
}

QString OutOfMemoryCause(const QString& path) {
    return CauseText(SaveCause::OutOfMemory, path, {});
}

QString WriteFileAtomically(const QString& path, const std::function<bool(ByteSink&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return OpenFailureCause(path, file.errorString());
    }
    SaveFileSink sink(file);
    if (write(sink) && file.commit()) {
        return {};
    }
    const int errorNumber = sink.errorNumber != 0 ? sink.errorNumber : errno;
    const QString systemText = file.errorString();
    file.cancelWriting();
    return WriteFailureCause(path, errorNumber, systemText);
}

QString WriteFileAtomically(const QString& path, std::string_view bytes) {
    return WriteFileAtomically(path, [bytes](ByteSink& sink) { return sink.Write(bytes); });
}

QString WriteFileAtomicallyBy(const QString& path,
                              const std::function<int(const std::string& path)>& write) {
    const QFileInfo target(path);
    if (target.isDir() || (target.exists() && !target.isWritable())) {
        return OpenFailureCause(path, {});
    }
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open()) {
        return OpenFailureCause(path, temporary.errorString());
    }
    const QString temporaryPath = temporary.fileName();
    temporary.close();
    const int errorNumber = write(QFile::encodeName(temporaryPath).toStdString());
    if (errorNumber != 0) {
        return WriteFailureCause(
            path, errorNumber,
            errorNumber > 0 ? QString::fromLocal8Bit(std::strerror(errorNumber)) : QString());
    }
    // rename(2) takes the earlier file's place at once, or leaves it as it was.
    if (std::rename(QFile::encodeName(temporaryPath).constData(),
                    QFile::encodeName(path).constData()) != 0) {
        return WriteFailureCause(path, errno, QString::fromLocal8Bit(std::strerror(errno)));
    }
    temporary.setAutoRemove(false);  // it is the file now
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return {};
}
