#pragma once

#include <functional>
#include <string_view>

#include <QString>

class ByteSink;

// Writes a file at `path` atomically (QSaveFile): `write` puts the bytes into
// the sink it is given, and either the whole new file takes the place of any
// earlier one, or the earlier one stays as it was. Returns an empty text on
// success, else the cause, in Russian, from what the file system reports:
//   a folder that does not exist -> "папка «/no/such» не найдена"
//   a file that may not be written -> "файл «/a/b.csv» защищён от записи"
//   a full disk -> "на диске нет места"
QString WriteFileAtomically(const QString& path, const std::function<bool(ByteSink&)>& write);
// The same for bytes already made.
QString WriteFileAtomically(const QString& path, std::string_view bytes);

// The same for a writer that makes the file itself at a path it is given (a
// library that opens its own file): it writes a temporary file in the same
// folder, which takes the place of `path` only once complete. `write` returns
// the system's error number of a failure (0 for none, -1 for a failure that
// has none).
QString WriteFileAtomicallyBy(const QString& path,
                              const std::function<int(const std::string& path)>& write);

// The cause, in Russian, of a failure to open `path` for writing, from the
// file system's state (a missing folder, a read-only file or folder, ...).
QString OpenFailureCause(const QString& path, const QString& systemText);
// The cause of a failure to write bytes, from the system's error number.
QString WriteFailureCause(const QString& path, int errorNumber, const QString& systemText);
// The cause when memory ran out.
QString OutOfMemoryCause(const QString& path);
